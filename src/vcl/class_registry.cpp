// The class registry and the reader of the class-table language (described in class_table_stock.cpp).
#include "vcl/class_registry.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace vcl {

namespace {

enum class Tok { Ident, Number, String, CharCode, Punct, End };

struct Token {
    Tok kind = Tok::End;
    std::string text; // identifier, string contents, punctuation character
    std::int64_t number = 0;
};

class Lexer {
public:
    explicit Lexer(std::string_view line) : m_s(line) {}

    Token next()
    {
        while (m_i < m_s.size() && (m_s[m_i] == ' ' || m_s[m_i] == '\t'))
            ++m_i;
        Token t;
        if (m_i >= m_s.size())
            return t;
        const char c = m_s[m_i];
        auto isIdent = [](char ch, bool first) {
            return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_' ||
                   (!first && ((ch >= '0' && ch <= '9') || ch == '@' || ch == '.'));
        };
        if (isIdent(c, true)) {
            const std::size_t b = m_i;
            while (m_i < m_s.size() && isIdent(m_s[m_i], false))
                ++m_i;
            t.kind = Tok::Ident;
            t.text = m_s.substr(b, m_i - b);
        } else if ((c >= '0' && c <= '9') || c == '$' ||
                   (c == '-' && m_i + 1 < m_s.size() && m_s[m_i + 1] >= '0' && m_s[m_i + 1] <= '9')) {
            const bool neg = c == '-';
            if (neg)
                ++m_i;
            const bool hex = m_s[m_i] == '$';
            if (hex)
                ++m_i;
            const std::size_t b = m_i;
            while (m_i < m_s.size() && std::isxdigit(static_cast<unsigned char>(m_s[m_i])))
                ++m_i;
            std::int64_t v = 0;
            std::from_chars(m_s.data() + b, m_s.data() + m_i, v, hex ? 16 : 10);
            t.kind = Tok::Number;
            t.number = neg ? -v : v;
        } else if (c == '\'') {
            ++m_i;
            t.kind = Tok::String;
            while (m_i < m_s.size()) {
                if (m_s[m_i] == '\'') {
                    if (m_i + 1 < m_s.size() && m_s[m_i + 1] == '\'') {
                        t.text.push_back('\'');
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    break;
                }
                t.text.push_back(m_s[m_i++]);
            }
        } else if (c == '#') {
            ++m_i;
            const std::size_t b = m_i;
            while (m_i < m_s.size() && m_s[m_i] >= '0' && m_s[m_i] <= '9')
                ++m_i;
            t.kind = Tok::CharCode;
            std::from_chars(m_s.data() + b, m_s.data() + m_i, t.number);
        } else {
            t.kind = Tok::Punct;
            t.text = std::string(1, c);
            ++m_i;
        }
        return t;
    }

    std::string_view rest() const { return m_s.substr(std::min(m_i, m_s.size())); }

private:
    std::string_view m_s;
    std::size_t m_i = 0;
};

std::string upper(std::string_view s)
{
    return platform::toUpperAscii(s);
}

} // namespace

// Reads the class tables into a registry, statement by statement.
class ClassTableParser {
public:
    explicit ClassTableParser(ClassRegistry& reg) : m_reg(reg) {}

    void parse(std::string_view table)
    {
        std::size_t pos = 0;
        int lineNo = 0;
        while (pos < table.size()) {
            std::string logical;
            const int first = lineNo + 1;
            for (;;) {
                const std::size_t eol = std::min(table.find('\n', pos), table.size());
                std::string_view line = table.substr(pos, eol - pos);
                pos = eol + 1;
                ++lineNo;
                line = stripComment(line);
                while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
                    line.remove_suffix(1);
                logical += ' ';
                logical += line;
                if (line.empty() || line.back() != ',' || pos >= table.size())
                    break;
            }
            m_line = first;
            statement(logical);
        }
        finishClass();
    }

