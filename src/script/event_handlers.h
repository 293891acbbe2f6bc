// The studio's convention for event handlers. The handler of event P of component C is the script
// procedure C + P (Button1OnClick); no property stores the binding. A handler exists when some line of
// the script equals its declaration once all blanks are removed and letter case is ignored; the
// declaration is the template of the event's type from ELEvents.lst with %PROCNAME% replaced by the
// handler's name. These functions serve the events inspector (caption colours, the edit action) and
// the binding statements of the compiled main block.
#pragma once

#include "script/list_files.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace script {

// The two event lists, loaded once at start-up.
class EventLists {
public:
    EventLists() = default;
    EventLists(TwoLineList elEvents, TwoLineList eventsByNames)
        : m_elEvents(std::move(elEvents)), m_eventsByNames(std::move(eventsByNames))
    {}
    // ELEvents.lst and EventsByNames.lst of a data folder.
    static EventLists load(const std::filesystem::path& dataDir);

    // The declaration template for an event type (from the property's type information).
    std::string templateForType(std::string_view eventTypeName) const;
    // The event type of an event property name, as EventsByNames.lst has it.
    std::string eventTypeOf(std::string_view eventProperty) const;
    // The template reached through the event's name (the binding step's way).
    std::string templateForEvent(std::string_view eventProperty) const;
    // True when the type's key "(" + type + ")" is a line of ELEvents.lst.
    bool knowsType(std::string_view eventTypeName) const;

    const TwoLineList& elEvents() const { return m_elEvents; }
    const TwoLineList& eventsByNames() const { return m_eventsByNames; }

private:
    TwoLineList m_elEvents;
    TwoLineList m_eventsByNames;
};

std::string handlerName(std::string_view componentName, std::string_view eventProperty);
std::string eventTypeKey(std::string_view eventTypeName); // "(TNotifyEvent)"
std::string handlerDeclaration(std::string_view declarationTemplate, std::string_view handler);

// The 1-based editor line of the handler's body (the second line after its declaration), or nothing
// when the handler is not in the script or there is no template.
std::optional<int> findHandler(const std::vector<std::string>& scriptLines,
                               std::string_view declarationTemplate, std::string_view handler);

// The script's lines prepared for many handler searches (the compile's bindings): the same answers as
// findHandler, each in constant time.
class HandlerSearch {
public:
    explicit HandlerSearch(const std::vector<std::string>& scriptLines);
    std::optional<int> find(std::string_view declarationTemplate, std::string_view handler) const;

private:
    std::unordered_map<std::string, int> m_first; // line without spaces, upper case -> first index
};

// The edit action of an event row: moves to the handler, or appends a stub (an empty line, the
// declaration, "begin", an empty line, "end;") and moves to its empty body line.
struct HandlerEdit {
    int caretLine = 0;     // 1-based, caret at column 1
    bool appended = false; // the script changed (the project becomes modified)
};
HandlerEdit editHandler(std::vector<std::string>& scriptLines, std::string_view declarationTemplate,
                        std::string_view handler);

// The "Event present" colour test of an event row: the type's key is in ELEvents.lst and the handler
// of the component for this event is found.
bool eventRowHasHandler(const EventLists& lists, std::string_view eventTypeName,
                        const std::vector<std::string>& scriptLines, std::string_view componentName,
                        std::string_view eventProperty);

} // namespace script
