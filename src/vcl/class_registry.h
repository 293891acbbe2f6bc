// The class registry: every type and class of the component model, built once from the class tables.
//
// Lookups by name ignore letter case, as class and property names do everywhere in the system. The
// registry is immutable after it is built, so it is safe to share between threads.
//
// For the script interface and the completion lists: `classes()` enumerates every class in declaration
// order (parents before children); `ClassInfo::properties` gives the published properties with their
// `TypeInfo` (type name, enumeration elements, set element type), and events carry their type name and
// parameter list.
#pragma once

#include "vcl/type_info.h"

#include <string_view>
#include <vector>

namespace vcl {

class ClassRegistry {
public:
    static const ClassRegistry& instance();

    const ClassInfo* findClass(std::string_view name) const;
    // A class that a form stream may name (the streaming registration), else nullptr.
    const ClassInfo* findStreamableClass(std::string_view name) const;
    const TypeInfo* findType(std::string_view name) const;

    // Same as findClass/findType but throws platform::Error when the name is unknown.
    const ClassInfo& classNamed(std::string_view name) const;
    const TypeInfo& typeNamed(std::string_view name) const;

    const std::vector<const ClassInfo*>& classes() const { return m_classOrder; }
    const std::vector<const TypeInfo*>& types() const { return m_typeOrder; }
    // The classes registered for streaming, in registration order.
    const std::vector<const ClassInfo*>& streamingClasses() const { return m_streaming; }

    // Builds a registry from class-table text (used by instance() with the built-in tables; tests use
    // it to check the table language). Throws platform::Error naming the line of a mistake.
    static std::unique_ptr<ClassRegistry> fromTables(const std::vector<std::string_view>& tables);

    ClassRegistry();
    ~ClassRegistry();
    ClassRegistry(const ClassRegistry&) = delete;
    ClassRegistry& operator=(const ClassRegistry&) = delete;

private:
    friend class ClassTableParser;

    std::vector<std::unique_ptr<TypeInfo>> m_types;
    std::vector<std::unique_ptr<ClassInfo>> m_classes;
    NoCaseMap<TypeInfo*> m_typeByName;
    NoCaseMap<ClassInfo*> m_classByName;
    std::vector<const ClassInfo*> m_classOrder;
    std::vector<const TypeInfo*> m_typeOrder;
    std::vector<const ClassInfo*> m_streaming;
};

// Shorthand for the built-in registry.
inline const ClassRegistry& classes()
{
    return ClassRegistry::instance();
}

// The class tables the built-in registry is made of, in the order they are read.
std::string_view stockClassTable();
std::string_view studioClassTable();

// Identifier tables of the integer types that are streamed by name.
std::span<const IdentEntry> colorIdents();
std::span<const IdentEntry> cursorIdents();
std::span<const IdentEntry> charsetIdents();

// Key combinations as the inspectors show them: "Ctrl+Shift+A", "F5", "" for 0.
std::string shortCutToText(std::int64_t shortCut);
// The reverse; false when the text names no key combination.
bool textToShortCut(std::string_view text, std::int64_t& shortCut);

} // namespace vcl
