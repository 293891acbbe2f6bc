// Building the generated main block.
#include "script/main_block.h"

#include "platform/text_encoding.h"

namespace script {

namespace {

bool endsWithNoCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && platform::equalsNoCase(text.substr(text.size() - tail.size()), tail);
}

bool handlerExists(const MainBlockInput& in, const HandlerSearch& search, std::string_view object,
                   std::string_view event)
{
    if (!in.lists)
        return false;
    return search.find(in.lists->templateForEvent(event), handlerName(object, event)).has_value();
}

} // namespace

std::string bindingStatement(std::string_view objectName, std::string_view eventProperty)
{
    return std::string(objectName) + "." + std::string(eventProperty) + ":=@" +
           handlerName(objectName, eventProperty) + ";";
}

std::string generateMainBlock(const MainBlockInput& in)
{
    std::string block = "\r\nbegin ";
    if (in.objects.empty())
        return block + "\r\nend.";
    const HandlerSearch search(in.scriptLines);
    for (const auto& object : in.objects) {
        for (const auto& event : object.eventProperties) {
            if (!handlerExists(in, search, object.name, event))
                continue;
            if (in.processing)
                in.processing(object.name);
            if (!eventsPageShows(object.is, event))
                continue;
            const std::string statement = bindingStatement(object.name, event);
            if (!endsWithNoCase(block, statement))
                block += " " + statement;
        }
    }
    const std::string& form = in.objects.front().name;
    if (handlerExists(in, search, form, "OnCreate"))
        block += " " + form + "OnCreate(self);";
    block += form + ".showmodal; ";
    block += form + ".Free; ";
    return block + "\r\nend.";
}

} // namespace script
