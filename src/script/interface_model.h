// What scripts end up seeing once the declaration sequence has run: the classes with their parents,
// methods and the properties that registered, the routines, types and constants. It applies the
// rules the compiler applies to the same rows (a class declared again keeps its members and takes the
// new parent; a property whose type is unknown at that moment is dropped; a name declared again, a
// property of the same class included, replaces the earlier one), so the generated lists can be made
// from it without a compiler, and tests can check the rows against what the compiler accepts.
#pragma once

#include "script/decl.h"

#include <map>
#include <string>
#include <vector>

namespace script {

struct PropertyEntry {
    std::string name;
    std::string typeText; // the type, then the index types
    Access access = Access::ReadWrite;

    std::string typeName() const; // the first word of typeText
    bool indexed() const;
};

struct ClassEntry {
    std::string name;                 // as first declared
    std::string parent;               // empty for the root
    std::vector<std::string> methods; // declaration lines, in registration order
    std::vector<PropertyEntry> properties;
    std::vector<PropertyEntry> dropped; // registered with a type nobody had declared
    std::string defaultProperty;
};

struct RoutineEntry {
    std::string line; // the declaration line as registered
};

struct TypeEntry {
    std::string name;
    std::string text; // newest text
};

struct ConstantEntry {
    std::string name;
    std::string typeName;  // "LONGINT", "String", "LongWord", "Extended" …
    std::string valueText; // as a script would write it
};

class InterfaceModel {
public:
    // The model of unit SYSTEM without the imported class variables (built once).
    static const InterfaceModel& system();

    void apply(const Decl& row);
    void apply(std::span<const Decl> rows);

    bool knowsType(std::string_view name) const;
    const ClassEntry* findClass(std::string_view name) const;
    const TypeEntry* findType(std::string_view name) const;
    // True when cls is ancestor or descends from it (the "is" test).
    bool isA(std::string_view cls, std::string_view ancestor) const;
    // A property of the class or of its nearest ancestor that has it.
    const PropertyEntry* findProperty(std::string_view cls, std::string_view name) const;
    // The declaration line of a method of the class or of its nearest ancestor that has it.
    const std::string* findMethod(std::string_view cls, std::string_view name) const;

    const std::vector<ClassEntry>& classes() const { return m_classes; }
    const std::vector<RoutineEntry>& routines() const { return m_routines; }
    const std::vector<TypeEntry>& types() const { return m_types; }
    const std::vector<ConstantEntry>& constants() const { return m_constants; }
    const std::vector<std::pair<std::string, std::string>>& variables() const { return m_variables; }

private:
    ClassEntry* currentClass();
    void addType(std::string_view name, std::string_view text);
    void addConstant(ConstantEntry entry);

    std::vector<ClassEntry> m_classes;
    std::map<std::string, std::size_t> m_classIndex; // upper-case name
    std::vector<RoutineEntry> m_routines;
    std::map<std::string, std::size_t> m_routineIndex;
    std::vector<TypeEntry> m_types;
    std::map<std::string, std::size_t> m_typeIndex;
    std::vector<ConstantEntry> m_constants;
    std::map<std::string, std::size_t> m_constantIndex;
    std::vector<std::pair<std::string, std::string>> m_variables;
    std::size_t m_current = static_cast<std::size_t>(-1);
};

// The types the engine knows before any registration.
bool isEngineType(std::string_view name);

} // namespace script
