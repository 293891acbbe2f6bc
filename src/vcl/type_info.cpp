// Queries on types, properties and classes, and the one canonical form of each type's values.
#include "vcl/type_info.h"

#include "platform/text_encoding.h"

#include <algorithm>

namespace vcl {

bool TypeInfo::isOrdinal() const
{
    return kind == TypeKind::Integer || kind == TypeKind::Int64 || kind == TypeKind::Char ||
           kind == TypeKind::Boolean || kind == TypeKind::Enumeration;
}

int TypeInfo::elementIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (platform::equalsNoCase(elements[i], name))
            return static_cast<int>(i);
    return -1;
}

const IdentEntry* TypeInfo::identFor(std::int64_t value) const
{
    for (const auto& e : idents)
        if (e.value == value)
            return &e;
    return nullptr;
}

bool TypeInfo::valueOfIdent(std::string_view name, std::int64_t& value) const
{
    for (const auto& e : idents) {
        if (platform::equalsNoCase(e.name, name)) {
            value = e.value;
            return true;
        }
    }
    return false;
}

ClassRole roleOf(const TypeInfo& type)
{
    return type.kind == TypeKind::Class && type.classInfo ? type.classInfo->role : ClassRole::Object;
}

ClassRole PropInfo::classRole() const
{
    return roleOf(*type);
}

