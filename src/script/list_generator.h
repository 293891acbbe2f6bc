// The list files of the data folder, made from the script interface so that completion, parameter
// hints and the handler templates name exactly what the compiler accepts:
//
//   ELEvents.lst          every event type and its handler template: (TNotifyEvent) /
//                         procedure %PROCNAME%(Sender: TObject);
//   EventsByNames.lst     every event property name and its event type
//   funcs.lst             every routine, type, constant and global variable (kind, name, remainder)
//   code/<Class>.lst      every class: its methods and properties, with those of its ancestors that
//                         completion does not read from an ancestor list of their own
//   ParamCompletion.lst   every routine with parameters and its parameter items
//   RepMaj.lst            the identifiers of the interface in their declared spelling
#pragma once

#include "script/interface_model.h"

#include <string>
#include <vector>

namespace script {

struct GeneratedList {
    std::string relativePath; // "funcs.lst", "code/TButton.lst"
    std::vector<std::string> lines;
};

// The ancestor classes whose lists completion reads after an object's own list, in that order.
const std::vector<std::string>& completionAncestorClasses();

// eventClasses: the classes whose event properties go into EventsByNames.lst (empty: every class).
// Where classes give one event name different types, the type most of them use wins.
std::vector<GeneratedList> generateDataLists(const InterfaceModel& model,
                                             const std::vector<std::string>& eventClasses = {});

// The text after a property's name in a class list: "[Integer]: string (read-only)".
std::string propertyRemainder(const PropertyEntry& property);

} // namespace script
