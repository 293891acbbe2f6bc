// Property rows, display texts and typed-in values for the inspectors.
#include "vcl/property_editing.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"

#include <charconv>
#include <cstdio>

namespace vcl {

namespace {

bool isObject(const PropInfo& p)
{
    return p.type->kind == TypeKind::Class && p.classRole() == ClassRole::Object;
}

PropertyRow makeRow(const PropInfo& p, std::string path, int depth)
{
    PropertyRow r;
    r.path = std::move(path);
    r.prop = &p;
    r.depth = depth;
    r.expandable = isObject(p) || p.type->kind == TypeKind::Set;
    r.readOnly = p.readOnly;
    return r;
}

bool wanted(const Component& c, const PropInfo& p, const RowOptions& o, bool top)
{
    if (!p.isPublished() || p.isEvent() != o.events)
        return false;
    if (p.readOnly && !o.includeReadOnly)
        return false;
    return !top || !o.filter || o.filter(c, p);
}

// The object a row's property belongs to (the component or one of its nested objects).
const Persistent& holder(const Component& c, const PropertyRow& row)
{
    const auto dot = row.path.rfind('.');
    return dot == std::string::npos ? static_cast<const Persistent&>(c)
                                    : c.object(std::string_view(row.path).substr(0, dot));
}

std::string trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

[[noreturn]] void invalid()
{
    throw platform::Error("Invalid property value");
}

bool parseInteger(std::string_view s, std::int64_t& v)
{
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    std::uint64_t u = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), u, base);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
        return false;
    if (base == 16 && !negative && u <= 0xFFFFFFFFu && u > 0x7FFFFFFFu)
        u = static_cast<std::uint64_t>(static_cast<std::int64_t>(static_cast<std::int32_t>(u))); // colours
    if (u > static_cast<std::uint64_t>(INT64_MAX))
        return false;
    v = negative ? -static_cast<std::int64_t>(u) : static_cast<std::int64_t>(u);
    return true;
}

std::string floatText(double d)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

std::string pictureClass(const Value& data)
{
    // Picture data starts with the graphic's class name as a length-prefixed text.
    if (data.text.empty())
        return {};
    const auto n = static_cast<unsigned char>(data.text[0]);
    if (n == 0 || n + 1u > data.text.size())
        return {};
    return data.text.substr(1, n);
}

std::vector<const Component*> formComponents(const Component& c)
{
    std::vector<const Component*> out;
    for (const auto& owned : c.root().components())
        out.push_back(owned.get());
    return out;
}

} // namespace

std::vector<PropertyRow> propertyRows(const Component& c, const RowOptions& options)
{
    std::vector<PropertyRow> rows;
    for (const PropInfo* p : c.classInfo().properties)
        if (wanted(c, *p, options, true))
            rows.push_back(makeRow(*p, p->name, 0));
    return rows;
}

std::vector<PropertyRow> childRows(const Component& c, const PropertyRow& row, const RowOptions& options)
{
    std::vector<PropertyRow> rows;
    if (!row.element.empty())
        return rows;
    if (row.prop->type->kind == TypeKind::Set) {
        for (const auto& e : row.prop->type->elementType->elements) {
            PropertyRow r = makeRow(*row.prop, row.path, row.depth + 1);
            r.element = e;
            r.expandable = false;
            rows.push_back(std::move(r));
        }
        return rows;
    }
    if (!isObject(*row.prop))
        return rows;
    RowOptions nested = options;
    nested.events = false;
    for (const PropInfo* p : c.object(row.path).classInfo().properties)
        if (wanted(c, *p, nested, false))
            rows.push_back(makeRow(*p, row.path + "." + p->name, row.depth + 1));
    return rows;
}

std::vector<PropertyRow> commonPropertyRows(const std::vector<const Component*>& components,
                                            const RowOptions& options)
{
    if (components.empty())
        return {};
    std::vector<PropertyRow> rows = propertyRows(*components.front(), options);
    for (std::size_t i = 1; i < components.size(); ++i) {
        const std::vector<PropertyRow> other = propertyRows(*components[i], options);
        std::erase_if(rows, [&](const PropertyRow& r) {
            for (const auto& o : other)
                if (o.path == r.path && o.prop->type == r.prop->type)
                    return false;
            return true;
        });
    }
    return rows;
}

