// The registration API: how a host declares its routines, types, constants, classes and variables to
// the compiler.
//
// Every declaration is text in the script language, matched without regard to case, exactly as a
// script would write it: a routine is one declaration line ("function IntToHex(Value: Integer;
// Digits: Integer): string;", with or without the final semicolon, leading blanks allowed), a type is a
// type text ("(a,b,c)", "set of TFoo", "record X: Integer; end", "procedure (Sender: TObject)"), a
// method is a declaration line of a procedure, function or constructor, a property is a name, a type
// text and an access code.
//
// Rules hosts rely on:
//  - a later declaration of the same name replaces the earlier one for everything declared afterwards
//    (also over the engine's own SYSTEM routines and types); what was declared earlier keeps the types
//    it had;
//  - declaring a class that exists keeps the class and its members, replaces its parent, and adds the
//    members declared now;
//  - a property whose type is not declared yet is dropped without a message;
//  - a method whose declaration line cannot be parsed is not added, without a message;
//  - a routine, type, constant or variable that cannot be declared raises RegistrationError, whose
//    message names the declaration.
// A declaration may only use types declared before it.
#pragma once

#include "platform/errors.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pascal {

class RegistrationError : public platform::Error {
public:
    using platform::Error::Error;
};

// Access codes of a property, as the class imports give them.
enum class PropertyAccess : int { ReadWrite = 0, ReadOnly = 1, WriteOnly = 2 };

// The value of a typed constant. Integers serve every ordinal type (LongWord, Integer, Char, ...),
// double every floating type, std::string the string types, bool Boolean.
using ConstantValue = std::variant<std::int64_t, double, std::string, bool>;

class Environment; // the declarations of one compile (internal)

// A registered host class. Obtained from Registrar::addClass or findClass; valid while the Registrar
// it came from is.
class ClassDecl {
public:
    ClassDecl() = default;

    bool valid() const { return m_env != nullptr; }
    // The class name as first declared ("TButton").
    std::string name() const;

    // Adds a method from its declaration line: "procedure Click", "function Find(const S: string;
    // var Index: Integer): Boolean;", "constructor Create(AOwner: TComponent)". Returns false, and adds
    // nothing, when the line cannot be parsed or names an undeclared type. A method of the same name
    // replaces the earlier one.
    bool addMethod(std::string_view declaration);

    // Adds a property. typeText is one type name, or several separated by blanks for an indexed
    // property: the property's type first, then the types of its index parameters ("String Integer").
    // access is 0 (read and write), 1 (read-only) or 2 (write-only). Returns false, and adds nothing,
    // when a type is not declared (the property is dropped) or the access code is not one of these.
    bool addProperty(std::string_view name, std::string_view typeText, int access);
    bool addProperty(std::string_view name, std::string_view typeText, PropertyAccess access)
    {
        return addProperty(name, typeText, static_cast<int>(access));
    }

    // Makes an indexed property of this class the default one, so `List[I]` means `List.Items[I]`.
    // Returns false when the class has no indexed property of that name.
    bool setDefaultProperty(std::string_view name);

private:
    friend class Registrar;
    ClassDecl(Environment* env, int index) : m_env(env), m_index(index) {}
    Environment* m_env = nullptr;
    int m_index = -1;
};

// Declares things to the compiler. The compiler hands one to the uses callback for each unit, and to
// the declaration functions added with Compiler::addDeclarations. Every function throws
// RegistrationError when the declaration cannot be made.
class Registrar {
public:
    explicit Registrar(Environment& env) : m_env(&env) {}

    // An integer constant of type LONGINT; its name is stored in upper case. The value is taken as a
    // 32-bit LongInt (so $80000000 becomes -2147483648, as the stored scripts expect).
    void addIntegerConstant(std::string_view name, std::int64_t value);

    // A constant of a named type ("String", "LongWord", "Integer", "Boolean", "Double", a declared
    // enumeration ...).
    void addTypedConstant(std::string_view name, std::string_view typeName, const ConstantValue& value);

    // A constant of type Extended (NaN, Infinity, NegInfinity ...).
    void addExtendedConstant(std::string_view name, double value);

    // A named type from a type text: an alias ("integer"), an enumeration ("( a, b, c )"), a subrange
    // ("0..9"), a set ("set of TFoo"), an array ("array[0..20] of string", "array of Byte"), a record
    // ("record Name: String; Age: Integer; end"), a procedural type ("procedure (Sender: TObject)",
    // "function (X: Integer): Boolean of object"). A trailing semicolon is allowed.
    void addType(std::string_view name, std::string_view typeText);

    // An enumeration of the host's own code, given by its element names in ordinal order and the
    // ordinal of the first one. The type text becomes "(" + names joined by "," + ")". Only
    // enumerations that start at 0 can be declared; any other raises RegistrationError with
    // "Internal error: RegisterRealEnum not passed a valid enum type".
    void addNativeEnum(std::string_view name, const std::vector<std::string>& elements,
                       std::int64_t firstOrdinal = 0);

    // A routine from one declaration line, with or without the final semicolon. The host supplies the
    // implementation at run time under the same name (Bindings::bindRoutine); one declared without an
    // implementation raises "Not implemented: Name" when called.
    void addRoutine(std::string_view declaration);

    // Declares a class, or finds it again: an existing class keeps its members and takes the parent
    // given now. parent may be empty (the class then descends from nothing, as TObject does).
    ClassDecl addClass(std::string_view name, std::string_view parent);

    // A class declared earlier; invalid when there is none.
    ClassDecl findClass(std::string_view name) const;

    // A global variable of a declared type, marked as used and exported under its name in upper case,
    // so the runtime binds it by that name (Interpreter::setVariable). An undeclared type raises
    // RegistrationError "Invalid type for variable " + name.
    void addVariable(std::string_view name, std::string_view typeName);

    // Whether a type of that name is declared now.
    bool hasType(std::string_view name) const;

private:
    Environment* m_env;
};

} // namespace pascal
