// Handler naming, search and stubs.
#include "script/event_handlers.h"

#include "platform/text_encoding.h"

namespace script {

namespace {

// Spaces only: a tab or a line break inside a declaration keeps it from matching.
std::string withoutSpaces(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (c != ' ')
            out += c;
    return out;
}

} // namespace

EventLists EventLists::load(const std::filesystem::path& dataDir)
{
    return EventLists(TwoLineList::load(dataDir / "ELEvents.lst"),
                      TwoLineList::load(dataDir / "EventsByNames.lst"));
}

std::string EventLists::templateForType(std::string_view eventTypeName) const
{
    return m_elEvents.lookup(eventTypeKey(eventTypeName));
}

std::string EventLists::eventTypeOf(std::string_view eventProperty) const
{
    return m_eventsByNames.lookup(eventProperty);
}

std::string EventLists::templateForEvent(std::string_view eventProperty) const
{
    const std::string type = eventTypeOf(eventProperty);
    return type.empty() ? std::string() : templateForType(type);
}

bool EventLists::knowsType(std::string_view eventTypeName) const
{
    return m_elEvents.containsLine(eventTypeKey(eventTypeName));
}

std::string handlerName(std::string_view componentName, std::string_view eventProperty)
{
    return std::string(componentName) + std::string(eventProperty);
}

std::string eventTypeKey(std::string_view eventTypeName)
{
    std::string key = "(";
    key += eventTypeName;
    key += ')';
    return key;
}

std::string handlerDeclaration(std::string_view declarationTemplate, std::string_view handler)
{
    static constexpr std::string_view kPlaceholder = "%PROCNAME%";
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = declarationTemplate.find(kPlaceholder, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(declarationTemplate.substr(pos, hit - pos));
        out.append(handler);
        pos = hit + kPlaceholder.size();
    }
    out.append(declarationTemplate.substr(pos));
    return out;
}

std::optional<int> findHandler(const std::vector<std::string>& scriptLines,
                               std::string_view declarationTemplate, std::string_view handler)
{
    if (declarationTemplate.empty())
        return std::nullopt;
    const std::string wanted = withoutSpaces(handlerDeclaration(declarationTemplate, handler));
    for (std::size_t i = 0; i < scriptLines.size(); ++i)
        if (platform::equalsNoCase(withoutSpaces(scriptLines[i]), wanted))
            return static_cast<int>(i) + 3;
    return std::nullopt;
}

HandlerSearch::HandlerSearch(const std::vector<std::string>& scriptLines)
{
    for (std::size_t i = 0; i < scriptLines.size(); ++i)
        m_first.emplace(platform::toUpperAscii(withoutSpaces(scriptLines[i])), static_cast<int>(i));
}

std::optional<int> HandlerSearch::find(std::string_view declarationTemplate, std::string_view handler) const
{
    if (declarationTemplate.empty())
        return std::nullopt;
    const auto it =
        m_first.find(platform::toUpperAscii(withoutSpaces(handlerDeclaration(declarationTemplate, handler))));
    if (it == m_first.end())
        return std::nullopt;
    return it->second + 3;
}

HandlerEdit editHandler(std::vector<std::string>& scriptLines, std::string_view declarationTemplate,
                        std::string_view handler)
{
    if (auto line = findHandler(scriptLines, declarationTemplate, handler))
        return {*line, false};
    scriptLines.emplace_back();
    scriptLines.push_back(handlerDeclaration(declarationTemplate, handler));
    scriptLines.emplace_back("begin");
    scriptLines.emplace_back();
    scriptLines.emplace_back("end;");
    return {static_cast<int>(scriptLines.size()) - 1, true};
}

bool eventRowHasHandler(const EventLists& lists, std::string_view eventTypeName,
                        const std::vector<std::string>& scriptLines, std::string_view componentName,
                        std::string_view eventProperty)
{
    if (!lists.knowsType(eventTypeName))
        return false;
    return findHandler(scriptLines, lists.templateForType(eventTypeName),
                       handlerName(componentName, eventProperty))
        .has_value();
}

} // namespace script