PropertyRow rowFor(const Component& c, std::string_view path, std::string_view element)
{
    const auto dot = path.rfind('.');
    const Persistent& obj =
        dot == std::string_view::npos ? static_cast<const Persistent&>(c) : c.object(path.substr(0, dot));
    const PropInfo* p =
        obj.classInfo().findProperty(dot == std::string_view::npos ? path : path.substr(dot + 1));
    if (!p)
        throw platform::Error("Property " + std::string(path) + " does not exist in " + c.classInfo().name);
    PropertyRow r =
        makeRow(*p, std::string(path), static_cast<int>(std::count(path.begin(), path.end(), '.')));
    r.path = std::string(path.substr(0, dot == std::string_view::npos ? path.size() : dot));
    if (dot != std::string_view::npos)
        r.path += "." + p->name;
    else
        r.path = p->name;
    if (!element.empty()) {
        if (p->type->kind != TypeKind::Set || p->type->elementType->elementIndex(element) < 0)
            throw platform::Error("'" + std::string(element) + "' is not an element of " + p->type->name);
        r.element = p->type->elementType
                        ->elements[static_cast<std::size_t>(p->type->elementType->elementIndex(element))];
        r.expandable = false;
    }
    return r;
}

std::string displayText(const Component& c, const PropertyRow& row)
{
    const PropInfo& p = *row.prop;
    const TypeInfo& t = *p.type;
    if (p.isEvent())
        return "(" + t.name + ")";
    if (row.path == "Name")
        return c.name();
    if (t.kind == TypeKind::Class) {
        switch (p.classRole()) {
        case ClassRole::Object:
            return "(" + t.name + ")";
        case ClassRole::Strings:
            return "(TStrings)";
        case ClassRole::Picture: {
            const std::string cls = pictureClass(c.value(row.path));
            return cls.empty() ? "(None)" : "(" + cls + ")";
        }
        case ClassRole::Graphic:
            return c.value(row.path).text.empty() ? "(None)" : "(" + t.name + ")";
        case ClassRole::Collection:
            return "(" + t.name + ")";
        case ClassRole::Reference:
            return c.text(row.path);
        }
    }
    const Value v = c.value(row.path);
    if (!row.element.empty()) {
        for (const auto& e : v.elements)
            if (e == row.element)
                return "True";
        return "False";
    }
    switch (t.kind) {
    case TypeKind::Integer:
    case TypeKind::Int64:
        if (t.shortCut)
            return shortCutToText(v.integer);
        if (const IdentEntry* e = t.identFor(v.integer))
            return std::string(e->name);
        if (t.idents.data() == colorIdents().data()) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "$%08X",
                          static_cast<unsigned>(static_cast<std::uint32_t>(v.integer)));
            return buf;
        }
        return std::to_string(v.integer);
    case TypeKind::Char: {
        const auto ch = static_cast<unsigned char>(v.text.empty() ? 0 : v.text[0]);
        if (ch >= 32 && ch < 127)
            return std::string(1, static_cast<char>(ch));
        std::string code(1, '#');
        code += std::to_string(ch);
        return code;
    }
    case TypeKind::Boolean:
        return v.tag == ValueTag::True ? "True" : "False";
    case TypeKind::Enumeration:
        return v.text;
    case TypeKind::Set: {
        std::string s = "[";
        for (std::size_t i = 0; i < v.elements.size(); ++i)
            s += (i ? "," : "") + v.elements[i];
        return s + "]";
    }
    case TypeKind::String:
        return v.text;
    case TypeKind::Float:
        if (t.floatKind == FloatKind::Currency)
            return floatText(static_cast<double>(v.integer) / 10000.0);
        return floatText(v.real);
    default:
        return {};
    }
}

std::string displayText(const Component& c, std::string_view path)
{
    return displayText(c, rowFor(c, path));
}