    void finish()
    {
        finishClass();
        for (auto& t : m_reg.m_types)
            if (t->kind == TypeKind::Class && !t->classInfo)
                fail("class " + t->name + " was declared forward but never defined");
    }

private:
    // A comment is '#' followed by a blank or the end of the line; "#0" is a character code.
    static std::string_view stripComment(std::string_view line)
    {
        bool inString = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\'')
                inString = !inString;
            else if (line[i] == '#' && !inString && (i + 1 == line.size() || line[i + 1] == ' '))
                return line.substr(0, i);
        }
        return line;
    }

    [[noreturn]] void fail(const std::string& message) const
    {
        throw platform::Error("class table line " + std::to_string(m_line) + ": " + message);
    }

    Token expect(Lexer& lx, Tok kind, const char* what)
    {
        Token t = lx.next();
        if (t.kind != kind)
            fail(std::string(what) + " expected");
        return t;
    }

    void expectPunct(Lexer& lx, char c)
    {
        Token t = lx.next();
        if (t.kind != Tok::Punct || t.text[0] != c)
            fail(std::string("'") + c + "' expected");
    }

    TypeInfo& newType(const std::string& key, TypeKind kind)
    {
        if (m_reg.m_typeByName.count(upper(key)))
            fail("type " + key + " is declared twice");
        auto t = std::make_unique<TypeInfo>();
        const auto at = key.find('@');
        t->name = key.substr(0, at); // "TScrollStyle@Marquee" shows as TScrollStyle
        t->kind = kind;
        TypeInfo& ref = *t;
        m_reg.m_typeByName[upper(key)] = t.get();
        m_reg.m_typeOrder.push_back(t.get());
        m_reg.m_types.push_back(std::move(t));
        return ref;
    }

    const TypeInfo& typeNamed(const std::string& name)
    {
        const auto it = m_reg.m_typeByName.find(upper(name));
        if (it == m_reg.m_typeByName.end())
            fail("unknown type " + name);
        return *it->second;
    }

    ClassInfo& classNamed(const std::string& name)
    {
        const auto it = m_reg.m_classByName.find(upper(name));
        if (it == m_reg.m_classByName.end())
            fail("unknown class " + name);
        return *it->second;
    }

    void statement(const std::string& text)
    {
        Lexer lx(text);
        const Token head = lx.next();
        if (head.kind == Tok::End)
            return;
        if (head.kind != Tok::Ident)
            fail("statement expected");
        const std::string& k = head.text;
        if (k == "published" || k == "public" || k == "custom" || k == "publish" || k == "init") {
            if (!m_class)
                fail(k + " outside a class");
            if (k == "publish")
                publishList(lx);
            else if (k == "init")
                initList(lx);
            else
                declareProperty(lx, k == "published" ? Visibility::Published
                                    : k == "public"  ? Visibility::Public
                                                     : Visibility::Custom);
            return;
        }
        finishClass();
        if (k == "int")
            intType(lx);
        else if (k == "int64") {
            TypeInfo& t = simpleType(lx, TypeKind::Int64);
            t.minValue = INT64_MIN;
            t.maxValue = INT64_MAX;
        } else if (k == "char")
            simpleType(lx, TypeKind::Char).maxValue = 255;
        else if (k == "bool")
            simpleType(lx, TypeKind::Boolean).maxValue = 1;
        else if (k == "string") {
            TypeInfo& t = simpleType(lx, TypeKind::String);
            const Token w = lx.next();
            t.wide = w.kind == Tok::Ident && w.text == "wide";
        } else if (k == "float")
            floatType(lx);
        else if (k == "enum")
            enumType(lx);
        else if (k == "set")
            setType(lx);
        else if (k == "event")
            eventType(lx);
        else if (k == "forward")
            newType(expect(lx, Tok::Ident, "class name").text, TypeKind::Class);
        else if (k == "class")
            classStatement(lx);
        else
            fail("unknown statement " + k);
    }

    TypeInfo& simpleType(Lexer& lx, TypeKind kind)
    {
        return newType(expect(lx, Tok::Ident, "type name").text, kind);
    }

    void intType(Lexer& lx)
    {
        TypeInfo& t = simpleType(lx, TypeKind::Integer);
        t.minValue = expect(lx, Tok::Number, "lowest value").number;
        const Token hi = expect(lx, Tok::Number, "highest value");
        t.maxValue = hi.number;
        for (Token o = lx.next(); o.kind != Tok::End; o = lx.next()) {
            if (o.text == "shortcut") {
                t.shortCut = true;
            } else if (o.text == "idents") {
                expectPunct(lx, '=');
                const std::string map = expect(lx, Tok::Ident, "identifier table").text;
                if (map == "colors")
                    t.idents = colorIdents();
                else if (map == "cursors")
                    t.idents = cursorIdents();
                else if (map == "charsets")
                    t.idents = charsetIdents();
                else
                    fail("unknown identifier table " + map);
            } else {
                fail("unknown option " + o.text);
            }
        }
    }

    void floatType(Lexer& lx)
    {
        TypeInfo& t = simpleType(lx, TypeKind::Float);
        const std::string kind = expect(lx, Tok::Ident, "float kind").text;
        if (kind == "single")
            t.floatKind = FloatKind::Single;
        else if (kind == "double")
            t.floatKind = FloatKind::Double;
        else if (kind == "extended")
            t.floatKind = FloatKind::Extended;
        else if (kind == "currency")
            t.floatKind = FloatKind::Currency;
        else if (kind == "date")
            t.floatKind = FloatKind::Date;
        else
            fail("unknown float kind " + kind);
    }

    void enumType(Lexer& lx)
    {
        TypeInfo& t = simpleType(lx, TypeKind::Enumeration);
        for (Token e = lx.next(); e.kind != Tok::End; e = lx.next()) {
            if (e.kind == Tok::Punct && e.text == ",")
                continue;
            if (e.kind != Tok::Ident)
                fail("enumeration element expected");
            t.elements.push_back(e.text);
        }
        if (t.elements.empty())
            fail("an enumeration needs elements");
        t.maxValue = static_cast<std::int64_t>(t.elements.size()) - 1;
    }

    void setType(Lexer& lx)
    {
        TypeInfo& t = simpleType(lx, TypeKind::Set);
        const TypeInfo& e = typeNamed(expect(lx, Tok::Ident, "element type").text);
        if (e.kind != TypeKind::Enumeration)
            fail("set elements must be an enumeration");
        t.elementType = &e;
    }

    void eventType(Lexer& lx)
    {
        TypeInfo& t = simpleType(lx, TypeKind::Method);
        expectPunct(lx, '=');
        std::string rest(lx.rest());
        // Parameter lists continued on the next line end their part with ";," in the table.
        for (std::size_t p; (p = rest.find(";,")) != std::string::npos;)
            rest.erase(p + 1, 1);
        std::string collapsed;
        for (char c : rest) {
            if (c == ' ' && (collapsed.empty() || collapsed.back() == ' '))
                continue;
            collapsed.push_back(c);
        }
        while (!collapsed.empty() && collapsed.back() == ' ')
            collapsed.pop_back();
        const auto close = collapsed.rfind(')');
        if (collapsed.empty() || collapsed.front() != '(' || close == std::string::npos)
            fail("parameter list expected");
        t.params = collapsed.substr(0, close + 1);
        auto result = collapsed.substr(close + 1);
        if (!result.empty()) {
            if (result.size() < 3 || result.compare(0, 2, ": ") != 0)
                fail("': result type' expected");
            t.resultType = result.substr(2);
        }
    }

    void classStatement(Lexer& lx)
    {
        const std::string name = expect(lx, Tok::Ident, "class name").text;
        if (m_reg.m_classByName.count(upper(name)))
            fail("class " + name + " is declared twice");
        auto cls = std::make_unique<ClassInfo>();
        cls->name = name;
        Token t = lx.next();
        if (t.kind == Tok::Punct && t.text == ":") {
            const ClassInfo& parent = classNamed(expect(lx, Tok::Ident, "parent class").text);
            cls->parent = &parent;
            cls->kind = parent.kind;
            cls->role = parent.role;
            cls->acceptsControls = parent.acceptsControls;
            cls->tile = parent.tile;
            cls->nameProperty = parent.nameProperty;
            cls->itemClass = parent.itemClass;
            cls->m_byName = parent.m_byName;
            cls->m_bySlot = parent.m_bySlot;
            cls->m_initialBySlot = parent.m_initialBySlot;
            cls->m_nestedInitials = parent.m_nestedInitials;
            cls->m_published = parent.m_published;
            cls->m_custom = parent.m_custom;
            t = lx.next();
        }
        for (; t.kind != Tok::End; t = lx.next()) {
            const std::string& f = t.text;
            if (f == "abstract")
                cls->abstract = true;
            else if (f == "streamed")
                cls->streamable = true;
            else if (f == "component")
                cls->kind = ClassKind::Component;
            else if (f == "graphic")
                cls->kind = ClassKind::GraphicControl;
            else if (f == "windowed")
                cls->kind = ClassKind::WinControl;
            else if (f == "container")
                cls->acceptsControls = true;
            else if (f == "tile")
                cls->tile = true;
            else if (f == "ownedbyparent")
                cls->ownedByParent = true;
            else if (f == "namesto" || f == "items" || f == "role") {
                expectPunct(lx, '=');
                Lexer probe = lx;
                Token v = lx.next();
                if (v.kind != Tok::Ident) {
                    if (f != "namesto")
                        fail(f + " needs a value");
                    lx = probe;
                    cls->nameProperty.clear();
                    continue;
                }
                if (f == "namesto")
                    cls->nameProperty = v.text;
                else if (f == "items")
                    cls->itemClass = &classNamed(v.text);
                else if (v.text == "strings")
                    cls->role = ClassRole::Strings;
                else if (v.text == "picture")
                    cls->role = ClassRole::Picture;
                else if (v.text == "graphic")
                    cls->role = ClassRole::Graphic;
                else if (v.text == "collection")
                    cls->role = ClassRole::Collection;
                else
                    fail("unknown role " + v.text);
            } else {
                fail("unknown class option " + f);
            }
        }
        if (cls->kind != ClassKind::Persistent)
            cls->role = ClassRole::Reference;
        // Each class is also the type of properties that hold it.
        TypeInfo* type = nullptr;
        if (const auto it = m_reg.m_typeByName.find(upper(name)); it != m_reg.m_typeByName.end()) {
            type = it->second;
            if (type->kind != TypeKind::Class || type->classInfo)
                fail(name + " is already a type");
        } else {
            type = &newType(name, TypeKind::Class);
        }
        type->classInfo = cls.get();
        m_class = cls.get();
        m_reg.m_classByName[upper(name)] = cls.get();
        m_reg.m_classOrder.push_back(cls.get());
        if (cls->streamable)
            m_reg.m_streaming.push_back(cls.get());
        m_reg.m_classes.push_back(std::move(cls));
        m_pendingInit.clear();
        m_pendingFlags.clear();
        m_newDefaults.clear();
    }

    struct Attrs {
        std::optional<Value> def; // raw value token, coerced against the property's type
        bool nodefault = false;
        std::optional<std::string> stored; // "False", "True", "FLAG", "!FLAG", "@RULE"
        std::optional<std::string> parent;
        bool readOnly = false;
        bool writeOnly = false;
    };

    // A value token as written in the table (coerced later against the property's type).
    Value rawValue(Lexer& lx, Token t)
    {
        switch (t.kind) {
        case Tok::Number:
            return Value::integerValue(t.number);
        case Tok::String:
            return Value::string(t.text);
        case Tok::CharCode:
            return Value::string(std::string(1, static_cast<char>(t.number)));
        case Tok::Ident:
            if (t.text == "True" || t.text == "False")
                return Value::boolean(t.text == "True");
            return Value::ident(t.text);
        case Tok::Punct:
            if (t.text == "[") {
                std::vector<std::string> names;
                for (Token e = lx.next();; e = lx.next()) {
                    if (e.kind == Tok::Punct && e.text == "]")
                        break;
                    if (e.kind == Tok::Punct && e.text == ",")
                        continue;
                    if (e.kind != Tok::Ident)
                        fail("set element expected");
                    names.push_back(e.text);
                }
                return Value::set(std::move(names));
            }
            break;
        default:
            break;
        }
        fail("value expected");
    }

    // Reads attributes up to a ',' at the top level or the end; returns false at the end of the line.
    bool readAttrs(Lexer& lx, Attrs& a)
    {
        for (;;) {
            Token t = lx.next();
            if (t.kind == Tok::End)
                return false;
            if (t.kind == Tok::Punct && t.text == ",")
                return true;
            if (t.kind == Tok::Punct && t.text == "=") {
                a.def = rawValue(lx, lx.next());
            } else if (t.kind == Tok::Ident && t.text == "nodefault") {
                a.nodefault = true;
            } else if (t.kind == Tok::Ident && t.text == "readonly") {
                a.readOnly = true;
            } else if (t.kind == Tok::Ident && t.text == "writeonly") {
                a.writeOnly = true;
            } else if (t.kind == Tok::Ident && (t.text == "stored" || t.text == "parent")) {
                const bool stored = t.text == "stored";
                expectPunct(lx, '=');
                Token v = lx.next();
                std::string s;
                if (v.kind == Tok::Punct && (v.text == "!" || v.text == "@")) {
                    s = v.text;
                    v = lx.next();
                }
                if (v.kind != Tok::Ident)
                    fail("property or rule name expected");
                s += v.text;
                (stored ? a.stored : a.parent) = s;
            } else {
                fail("unexpected '" + t.text + "'");
            }
        }
    }

    Value coerced(const TypeInfo& type, const Value& raw, const std::string& what)
    {
        Value out;
        std::string error;
        if (!coerceValue(type, raw, out, error))
            fail(what + ": " + error);
        return out;
    }

    PropInfo& declare(const std::string& name, const TypeInfo* type, Visibility vis, const Attrs& a)
    {
        ClassInfo& cls = *m_class;
        const std::string key = upper(name);
        const auto it = cls.m_byName.find(key);
        const PropInfo* existing = it == cls.m_byName.end() ? nullptr : it->second;
        if (existing && existing->visibility == Visibility::Published && vis == Visibility::Custom)
            return declareStreamedCopy(*existing, type, a);
        auto p = std::make_unique<PropInfo>();
        if (existing) {
            *p = *existing;
            if (type && type != existing->type)
                fail(name + " is redeclared with another type");
            if (existing->visibility == Visibility::Published ||
                (existing->visibility == Visibility::Custom && vis != Visibility::Published))
                vis = existing->visibility;
        } else {
            if (!type)
                fail(name + " is not declared in an ancestor of " + cls.name);
            p->type = type;
            p->slot = cls.slotCount();
            cls.m_bySlot.push_back(nullptr);
            cls.m_initialBySlot.push_back(zeroValue(*type));
        }
        p->name = existing ? existing->name : name;
        p->declaredIn = &cls;
        p->root = existing ? existing->root : p.get();
        p->visibility = vis;
        if (a.readOnly)
            p->readOnly = true;
        if (a.writeOnly)
            p->writeOnly = true;
        if (a.nodefault) {
            p->hasDefault = false;
            p->defaultValue = Value{};
        }
        if (a.def) {
            p->hasDefault = true;
            p->defaultValue = coerced(*p->type, *a.def, name);
            m_newDefaults.push_back(p.get());
        }
        if (a.stored) {
            const std::string& s = *a.stored;
            p->storedFlag = nullptr;
            p->storedPredicate.clear();
            if (s == "False") {
                p->stored = StoredRule::Never;
            } else if (s == "True") {
                p->stored = StoredRule::Always;
            } else if (s[0] == '@') {
                p->stored = StoredRule::Predicate;
                p->storedPredicate = s.substr(1);
            } else {
                p->stored = s[0] == '!' ? StoredRule::WhenFlagFalse : StoredRule::WhenFlagTrue;
                m_pendingFlags.push_back({p.get(), s[0] == '!' ? s.substr(1) : s, true});
            }
        }
        if (a.parent)
            m_pendingFlags.push_back({p.get(), *a.parent, false});

        PropInfo* raw = p.get();
        if (vis == Visibility::Published) {
            bool replaced = false;
            for (auto& q : cls.m_published) {
                if (q->root == raw->root) {
                    q = raw;
                    replaced = true;
                }
            }
            if (!replaced)
                cls.m_published.push_back(raw);
        } else if (vis == Visibility::Custom) {
            bool replaced = false;
            for (auto& q : cls.m_custom)
                if (q->root == raw->root)
                    q = raw, replaced = true;
            if (!replaced)
                cls.m_custom.push_back(raw);
        }
        cls.m_byName[key] = raw;
        cls.m_bySlot[static_cast<std::size_t>(raw->slot)] = raw;
        cls.m_own.push_back(std::move(p));
        return *raw;
    }

    // A published property that the class also streams itself, after its published ones (a form's
    // PixelsPerInch): the published declaration keeps its place for the inspectors and is not
    // stored; this copy, sharing its storage, is what the streams write and read.
    PropInfo& declareStreamedCopy(const PropInfo& published, const TypeInfo* type, const Attrs& a)
    {
        if (type && type != published.type)
            fail(published.name + " is redeclared with another type");
        if (a.def || a.nodefault || a.stored || a.parent || a.readOnly || a.writeOnly)
            fail(published.name + ": a streamed copy takes no attributes");
        ClassInfo& cls = *m_class;
        auto p = std::make_unique<PropInfo>(published);
        p->root = published.root;
        p->declaredIn = &cls;
        p->visibility = Visibility::Custom;
        p->stored = StoredRule::Always;
        p->storedFlag = nullptr;
        p->storedPredicate.clear();
        PropInfo* raw = p.get();
        bool replaced = false;
        for (auto& q : cls.m_custom)
            if (q->root == raw->root)
                q = raw, replaced = true;
        if (!replaced)
            cls.m_custom.push_back(raw);
        cls.m_own.push_back(std::move(p));
        return *raw;
    }

    void declareProperty(Lexer& lx, Visibility vis)
    {
        const std::string name = expect(lx, Tok::Ident, "property name").text;
        expectPunct(lx, ':');
        const TypeInfo& type = typeNamed(expect(lx, Tok::Ident, "type name").text);
        Attrs a;
        if (readAttrs(lx, a))
            fail("one property per line");
        declare(name, &type, vis, a);
    }

    void publishList(Lexer& lx)
    {
        for (;;) {
            const Token t = lx.next();
            if (t.kind == Tok::End)
                return;
            if (t.kind != Tok::Ident)
                fail("property name expected");
            Attrs a;
            const bool more = readAttrs(lx, a);
            declare(t.text, nullptr, Visibility::Published, a);
            if (!more)
                return;
        }
    }

    void initList(Lexer& lx)
    {
        for (;;) {
            const Token t = lx.next();
            if (t.kind == Tok::End)
                return;
            if (t.kind != Tok::Ident)
                fail("property name expected");
            expectPunct(lx, '=');
            m_pendingInit.push_back({t.text, rawValue(lx, lx.next())});
            const Token sep = lx.next();
            if (sep.kind == Tok::End)
                return;
            if (sep.kind != Tok::Punct || sep.text != ",")
                fail("',' expected between initial values");
        }
    }

    // The type of a dotted path's last property, starting at `cls`.
    const PropInfo& resolvePath(const ClassInfo& cls, std::string_view path)
    {
        const auto dot = path.find('.');
        const PropInfo* p = cls.findProperty(path.substr(0, dot));
        if (!p)
            fail("unknown property " + std::string(path.substr(0, dot)) + " of " + cls.name);
        if (dot == std::string_view::npos)
            return *p;
        if (p->type->kind != TypeKind::Class || p->classRole() != ClassRole::Object)
            fail(p->name + " has no properties of its own");
        return resolvePath(*p->type->classInfo, path.substr(dot + 1));
    }

    void finishClass()
    {
        if (!m_class)
            return;
        ClassInfo& cls = *m_class;
        for (const auto& f : m_pendingFlags) {
            const PropInfo* flag = cls.findProperty(f.flag);
            if (!flag || flag->type->kind != TypeKind::Boolean)
                fail(cls.name + ": " + f.flag + " is not a Boolean property");
            if (f.stored)
                f.prop->storedFlag = flag->root;
            else
                f.prop->parentFlag = flag->root;
        }
        for (const PropInfo* p : m_newDefaults)
            cls.m_initialBySlot[static_cast<std::size_t>(p->slot)] = p->defaultValue;
        for (const auto& init : m_pendingInit) {
            const PropInfo& p = resolvePath(cls, init.name);
            Value v = coerced(*p.type, init.value, init.name);
            if (init.name.find('.') != std::string::npos)
                cls.m_nestedInitials.push_back({init.name, std::move(v)});
            else
                cls.m_initialBySlot[static_cast<std::size_t>(p.slot)] = std::move(v);
        }
        cls.properties = cls.m_published;
        cls.properties.insert(cls.properties.end(), cls.m_custom.begin(), cls.m_custom.end());
        m_pendingInit.clear();
        m_pendingFlags.clear();
        m_newDefaults.clear();
        m_class = nullptr;
    }

    struct PendingFlag {
        PropInfo* prop;
        std::string flag;
        bool stored;
    };

    ClassRegistry& m_reg;
    ClassInfo* m_class = nullptr;
    int m_line = 0;
    std::vector<NamedValue> m_pendingInit;
    std::vector<PendingFlag> m_pendingFlags;
    std::vector<const PropInfo*> m_newDefaults;
};

