// ReadRegValue / WriteRegValue on the current user's store; see reg_values.h.
#include "platform/reg_values.h"

#include "platform/registry.h"

#include <cstring>

namespace platform {
namespace {

std::optional<RegValue> typedValue(Registry& reg, std::string_view key, std::string_view name,
                                   RegValue::Type type)
{
    reg.createKey(key);
    auto v = reg.value(key, name);
    if (!v || v->type != type)
        return std::nullopt;
    return v;
}

} // namespace

std::string studioKey(std::string_view section)
{
    std::string key(kStudioKey);
    if (!section.empty()) {
        key += '\\';
        key += section;
    }
    return key;
}

int readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, int def)
{
    const auto v = typedValue(reg, key, name, RegValue::Type::DWord);
    return v ? static_cast<int>(v->dword) : def;
}

bool readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, bool def)
{
    const auto v = typedValue(reg, key, name, RegValue::Type::DWord);
    return v ? v->dword != 0 : def;
}

double readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, double def)
{
    const auto v = typedValue(reg, key, name, RegValue::Type::Binary);
    if (!v || v->bytes.size() != sizeof(double))
        return def;
    double d = 0;
    std::memcpy(&d, v->bytes.data(), sizeof d); // little-endian, as the Windows value
    return d;
}

std::string readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, std::string_view def)
{
    const auto v = typedValue(reg, key, name, RegValue::Type::String);
    return v ? v->text : std::string(def);
}

void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, int value)
{
    reg.setValue(key, name, RegValue::fromDWord(static_cast<std::uint32_t>(value)));
}

void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, bool value)
{
    reg.setValue(key, name, RegValue::fromDWord(value ? 1 : 0));
}

void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, double value)
{
    std::vector<std::uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    reg.setValue(key, name, RegValue::binary(std::move(bytes)));
}

void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, std::string_view value)
{
    reg.setValue(key, name, RegValue::string(value));
}

std::string readRegKeyValue(Registry& reg, std::string_view key, std::string_view name, const char* def)
{
    return readRegKeyValue(reg, key, name, std::string_view(def ? def : ""));
}

void writeRegKeyValue(Registry& reg, std::string_view key, std::string_view name, const char* value)
{
    writeRegKeyValue(reg, key, name, std::string_view(value ? value : ""));
}

int ReadRegValue(std::string_view section, std::string_view name, int def)
{
    return readRegKeyValue(*Registry::currentUser(), studioKey(section), name, def);
}

bool ReadRegValue(std::string_view section, std::string_view name, bool def)
{
    return readRegKeyValue(*Registry::currentUser(), studioKey(section), name, def);
}

double ReadRegValue(std::string_view section, std::string_view name, double def)
{
    return readRegKeyValue(*Registry::currentUser(), studioKey(section), name, def);
}

std::string ReadRegValue(std::string_view section, std::string_view name, std::string_view def)
{
    return readRegKeyValue(*Registry::currentUser(), studioKey(section), name, def);
}

std::string ReadRegValue(std::string_view section, std::string_view name, const char* def)
{
    return ReadRegValue(section, name, std::string_view(def ? def : ""));
}

void WriteRegValue(std::string_view section, std::string_view name, int value)
{
    writeRegKeyValue(*Registry::currentUser(), studioKey(section), name, value);
}

void WriteRegValue(std::string_view section, std::string_view name, bool value)
{
    writeRegKeyValue(*Registry::currentUser(), studioKey(section), name, value);
}

void WriteRegValue(std::string_view section, std::string_view name, double value)
{
    writeRegKeyValue(*Registry::currentUser(), studioKey(section), name, value);
}

void WriteRegValue(std::string_view section, std::string_view name, std::string_view value)
{
    writeRegKeyValue(*Registry::currentUser(), studioKey(section), name, value);
}

void WriteRegValue(std::string_view section, std::string_view name, const char* value)
{
    WriteRegValue(section, name, std::string_view(value ? value : ""));
}

} // namespace platform
