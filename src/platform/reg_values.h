// Typed access to the studio's settings: HKEY_CURRENT_USER\SOFTWARE\Orvane\Lumeni Zarerud\<section>.
//
// A stored value counts only when it is present and of the registry type that the default's type
// maps to (integer and bool: DWORD, bool true when non-zero; string: string; float: 8 binary bytes);
// otherwise the default is returned. Reading creates the section key. Nothing here ever throws or
// reports an error: reads fall back to the default, failed writes are skipped.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class Registry;

inline constexpr std::string_view kStudioKey = "SOFTWARE\\Orvane\\Lumeni Zarerud";

// The full key of a studio section ("General" -> "SOFTWARE\Orvane\Lumeni Zarerud\General").
std::string studioKey(std::string_view section);

int ReadRegValue(std::string_view section, std::string_view name, int def);
bool ReadRegValue(std::string_view section, std::string_view name, bool def);
double ReadRegValue(std::string_view section, std::string_view name, double def);
std::string ReadRegValue(std::string_view section, std::string_view name, std::string_view def);
std::string ReadRegValue(std::string_view section, std::string_view name, const char* def);

// An empty name writes the key's default value.
void WriteRegValue(std::string_view section, std::string_view name, int value);
void WriteRegValue(std::string_view section, std::string_view name, bool value);
void WriteRegValue(std::string_view section, std::string_view name, double value);
void WriteRegValue(std::string_view section, std::string_view name, std::string_view value);
void WriteRegValue(std::string_view section, std::string_view name, const char* value);

// The same rules for any key below HKEY_CURRENT_USER of a given store (the runtime's settings
// under "Software\Orvane\Lumeni Player\<program path>", the tests).
int readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, int def);
bool readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, bool def);
double readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, double def);
std::string readRegKeyValue(Registry& reg, std::string_view key, std::string_view name,
                            std::string_view def);
void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, int value);
void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, bool value);
void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, double value);
void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, std::string_view value);
// Text literals are strings, not bools.
std::string readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, const char* def);
void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, const char* value);

} // namespace platform
