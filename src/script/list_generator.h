// The list files of the data folder, made from the script interface so that completion, parameter
// hints and the handler templates name exactly what the compiler accepts:
//
//   ELEvents.lst          every event type and its handler template: (TNotifyEvent) /
//                         procedure %PROCNAME%(Sender: TObject);
//   EventsByNames.lst     every event property name and its event type
//   funcs.lst             every routine, type, constant and global variable (kind, name, remainder),
//                         with the engine's common routines (Copy, Pos, IntToStr …)
//   code/<Class>.lst      every class: its methods and properties, with those of its ancestors that
//                         completion does not read from an ancestor list of their own
//   ParamCompletion.lst   every such routine with parameters and its parameter items
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

// An event property as a component class publishes it.
struct PublishedEvent {
    std::string name;
    std::string typeName;
};

// The events of every class a form stream may hold, from the component model, in class order.
std::vector<PublishedEvent> formClassEvents();

// EventsByNames.lst lists `events` (the model's own event properties when empty). Where one name comes
// with several types, a type that has a handler template wins over one that has none, then the type
// most classes use.
std::vector<GeneratedList> generateDataLists(const InterfaceModel& model,
                                             const std::vector<PublishedEvent>& events = {});

// The lists the studio ships: the script interface with the events of the form classes.
std::vector<GeneratedList> generateStudioLists();

// The text after a property's name in a class list: "[Integer]: string (read-only)".
std::string propertyRemainder(const PropertyEntry& property);

} // namespace script
