// Insertion names and name checks.
#include "vcl/naming.h"

#include "platform/text_encoding.h"

#include <algorithm>

namespace vcl {

std::string nameBase(const ClassInfo& cls)
{
    const std::string& n = cls.name;
    if (n.size() > 1 && (n[0] == 'T' || n[0] == 't'))
        return n.substr(1);
    return n;
}

namespace {

bool nameTaken(const Component& root, std::string_view name, const Component* except)
{
    if (&root != except && platform::equalsNoCase(root.name(), name))
        return true;
    const Component* found = root.findComponent(name);
    return found && found != except;
}

} // namespace

std::string uniqueComponentName(const Component& root, std::string_view base)
{
    std::size_t from = 1;
    return uniqueComponentName(root, base, from);
}

std::string uniqueComponentName(const Component& root, std::string_view base, std::size_t& from)
{
    // Only numbers up to the component count can be taken, so the search ends.
    const std::size_t limit = root.components().size() + 2;
    for (std::size_t n = std::max<std::size_t>(from, 1); n <= limit; ++n) {
        std::string candidate(base);
        candidate += std::to_string(n);
        if (!nameTaken(root, candidate, nullptr)) {
            from = n;
            return candidate;
        }
    }
    from = limit + 1;
    return std::string(base) + std::to_string(limit + 1);
}

std::string nameError(const Component& root, const Component* component, std::string_view name)
{
    if (name.empty())
        return {};
    if (!isValidIdentifier(name)) {
        std::string message(1, '\'');
        message += name;
        message += "' is not a valid component name";
        return message;
    }
    if (component && platform::equalsNoCase(component->name(), name))
        return {};
    if (nameTaken(root, name, component))
        return "A component named " + std::string(name) + " already exists";
    return {};
}

} // namespace vcl
