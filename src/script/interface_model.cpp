// Applying declaration rows to the model, with the compiler's rules for classes declared again,
// properties of unknown types and names declared again.
#include "script/interface_model.h"

#include "platform/text_encoding.h"
#include "script/decl_line.h"
#include "script/declaration_sequence.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace script {

using platform::toUpperAscii;

namespace {

constexpr std::array kEngineTypes = {
    "Byte",          "ShortInt", "Word",     "SmallInt", "Cardinal", "LongWord",   "Integer",
    "LongInt",       "Int64",    "Single",   "Double",   "Extended", "Currency",   "Boolean",
    "LongBool",      "Char",     "AnsiChar", "WideChar", "String",   "AnsiString", "WideString",
    "UnicodeString", "PChar",    "Variant",  "Pointer",  "TObject",
};

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ')
            ++j;
        if (j > i)
            out.emplace_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

std::string intText(std::int64_t v)
{
    char buf[32];
    if (v > 0x7FFFFFFF && v <= 0xFFFFFFFFLL)
        std::snprintf(buf, sizeof buf, "$%08llX", static_cast<unsigned long long>(v));
    else
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(v));
    return buf;
}

std::string quoted(std::string_view s)
{
    std::string out = "'";
    for (char c : s) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

} // namespace

bool isEngineType(std::string_view name)
{
    for (const char* t : kEngineTypes)
        if (platform::equalsNoCase(t, name))
            return true;
    return false;
}

std::string PropertyEntry::typeName() const
{
    auto w = words(typeText);
    return w.empty() ? std::string() : w.front();
}

bool PropertyEntry::indexed() const
{
    return words(typeText).size() > 1;
}

const InterfaceModel& InterfaceModel::system()
{
    static const InterfaceModel model = [] {
        InterfaceModel m;
        for (const auto& group : systemDeclarations())
            m.apply(group.decls);
        return m;
    }();
    return model;
}

void InterfaceModel::apply(std::span<const Decl> rows)
{
    for (const auto& r : rows)
        apply(r);
}

ClassEntry* InterfaceModel::currentClass()
{
    return m_current < m_classes.size() ? &m_classes[m_current] : nullptr;
}

void InterfaceModel::addType(std::string_view name, std::string_view text)
{
    const auto key = toUpperAscii(name);
    auto it = m_typeIndex.find(key);
    if (it != m_typeIndex.end()) {
        m_types[it->second].text = std::string(text);
        return;
    }
    m_typeIndex.emplace(key, m_types.size());
    m_types.push_back({std::string(name), std::string(text)});
}

void InterfaceModel::addConstant(ConstantEntry entry)
{
    const auto key = toUpperAscii(entry.name);
    auto it = m_constantIndex.find(key);
    if (it != m_constantIndex.end()) {
        m_constants[it->second] = std::move(entry);
        return;
    }
    m_constantIndex.emplace(key, m_constants.size());
    m_constants.push_back(std::move(entry));
}

