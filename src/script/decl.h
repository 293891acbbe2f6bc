// The declarations of the script interface, kept as plain data.
//
// Every routine, type, constant and class member that scripts see is one `Decl` row. The texts are the
// exact texts handed to the compiler (spacing, letter case and parameter names included): the runtime
// on Windows compiled scripts against these very texts, so rewording one can break a script. The rows
// are grouped in tables (one per unit of the class library, one per import family, one per list of
// support routines) and registered by one straight sequence (declaration_sequence.h), without
// conditions: a class member belongs to the class row that precedes it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace script {

enum class DeclKind : std::uint8_t {
    Routine,         // text: one declaration line (with or without the final semicolon)
    Type,            // name, text: the type text (alias, enumeration, set, record, procedure type)
    IntConst,        // name, value: registered as LONGINT under the upper-case name; a value from
                     // 2^31 to 2^32-1 is a 32-bit pattern ($80000000) and keeps its bits
    TypedConst,      // name, text: type name ("String", "LongWord", "LongInt"); str or value
    ExtendedConst,   // name, value: mantissa bits, aux: sign and exponent of an 80-bit extended
    NativeEnum,      // name, text: element names joined by ","; value: ordinal of the first element
    Class,           // name, text: parent class (empty: no parent); later Method/Property rows join it
    Method,          // text: declaration line of a method of the current class
    Property,        // name, text: type text (more names: index types), value: access code
    DefaultProperty, // name: the current class's default indexed property
    Variable,        // name, text: class; a global marked used and exported under the upper-case name
};

// Access codes of a property, as the compiler takes them.
enum class Access : std::uint8_t { ReadWrite = 0, ReadOnly = 1, WriteOnly = 2 };

struct Decl {
    DeclKind kind;
    std::string_view name;
    std::string_view text;
    std::int64_t value = 0;
    std::string_view str;  // value of a String typed constant
    std::uint16_t aux = 0; // sign and exponent of an extended constant

    constexpr Access access() const { return static_cast<Access>(value); }
};

// A named table of declarations in registration order.
struct DeclGroup {
    std::string_view name;
    std::span<const Decl> decls;
};

// The value of an extended constant's 80-bit bit pattern as a double (NaN and the infinities keep their
// sign).
double extendedValue(std::uint64_t mantissa, std::uint16_t signExponent);

// Row builders, so that the tables read like the declarations they hold.
namespace decl {

constexpr Decl make(DeclKind kind, std::string_view name, std::string_view text, std::int64_t value = 0,
                    std::string_view str = {}, std::uint16_t aux = 0)
{
    return Decl{kind, name, text, value, str, aux};
}
constexpr std::int64_t code(Access access)
{
    return static_cast<std::int64_t>(access);
}

constexpr Decl routine(std::string_view line)
{
    return make(DeclKind::Routine, {}, line);
}
constexpr Decl type(std::string_view name, std::string_view text)
{
    return make(DeclKind::Type, name, text);
}
constexpr Decl intConst(std::string_view name, std::int64_t value)
{
    return make(DeclKind::IntConst, name, {}, value);
}
constexpr Decl strConst(std::string_view name, std::string_view value)
{
    return make(DeclKind::TypedConst, name, "String", 0, value);
}
constexpr Decl typedConst(std::string_view name, std::string_view typeName, std::int64_t value)
{
    return make(DeclKind::TypedConst, name, typeName, value);
}
constexpr Decl extendedConst(std::string_view name, std::uint64_t mantissa, std::uint16_t signExponent)
{
    return make(DeclKind::ExtendedConst, name, {}, static_cast<std::int64_t>(mantissa), {}, signExponent);
}
constexpr Decl nativeEnum(std::string_view name, std::string_view elements, std::int64_t firstOrdinal = 0)
{
    return make(DeclKind::NativeEnum, name, elements, firstOrdinal);
}
constexpr Decl cls(std::string_view name, std::string_view parent)
{
    return make(DeclKind::Class, name, parent);
}
constexpr Decl method(std::string_view line)
{
    return make(DeclKind::Method, {}, line);
}
constexpr Decl prop(std::string_view name, std::string_view type)
{
    return make(DeclKind::Property, name, type, code(Access::ReadWrite));
}
constexpr Decl propR(std::string_view name, std::string_view type)
{
    return make(DeclKind::Property, name, type, code(Access::ReadOnly));
}
constexpr Decl propW(std::string_view name, std::string_view type)
{
    return make(DeclKind::Property, name, type, code(Access::WriteOnly));
}
constexpr Decl defaultProp(std::string_view name)
{
    return make(DeclKind::DefaultProperty, name, {});
}
constexpr Decl variable(std::string_view name, std::string_view className)
{
    return make(DeclKind::Variable, name, className);
}

} // namespace decl

} // namespace script
