// The settings store file from outside (damaged, edited by hand): reading never crashes, and what
// was read writes out to a file that reads back to the same content.
#include "platform/registry.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::Registry::Content first;
    platform::Registry::parse(bytes, first);
    const std::string written = platform::Registry::serialize(first);
    platform::Registry::Content second;
    if (!platform::Registry::parse(written, second) || platform::Registry::serialize(second) != written)
        __builtin_trap();
    return 0;
}