void InterfaceModel::apply(const Decl& row)
{
    switch (row.kind) {
    case DeclKind::Routine: {
        const auto sig = parseSignature(row.text);
        const auto key = toUpperAscii(sig ? sig->name : std::string(row.text));
        auto it = m_routineIndex.find(key);
        if (it != m_routineIndex.end()) {
            m_routines[it->second].line = std::string(row.text);
        } else {
            m_routineIndex.emplace(key, m_routines.size());
            m_routines.push_back({std::string(row.text)});
        }
        break;
    }
    case DeclKind::Type:
        addType(row.name, row.text);
        break;
    case DeclKind::NativeEnum: {
        std::string text = "(";
        text += row.text;
        text += ')';
        addType(row.name, text);
        break;
    }
    case DeclKind::IntConst:
        addConstant({std::string(row.name), "LONGINT", intText(row.value)});
        break;
    case DeclKind::TypedConst:
        addConstant({std::string(row.name), std::string(row.text),
                     platform::equalsNoCase(row.text, "String") ? quoted(row.str) : intText(row.value)});
        break;
    case DeclKind::ExtendedConst:
        addConstant({std::string(row.name), "Extended", std::string(row.name)});
        break;
    case DeclKind::Class: {
        const auto key = toUpperAscii(row.name);
        auto it = m_classIndex.find(key);
        if (it == m_classIndex.end()) {
            it = m_classIndex.emplace(key, m_classes.size()).first;
            m_classes.push_back({std::string(row.name), {}, {}, {}, {}, {}});
        }
        m_current = it->second;
        m_classes[m_current].parent = std::string(row.text);
        break;
    }
    case DeclKind::Method:
        if (auto* c = currentClass())
            c->methods.emplace_back(row.text);
        break;
    case DeclKind::Property: {
        auto* c = currentClass();
        if (!c)
            break;
        PropertyEntry p{std::string(row.name), std::string(row.text), row.access()};
        bool known = true;
        for (const auto& w : words(row.text))
            known = known && knowsType(w);
        if (!known) {
            c->dropped.push_back(std::move(p));
            break;
        }
        // A property registered again on the same class replaces the earlier one, in its place.
        auto same = std::find_if(c->properties.begin(), c->properties.end(), [&](const PropertyEntry& e) {
            return platform::equalsNoCase(e.name, p.name);
        });
        if (same != c->properties.end())
            *same = std::move(p);
        else
            c->properties.push_back(std::move(p));
        break;
    }
    case DeclKind::DefaultProperty:
        if (auto* c = currentClass())
            c->defaultProperty = std::string(row.name);
        break;
    case DeclKind::Variable:
        m_variables.emplace_back(row.name, row.text);
        break;
    }
}

bool InterfaceModel::knowsType(std::string_view name) const
{
    const auto key = toUpperAscii(name);
    return isEngineType(name) || m_typeIndex.count(key) || m_classIndex.count(key);
}

const ClassEntry* InterfaceModel::findClass(std::string_view name) const
{
    auto it = m_classIndex.find(toUpperAscii(name));
    return it == m_classIndex.end() ? nullptr : &m_classes[it->second];
}

const TypeEntry* InterfaceModel::findType(std::string_view name) const
{
    auto it = m_typeIndex.find(toUpperAscii(name));
    return it == m_typeIndex.end() ? nullptr : &m_types[it->second];
}

bool InterfaceModel::isA(std::string_view cls, std::string_view ancestor) const
{
    const ClassEntry* c = findClass(cls);
    // A parent chain is at most as long as the class list; the bound guards a cycle.
    for (std::size_t steps = 0; c && steps <= m_classes.size(); ++steps) {
        if (platform::equalsNoCase(c->name, ancestor))
            return true;
        c = c->parent.empty() ? nullptr : findClass(c->parent);
    }
    return false;
}

const PropertyEntry* InterfaceModel::findProperty(std::string_view cls, std::string_view name) const
{
    const ClassEntry* c = findClass(cls);
    for (std::size_t steps = 0; c && steps <= m_classes.size(); ++steps) {
        for (const auto& p : c->properties)
            if (platform::equalsNoCase(p.name, name))
                return &p;
        c = c->parent.empty() ? nullptr : findClass(c->parent);
    }
    return nullptr;
}

const std::string* InterfaceModel::findMethod(std::string_view cls, std::string_view name) const
{
    const ClassEntry* c = findClass(cls);
    for (std::size_t steps = 0; c && steps <= m_classes.size(); ++steps) {
        for (const auto& m : c->methods) {
            const auto sig = parseSignature(m);
            if (sig && platform::equalsNoCase(sig->name, name))
                return &m;
        }
        c = c->parent.empty() ? nullptr : findClass(c->parent);
    }
    return nullptr;
}

} // namespace script