const PropInfo* ClassInfo::findProperty(std::string_view name) const
{
    const auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

bool ClassInfo::inheritsFrom(const ClassInfo* other) const
{
    for (const ClassInfo* c = this; c; c = c->parent)
        if (c == other)
            return true;
    return false;
}

bool ClassInfo::inheritsFrom(std::string_view className) const
{
    for (const ClassInfo* c = this; c; c = c->parent)
        if (platform::equalsNoCase(c->name, className))
            return true;
    return false;
}

const Value& ClassInfo::initialValue(const PropInfo& prop) const
{
    return m_initialBySlot[static_cast<std::size_t>(prop.root->slot)];
}

std::vector<const PropInfo*> ClassInfo::publishedProperties() const
{
    std::vector<const PropInfo*> out;
    for (const PropInfo* p : m_published)
        if (!p->isEvent())
            out.push_back(p);
    return out;
}

std::vector<const PropInfo*> ClassInfo::events() const
{
    std::vector<const PropInfo*> out;
    for (const PropInfo* p : m_published)
        if (p->isEvent())
            out.push_back(p);
    return out;
}

Value zeroValue(const TypeInfo& type)
{
    switch (type.kind) {
    case TypeKind::Integer:
    case TypeKind::Int64:
        return Value::integerValue(std::clamp<std::int64_t>(0, type.minValue, type.maxValue));
    case TypeKind::Char:
        return Value::string(std::string(1, '\0'));
    case TypeKind::Boolean:
        return Value::boolean(false);
    case TypeKind::Enumeration:
        return type.elements.empty() ? Value{} : Value::ident(type.elements.front());
    case TypeKind::Set:
        return Value::set({});
    case TypeKind::String:
        return Value::string("");
    case TypeKind::Float:
        switch (type.floatKind) {
        case FloatKind::Single:
            return Value::single(0);
        case FloatKind::Currency:
            return Value::currency(0);
        case FloatKind::Date:
            return Value::date(0);
        default:
            return Value::extended(0);
        }
    case TypeKind::Class:
        switch (roleOf(type)) {
        case ClassRole::Strings:
            return Value::list({});
        case ClassRole::Collection: {
            Value v;
            v.tag = ValueTag::Collection;
            return v;
        }
        case ClassRole::Reference:
            return Value::nil();
        default:
            return Value{};
        }
    case TypeKind::Method:
        return Value{};
    }
    return Value{};
}

namespace {

bool integerOf(const Value& in, std::int64_t& out)
{
    if (in.isInteger()) {
        out = in.integer;
        return true;
    }
    return false;
}

std::string describe(const Value& v)
{
    if (v.isInteger())
        return std::to_string(v.integer);
    if (v.isString() || v.tag == ValueTag::Ident)
        return "'" + v.text + "'";
    return valueTagName(v.tag);
}

} // namespace

bool coerceValue(const TypeInfo& type, const Value& in, Value& out, std::string& error)
{
    switch (type.kind) {
    case TypeKind::Integer:
    case TypeKind::Int64: {
        std::int64_t n = 0;
        if (!integerOf(in, n)) {
            if (in.tag != ValueTag::Ident || !type.valueOfIdent(in.text, n)) {
                error = describe(in) + " is not a valid " + type.name + " value";
                return false;
            }
        }
        if (n < type.minValue || n > type.maxValue) {
            error = "Value must be between " + std::to_string(type.minValue) + " and " +
                    std::to_string(type.maxValue);
            return false;
        }
        out = Value::integerValue(n);
        return true;
    }
    case TypeKind::Char: {
        std::int64_t n = 0;
        if (in.isString() && in.text.size() == 1) {
            out = Value::string(in.text);
            return true;
        }
        if (integerOf(in, n) && n >= 0 && n <= 255) {
            out = Value::string(std::string(1, static_cast<char>(n)));
            return true;
        }
        error = describe(in) + " is not a single character";
        return false;
    }
    case TypeKind::Boolean:
        if (in.isBoolean()) {
            out = in;
            return true;
        }
        if (in.tag == ValueTag::Ident &&
            (platform::equalsNoCase(in.text, "True") || platform::equalsNoCase(in.text, "False"))) {
            out = Value::boolean(platform::equalsNoCase(in.text, "True"));
            return true;
        }
        error = describe(in) + " is not a valid Boolean value";
        return false;
    case TypeKind::Enumeration: {
        const int i = in.tag == ValueTag::Ident ? type.elementIndex(in.text) : -1;
        if (i < 0) {
            error = describe(in) + " is not a valid " + type.name + " value";
            return false;
        }
        out = Value::ident(type.elements[static_cast<std::size_t>(i)]);
        return true;
    }
    case TypeKind::Set: {
        if (in.tag != ValueTag::Set || !type.elementType) {
            error = describe(in) + " is not a set";
            return false;
        }
        const TypeInfo& e = *type.elementType;
        std::vector<bool> present(e.elements.size(), false);
        for (const auto& name : in.elements) {
            const int i = e.elementIndex(name);
            if (i < 0) {
                error = "'" + name + "' is not an element of " + type.name;
                return false;
            }
            present[static_cast<std::size_t>(i)] = true;
        }
        std::vector<std::string> names;
        for (std::size_t i = 0; i < present.size(); ++i)
            if (present[i])
                names.push_back(e.elements[i]);
        out = Value::set(std::move(names));
        return true;
    }
    case TypeKind::String:
        if (in.isString()) {
            out = Value::string(in.text);
            return true;
        }
        error = describe(in) + " is not a text";
        return false;
    case TypeKind::Float: {
        double d = 0;
        std::int64_t n = 0;
        if (in.isFloat())
            d = in.real;
        else if (in.tag == ValueTag::Currency)
            d = static_cast<double>(in.integer) / 10000.0;
        else if (integerOf(in, n))
            d = static_cast<double>(n);
        else {
            error = describe(in) + " is not a valid floating point value";
            return false;
        }
        switch (type.floatKind) {
        case FloatKind::Single:
            out = Value::single(static_cast<float>(d));
            break;
        case FloatKind::Currency:
            if (in.tag == ValueTag::Currency)
                out = in;
            else if (d > 9.2e14 || d < -9.2e14 || d != d) {
                error = "Currency value out of range";
                return false;
            } else
                out = Value::currency(static_cast<std::int64_t>(d * 10000.0 + (d < 0 ? -0.5 : 0.5)));
            break;
        case FloatKind::Date:
            out = Value::date(d);
            break;
        default:
            out = Value::extended(d);
            break;
        }
        return true;
    }
    case TypeKind::Class:
        switch (roleOf(type)) {
        case ClassRole::Strings:
            if (in.tag == ValueTag::List) {
                Value list = Value::list({});
                list.items.reserve(in.items.size());
                for (const auto& item : in.items) {
                    if (!item.isString()) {
                        error = "A string list holds only strings";
                        return false;
                    }
                    list.items.push_back(Value::string(item.text));
                }
                out = std::move(list);
                return true;
            }
            error = describe(in) + " is not a string list";
            return false;
        case ClassRole::Picture:
        case ClassRole::Graphic:
            if (in.tag == ValueTag::Binary || in.tag == ValueTag::Null) {
                out = in;
                return true;
            }
            error = describe(in) + " is not picture data";
            return false;
        case ClassRole::Collection:
            if (in.tag == ValueTag::Collection) {
                out = in;
                return true;
            }
            error = describe(in) + " is not a collection";
            return false;
        case ClassRole::Reference:
            if (in.tag == ValueTag::Nil || in.tag == ValueTag::Null ||
                ((in.tag == ValueTag::Ident || in.isString()) && in.text.empty())) {
                out = Value::nil();
                return true;
            }
            if (in.tag == ValueTag::Ident || in.isString()) {
                out = Value::ident(in.text);
                return true;
            }
            error = describe(in) + " is not a component name";
            return false;
        case ClassRole::Object:
            error = "The properties of " + type.name + " are set one by one";
            return false;
        }
        return false;
    case TypeKind::Method:
        error = "Events are bound by the script, not stored";
        return false;
    }
    return false;
}

} // namespace vcl
