// Language files, Autorun.inf and other INI files from outside: parsing, lookups and one write must
// never crash, and a written entry must read back.
#include "platform/ini_file.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::IniFile ini = platform::IniFile::fromBytes(bytes);
    for (const std::string& s : ini.sections())
        for (const std::string& k : ini.keys(s))
            (void)ini.readInteger(s, k, 0);
    (void)ini.readString("Custom_Messages", "SERROR", "Error");
    ini.writeString("Custom_Messages", "SERROR", " written\r\nvalue ");
    const platform::IniFile again = platform::IniFile::fromBytes(ini.bytes());
    if (again.readString("Custom_Messages", "SERROR", "") != " written  value ")
        __builtin_trap();
    return 0;
}