ClassRegistry::ClassRegistry() = default;
ClassRegistry::~ClassRegistry() = default;

std::unique_ptr<ClassRegistry> ClassRegistry::fromTables(const std::vector<std::string_view>& tables)
{
    auto reg = std::make_unique<ClassRegistry>();
    ClassTableParser parser(*reg);
    for (const auto& t : tables)
        parser.parse(t);
    parser.finish();
    return reg;
}

const ClassRegistry& ClassRegistry::instance()
{
    static const std::unique_ptr<ClassRegistry> reg = fromTables({stockClassTable(), studioClassTable()});
    return *reg;
}

const ClassInfo* ClassRegistry::findClass(std::string_view name) const
{
    const auto it = m_classByName.find(name);
    return it == m_classByName.end() ? nullptr : it->second;
}

const ClassInfo* ClassRegistry::findStreamableClass(std::string_view name) const
{
    const ClassInfo* c = findClass(name);
    return c && c->streamable ? c : nullptr;
}

const TypeInfo* ClassRegistry::findType(std::string_view name) const
{
    const auto it = m_typeByName.find(name);
    return it == m_typeByName.end() ? nullptr : it->second;
}

const ClassInfo& ClassRegistry::classNamed(std::string_view name) const
{
    if (const ClassInfo* c = findClass(name))
        return *c;
    throw platform::Error("Class " + std::string(name) + " not found");
}

const TypeInfo& ClassRegistry::typeNamed(std::string_view name) const
{
    if (const TypeInfo* t = findType(name))
        return *t;
    throw platform::Error("Type " + std::string(name) + " not found");
}

} // namespace vcl
