// The host binding table.
#include "pascal/bindings.h"

#include "platform/text_encoding.h"

namespace pascal {

void Bindings::bindRoutine(std::string_view name, HostFn fn)
{
    m_fns[platform::toUpperAscii(name)] = std::move(fn);
}

void Bindings::bindMethod(std::string_view className, std::string_view method, HostFn fn)
{
    m_fns[platform::toUpperAscii(className) + "." + platform::toUpperAscii(method)] = std::move(fn);
}

void Bindings::bindProperty(std::string_view className, std::string_view property, HostFn getter,
                            HostFn setter)
{
    std::string key = platform::toUpperAscii(className) + "." + platform::toUpperAscii(property);
    if (getter)
        m_fns[key + ":GET"] = std::move(getter);
    if (setter)
        m_fns[key + ":SET"] = std::move(setter);
}

const HostFn* Bindings::find(const std::string& key) const
{
    auto it = m_fns.find(key);
    return it == m_fns.end() ? nullptr : &it->second;
}

} // namespace pascal