void setFromText(Component& c, const PropertyRow& row, std::string_view input)
{
    const PropInfo& p = *row.prop;
    const TypeInfo& t = *p.type;
    if (p.readOnly)
        throw platform::Error("Property " + p.name + " is read-only");
    if (row.path == "Name") {
        c.setName(trimmed(input));
        return;
    }
    const std::string text = t.kind == TypeKind::String || t.kind == TypeKind::Char ||
                                     (t.kind == TypeKind::Class && p.classRole() == ClassRole::Strings)
                                 ? std::string(input)
                                 : trimmed(input);
    Value v;
    if (!row.element.empty()) {
        const bool on = platform::equalsNoCase(text, "True");
        if (!on && !platform::equalsNoCase(text, "False"))
            invalid();
        Value set = c.value(row.path);
        std::erase(set.elements, row.element);
        if (on)
            set.elements.push_back(row.element);
        c.setValue(row.path, set);
        return;
    }
    switch (t.kind) {
    case TypeKind::Integer:
    case TypeKind::Int64: {
        std::int64_t n = 0;
        if (t.shortCut && textToShortCut(text, n)) {
        } else if (t.valueOfIdent(text, n)) {
        } else if (t.idents.data() == cursorIdents().data() && platform::equalsNoCase(text, "crSize")) {
            n = -22;
        } else if (!parseInteger(text, n)) {
            throw platform::Error("'" + text + "' is not a valid integer value");
        }
        v = Value::integerValue(n);
        break;
    }
    case TypeKind::Char:
        if (text.size() == 1) {
            v = Value::string(text);
        } else if (text.size() > 1 && text[0] == '#') {
            std::int64_t n = 0;
            if (!parseInteger(text.substr(1), n) || n < 0 || n > 255)
                invalid();
            v = Value::string(std::string(1, static_cast<char>(n)));
        } else {
            invalid();
        }
        break;
    case TypeKind::Boolean:
        if (platform::equalsNoCase(text, "True"))
            v = Value::boolean(true);
        else if (platform::equalsNoCase(text, "False"))
            v = Value::boolean(false);
        else
            invalid();
        break;
    case TypeKind::Enumeration:
        if (t.elementIndex(text) < 0)
            invalid();
        v = Value::ident(text);
        break;
    case TypeKind::Set: {
        std::string_view s = text;
        if (!s.empty() && s.front() == '[')
            s.remove_prefix(1);
        if (!s.empty() && s.back() == ']')
            s.remove_suffix(1);
        std::vector<std::string> names;
        while (!s.empty()) {
            const auto comma = s.find(',');
            std::string name = trimmed(s.substr(0, comma));
            if (!name.empty())
                names.push_back(std::move(name));
            if (comma == std::string_view::npos)
                break;
            s.remove_prefix(comma + 1);
        }
        v = Value::set(std::move(names));
        break;
    }
    case TypeKind::String:
        v = Value::string(text);
        break;
    case TypeKind::Float: {
        double d = 0;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), d);
        if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size())
            throw platform::Error("'" + text + "' is not a valid floating point value");
        v = Value::extended(d);
        break;
    }
    case TypeKind::Class:
        if (p.classRole() == ClassRole::Strings) {
            v = Value::list({});
            std::string_view s = text;
            while (!s.empty()) {
                const auto nl = s.find('\n');
                std::string_view line = s.substr(0, nl);
                if (!line.empty() && line.back() == '\r')
                    line.remove_suffix(1);
                v.items.push_back(Value::string(line));
                if (nl == std::string_view::npos)
                    break;
                s.remove_prefix(nl + 1);
            }
            break;
        }
        if (p.classRole() == ClassRole::Reference) {
            if (text.empty()) {
                v = Value::nil();
                break;
            }
            const Component* target = nullptr;
            for (const Component* other : formComponents(c))
                if (platform::equalsNoCase(other->name(), text))
                    target = other;
            if (!target || !target->classInfo().inheritsFrom(t.classInfo))
                invalid();
            v = Value::ident(target->name());
            break;
        }
        throw platform::Error("Property " + p.name + " is edited with its own editor");
    case TypeKind::Method:
        throw platform::Error("Event " + p.name + " is bound by the script");
    }
    c.setValue(row.path, v);
}

void setFromText(Component& c, std::string_view path, std::string_view text)
{
    setFromText(c, rowFor(c, path), text);
}

std::vector<std::string> valueChoices(const Component& c, const PropertyRow& row)
{
    const TypeInfo& t = *row.prop->type;
    std::vector<std::string> out;
    if (!row.element.empty() || t.kind == TypeKind::Boolean)
        return {"False", "True"};
    if (t.kind == TypeKind::Enumeration)
        return t.elements;
    if ((t.kind == TypeKind::Integer || t.kind == TypeKind::Int64) && !t.shortCut) {
        for (const auto& e : t.idents)
            out.emplace_back(e.name);
        return out;
    }
    if (t.kind == TypeKind::Class && row.prop->classRole() == ClassRole::Reference) {
        for (const Component* other : formComponents(c))
            if (!other->name().empty() && other->classInfo().inheritsFrom(t.classInfo))
                out.push_back(other->name());
    }
    return out;
}

bool isInitialValue(const Component& c, const PropertyRow& row)
{
    const PropInfo& p = *row.prop;
    if (p.isEvent() || row.path == "Name" || isObject(p))
        return true;
    const Persistent& obj = holder(c, row);
    return c.propertyValue(obj, p) == obj.classInfo().initialValue(p);
}

} // namespace vcl
