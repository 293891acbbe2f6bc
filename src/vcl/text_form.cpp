// Conversion between the binary component stream and its text notation.
#include "vcl/text_form.h"

#include "platform/text_encoding.h"
#include "vcl/typed_value_stream.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace vcl {

TextFormError::TextFormError(const std::string& detail, int line, int column)
    : platform::Error("Invalid text form at line " + std::to_string(line) + ", column " +
                      std::to_string(column) + ": " + detail),
      m_line(line), m_column(column)
{}

// ---------------------------------------------------------------------------------------------------
// Binary to text

namespace {

constexpr std::size_t kLineLength = 64;   // characters of a string literal per line
constexpr std::size_t kBytesPerLine = 32; // bytes of binary data per line

class TextWriter {
public:
    TextWriter(std::string& out, std::string_view eol) : m_out(out), m_eol(eol) {}

    void indent(int level) { m_out.append(static_cast<std::size_t>(level) * 2, ' '); }
    void newLine(int level)
    {
        m_out.append(m_eol);
        indent(level);
    }
    std::string& out() { return m_out; }
    std::string_view eol() const { return m_eol; }

private:
    std::string& m_out;
    std::string_view m_eol;
};

std::string floatText(double d)
{
    if (std::isnan(d))
        return "NAN";
    if (std::isinf(d))
        return d < 0 ? "-INF" : "INF";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".eE") == std::string::npos)
        s += ".0"; // a float must not read back as an integer
    return s;
}

std::string singleText(float f)
{
    if (std::isnan(f))
        return "NANs";
    if (std::isinf(f))
        return f < 0 ? "-INFs" : "INFs";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, f);
    return std::string(buf, r.ptr) + "s";
}

std::string currencyText(std::int64_t scaled)
{
    const bool negative = scaled < 0;
    const std::uint64_t m =
        negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string s = (negative ? "-" : "") + std::to_string(m / 10000);
    std::string frac = std::to_string(10000 + m % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty())
        s += "." + frac;
    return s + "c";
}

bool identifierPart(char c, bool first)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || (!first && c >= '0' && c <= '9');
}

// An identifier, or several joined by dots when `dotted`, that the text reader reads back as one.
bool writableName(std::string_view s, bool dotted)
{
    if (s.empty())
        return false;
    bool first = true;
    for (char c : s) {
        if (c == '.' && dotted && !first) {
            first = true;
            continue;
        }
        if (!identifierPart(c, first))
            return false;
        first = false;
    }
    if (first)
        return false; // ends with a dot
    static const char* const reserved[] = {"object", "inherited", "inline", "end", "item"};
    for (const char* r : reserved)
        if (platform::equalsNoCase(s, r))
            return false;
    return true;
}

// Identifier values that the text reader would take for something else.
bool writableIdent(std::string_view s)
{
    static const char* const taken[] = {"True", "False", "nil",  "Null", "INF",
                                        "NAN",  "INFs",  "NANs", "INFd", "NANd"};
    for (const char* t : taken)
        if (platform::equalsNoCase(s, t))
            return false;
    return writableName(s, true);
}

[[noreturn]] void notWritable(std::string_view what, std::string_view name)
{
    throw StreamError(
        std::string(what) + " '" + std::string(name.substr(0, 60)) + "' cannot be written as text", 0);
}

bool printable(char16_t c)
{
    return c >= 32 && c < 127 && c != '\'';
}

// `afterEquals`: the literal follows "Name = ", so a long one may start on the next line.
void writeString(TextWriter& w, std::string_view utf8, int level, bool afterEquals)
{
    std::string& out = w.out();
    const std::u16string u = platform::utf8ToUtf16(utf8);
    if (u.empty()) {
        out += "''";
        return;
    }
    if (u.size() > kLineLength && afterEquals) {
        out.pop_back(); // the blank after '='
        w.newLine(level + 1);
    }
    std::size_t i = 0, lineStart = 0;
    while (i < u.size()) {
        if (printable(u[i])) {
            out.push_back('\'');
            do
                out.push_back(static_cast<char>(u[i++]));
            while (i < u.size() && printable(u[i]) && i - lineStart < kLineLength);
            out.push_back('\'');
        } else {
            out.push_back('#');
            out += std::to_string(static_cast<unsigned>(u[i++]));
        }
        if (i - lineStart >= kLineLength && i < u.size()) {
            out += " +";
            w.newLine(level + 1);
            lineStart = i;
        }
    }
}

void writeValue(TextWriter& w, const Value& v, int level, bool afterEquals = true);

void writeProperties(TextWriter& w, const std::vector<NamedValue>& props, int level)
{
    for (const auto& p : props) {
        if (!writableName(p.name, true))
            notWritable("property name", p.name);
        w.newLine(level);
        w.out() += p.name;
        w.out() += " = ";
        writeValue(w, p.value, level);
    }
}

void writeValue(TextWriter& w, const Value& v, int level, bool afterEquals)
{
    std::string& out = w.out();
    static const char hex[] = "0123456789ABCDEF";
    switch (v.tag) {
    case ValueTag::Null:
        out += "Null";
        break;
    case ValueTag::Nil:
        out += "nil";
        break;
    case ValueTag::False:
        out += "False";
        break;
    case ValueTag::True:
        out += "True";
        break;
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
    case ValueTag::Int64:
        out += std::to_string(v.integer);
        break;
    case ValueTag::Extended:
        out += floatText(v.real);
        break;
    case ValueTag::Single:
        out += singleText(static_cast<float>(v.real));
        break;
    case ValueTag::Date:
        out += floatText(v.real) + "d";
        break;
    case ValueTag::Currency:
        out += currencyText(v.integer);
        break;
    case ValueTag::String:
    case ValueTag::LString:
    case ValueTag::WString:
    case ValueTag::Utf8String:
        writeString(w, v.text, level, afterEquals);
        break;
    case ValueTag::Ident:
        if (!writableIdent(v.text))
            notWritable("identifier", v.text);
        out += v.text;
        break;
    case ValueTag::Set:
        out.push_back('[');
        for (std::size_t i = 0; i < v.elements.size(); ++i) {
            if (!writableName(v.elements[i], false))
                notWritable("set element", v.elements[i]);
            if (i)
                out += ", ";
            out += v.elements[i];
        }
        out.push_back(']');
        break;
    case ValueTag::List:
        out.push_back('(');
        for (const auto& item : v.items) {
            w.newLine(level + 1);
            writeValue(w, item, level + 1, false);
        }
        out.push_back(')');
        break;
    case ValueTag::Binary:
        out.push_back('{');
        for (std::size_t i = 0; i < v.text.size(); i += kBytesPerLine) {
            w.newLine(level + 1);
            const std::size_t n = std::min(kBytesPerLine, v.text.size() - i);
            for (std::size_t j = 0; j < n; ++j) {
                const auto b = static_cast<unsigned char>(v.text[i + j]);
                out.push_back(hex[b >> 4]);
                out.push_back(hex[b & 15]);
            }
        }
        out.push_back('}');
        break;
    case ValueTag::Collection:
        out.push_back('<');
        for (const auto& item : v.collection) {
            w.newLine(level + 1);
            out += "item";
            if (item.order)
                out += " [" + std::to_string(*item.order) + "]";
            writeProperties(w, item.properties, level + 2);
            w.newLine(level + 1);
            out += "end";
        }
        out.push_back('>');
        break;
    }
}

void convertObject(TypedValueReader& in, TextWriter& w, int level)
{
    if (level >= kMaxStreamNesting)
        in.fail("components nested more than " + std::to_string(kMaxStreamNesting) + " levels deep");
    std::string& out = w.out();
    const std::size_t start = in.position();
    const std::uint8_t first = in.readU8();
    int flags = 0;
    std::int64_t position = -1;
    if ((first & 0xF0) == 0xF0) {
        flags = first & 0x0F;
        if (flags & 8)
            in.failAt("unknown record flags " + std::to_string(flags), start);
        if (flags & 2)
            position = in.readInteger();
    } else {
        in.seek(start);
    }
    const std::size_t clsPos = in.position();
    const std::string cls = in.readShortString();
    const std::string name = in.readShortString();
    if (!writableName(cls, false) || (!name.empty() && !writableName(name, false)))
        in.failAt("class or component name that cannot be written as text", clsPos);
    w.indent(level);
    out += (flags & 1) ? "inherited " : (flags & 4) ? "inline " : "object ";
    if (!name.empty())
        out += name + ": ";
    out += cls;
    if (position >= 0)
        out += " [" + std::to_string(position) + "]";
    while (!in.endOfList()) {
        const std::size_t propPos = in.position();
        const std::string prop = in.readShortString();
        if (!writableName(prop, true))
            in.failAt("property name '" + prop.substr(0, 60) + "' cannot be written as text", propPos);
        w.newLine(level + 1);
        out += prop;
        out += " = ";
        writeValue(w, in.readValue(), level + 1);
    }
    in.readListEnd();
    out.append(w.eol());
    while (!in.endOfList())
        convertObject(in, w, level + 1);
    in.readListEnd();
    w.indent(level);
    out += "end";
    out.append(w.eol());
}

} // namespace

std::string componentStreamToText(std::string_view binary, std::string_view lineEnd)
{
    std::string out;
    out.reserve(binary.size() * 2);
    TextWriter w(out, lineEnd);
    TypedValueReader in(binary);
    do {
        in.readSignature();
        convertObject(in, w, 0);
    } while (!in.atEnd());
    return out;
}

// ---------------------------------------------------------------------------------------------------
// Text to binary

namespace {

enum class T { End, Symbol, Integer, Float, String, Punct, Hex };

struct Token {
    T kind = T::End;
    std::string text;         // symbol, punctuation
    std::u16string units;     // String: its characters, joined with the next ones before conversion
    std::int64_t integer = 0; // Integer
    double real = 0;          // Float
    char suffix = 0;          // Float: 's', 'c', 'd' or 0
    bool wide = false;        // String: holds characters beyond ASCII
    int line = 1, column = 1;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_s(text)
    {
        if (m_s.substr(0, 3) == "\xEF\xBB\xBF")
            m_i = 3;
    }

    [[noreturn]] void fail(const std::string& what, int line, int column) const
    {
        throw TextFormError(what, line, column);
    }
    [[noreturn]] void failHere(const std::string& what) const { fail(what, m_line, column()); }

    const Token& peek()
    {
        if (!m_havePeek) {
            m_peek = scan();
            m_havePeek = true;
        }
        return m_peek;
    }

    Token next()
    {
        peek();
        m_havePeek = false;
        return std::move(m_peek);
    }

    // Hex digits up to '}' (whitespace allowed between them), after the '{' was read.
    std::string binary()
    {
        m_havePeek = false;
        std::string out;
        int high = -1;
        for (;;) {
            if (m_i >= m_s.size())
                failHere("'}' expected");
            const char c = m_s[m_i];
            if (c == '}') {
                advance();
                break;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                advance();
                continue;
            }
            int v;
            if (c >= '0' && c <= '9')
                v = c - '0';
            else if (c >= 'A' && c <= 'F')
                v = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                v = c - 'a' + 10;
            else
                failHere("hexadecimal digit expected");
            advance();
            if (high < 0) {
                high = v;
            } else {
                out.push_back(static_cast<char>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0)
            failHere("binary data with an odd number of digits");
        return out;
    }

private:
    int column() const { return static_cast<int>(m_i - m_lineStart) + 1; }

    void advance()
    {
        if (m_s[m_i] == '\n') {
            ++m_line;
            m_lineStart = m_i + 1;
        }
        ++m_i;
    }

    static bool identStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
    static bool identPart(char c) { return identStart(c) || (c >= '0' && c <= '9') || c == '.'; }
    static bool digit(char c) { return c >= '0' && c <= '9'; }

    Token scan()
    {
        while (m_i < m_s.size() &&
               (m_s[m_i] == ' ' || m_s[m_i] == '\t' || m_s[m_i] == '\r' || m_s[m_i] == '\n'))
            advance();
        Token t;
        t.line = m_line;
        t.column = column();
        if (m_i >= m_s.size())
            return t;
        const char c = m_s[m_i];
        if (identStart(c)) {
            const std::size_t b = m_i;
            while (m_i < m_s.size() && identPart(m_s[m_i]))
                ++m_i;
            t.kind = T::Symbol;
            t.text = m_s.substr(b, m_i - b);
            if (t.text.back() == '.')
                fail("a name cannot end with '.'", t.line, t.column);
            return t;
        }
        if (digit(c) || c == '$' ||
            ((c == '-' || c == '+') && m_i + 1 < m_s.size() &&
             (digit(m_s[m_i + 1]) || m_s[m_i + 1] == '$'))) {
            return number(t);
        }
        if (c == '\'' || c == '#')
            return string(t);
        advance();
        t.kind = T::Punct;
        t.text = std::string(1, c);
        return t;
    }

    Token& number(Token& t)
    {
        bool negative = false;
        if (m_s[m_i] == '-' || m_s[m_i] == '+') {
            negative = m_s[m_i] == '-';
            ++m_i;
        }
        if (m_s[m_i] == '$') {
            ++m_i;
            const std::size_t b = m_i;
            while (m_i < m_s.size() && std::isxdigit(static_cast<unsigned char>(m_s[m_i])))
                ++m_i;
            std::uint64_t v = 0;
            const auto r = std::from_chars(m_s.data() + b, m_s.data() + m_i, v, 16);
            if (b == m_i || r.ec != std::errc())
                fail("hexadecimal number expected", t.line, t.column);
            t.kind = T::Integer;
            t.integer = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
            return t;
        }
        const std::size_t b = m_i;
        bool isFloat = false;
        while (m_i < m_s.size() && digit(m_s[m_i]))
            ++m_i;
        if (m_i < m_s.size() && m_s[m_i] == '.' && m_i + 1 < m_s.size() && digit(m_s[m_i + 1])) {
            isFloat = true;
            ++m_i;
            while (m_i < m_s.size() && digit(m_s[m_i]))
                ++m_i;
        }
        if (m_i < m_s.size() && (m_s[m_i] == 'e' || m_s[m_i] == 'E')) {
            std::size_t j = m_i + 1;
            if (j < m_s.size() && (m_s[j] == '+' || m_s[j] == '-'))
                ++j;
            if (j < m_s.size() && digit(m_s[j])) {
                isFloat = true;
                m_i = j;
                while (m_i < m_s.size() && digit(m_s[m_i]))
                    ++m_i;
            }
        }
        const std::string_view digits = m_s.substr(b, m_i - b);
        char suffix = 0;
        if (m_i < m_s.size() && (m_s[m_i] == 's' || m_s[m_i] == 'c' || m_s[m_i] == 'd' || m_s[m_i] == 'S' ||
                                 m_s[m_i] == 'C' || m_s[m_i] == 'D')) {
            suffix = static_cast<char>(m_s[m_i] | 0x20);
            ++m_i;
        }
        if (m_i < m_s.size() && identPart(m_s[m_i]))
            fail("malformed number", t.line, t.column);
        if (!isFloat && !suffix) {
            std::int64_t v = 0;
            const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
            if (r.ec != std::errc())
                fail("number out of range", t.line, t.column);
            t.kind = T::Integer;
            t.integer = negative ? -v : v;
            return t;
        }
        double d = 0;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), d);
        if (r.ec != std::errc() && r.ec != std::errc::result_out_of_range)
            fail("malformed number", t.line, t.column);
        t.kind = T::Float;
        t.real = negative ? -d : d;
        t.suffix = suffix;
        if (suffix == 'c') {
            // Currency is exact in ten-thousandths: read the decimal digits, not the double.
            t.text = std::string(digits);
            if (negative)
                t.text.insert(t.text.begin(), '-');
        }
        return t;
    }

    Token& string(Token& t)
    {
        std::u16string units;
        bool wide = false;
        while (m_i < m_s.size() && (m_s[m_i] == '\'' || m_s[m_i] == '#')) {
            if (m_s[m_i] == '\'') {
                ++m_i;
                std::string raw;
                for (;;) {
                    if (m_i >= m_s.size() || m_s[m_i] == '\n' || m_s[m_i] == '\r')
                        fail("unterminated string", t.line, t.column);
                    if (m_s[m_i] == '\'') {
                        if (m_i + 1 < m_s.size() && m_s[m_i + 1] == '\'') {
                            raw.push_back('\'');
                            m_i += 2;
                            continue;
                        }
                        ++m_i;
                        break;
                    }
                    raw.push_back(m_s[m_i++]);
                }
                const std::u16string part = platform::utf8ToUtf16(platform::ansiToUtf8(raw));
                for (char16_t c : part)
                    wide = wide || c >= 128;
                units += part;
            } else {
                ++m_i;
                const bool hex = m_i < m_s.size() && m_s[m_i] == '$';
                if (hex)
                    ++m_i;
                const std::size_t b = m_i;
                while (m_i < m_s.size() &&
                       (hex ? std::isxdigit(static_cast<unsigned char>(m_s[m_i])) != 0 : digit(m_s[m_i])))
                    ++m_i;
                std::uint32_t code = 0;
                const auto r = std::from_chars(m_s.data() + b, m_s.data() + m_i, code, hex ? 16 : 10);
                if (b == m_i || r.ec != std::errc() || code > 0x10FFFF)
                    fail("character code expected", t.line, t.column);
                if (code >= 0x10000) {
                    code -= 0x10000;
                    units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
                    units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
                } else {
                    units.push_back(static_cast<char16_t>(code));
                }
                wide = wide || code >= 128;
            }
        }
        t.kind = T::String;
        t.units = std::move(units);
        t.wide = wide;
        return t;
    }

    std::string_view m_s;
    std::size_t m_i = 0;
    std::size_t m_lineStart = 0;
    int m_line = 1;
    Token m_peek;
    bool m_havePeek = false;
};

class TextReader {
public:
    TextReader(std::string_view text, std::string& out) : m_lx(text), m_w(out)
    {
        m_w.setWideForNonAscii(true);
    }

    // One object; returns false at the end of the text.
    bool nextObject()
    {
        if (m_lx.peek().kind == T::End)
            return false;
        m_w.writeSignature();
        object(0);
        return true;
    }

    TypedValueWriter& writer() { return m_w; }

private:
    [[noreturn]] void fail(const Token& t, const std::string& what) { m_lx.fail(what, t.line, t.column); }

    bool isSymbol(const Token& t, std::string_view s) const
    {
        return t.kind == T::Symbol && platform::equalsNoCase(t.text, s);
    }
    bool isPunct(const Token& t, char c) const { return t.kind == T::Punct && t.text[0] == c; }

    void expectPunct(char c)
    {
        const Token t = m_lx.next();
        if (!isPunct(t, c))
            fail(t, std::string("'") + c + "' expected");
    }

    std::string name(const char* what)
    {
        const Token t = m_lx.next();
        if (t.kind != T::Symbol)
            fail(t, std::string(what) + " expected");
        if (t.text.size() > 255)
            fail(t, "name longer than 255 characters");
        return t.text;
    }

    void depth(int level, const Token& at)
    {
        if (level >= kMaxStreamNesting)
            fail(at, "nested more than " + std::to_string(kMaxStreamNesting) + " levels deep");
    }

    void object(int level)
    {
        const Token head = m_lx.next();
        depth(level, head);
        int flags = 0;
        if (isSymbol(head, "inherited"))
            flags = 1;
        else if (isSymbol(head, "inline"))
            flags = 4;
        else if (!isSymbol(head, "object"))
            fail(head, "'object' expected");
        std::string first = name("class name");
        std::string objName, cls;
        if (isPunct(m_lx.peek(), ':')) {
            m_lx.next();
            objName = std::move(first);
            cls = name("class name");
        } else {
            cls = std::move(first);
        }
        std::int64_t position = -1;
        if (isPunct(m_lx.peek(), '[')) {
            m_lx.next();
            const Token n = m_lx.next();
            if (n.kind != T::Integer || n.integer < 0 || n.integer > INT32_MAX)
                fail(n, "child position expected");
            position = n.integer;
            expectPunct(']');
            flags |= 2;
        }
        if (flags)
            m_w.writeU8(static_cast<std::uint8_t>(0xF0 | flags));
        if (position >= 0)
            m_w.writeInteger(position);
        m_w.writeShortString(cls);
        m_w.writeShortString(objName);
        while (true) {
            const Token& t = m_lx.peek();
            if (t.kind == T::End)
                fail(t, "'end' expected");
            if (isSymbol(t, "end") || isSymbol(t, "object") || isSymbol(t, "inherited") ||
                isSymbol(t, "inline"))
                break;
            property(level + 1);
        }
        m_w.writeListEnd();
        while (!isSymbol(m_lx.peek(), "end")) {
            if (m_lx.peek().kind == T::End)
                fail(m_lx.peek(), "'end' expected");
            object(level + 1);
        }
        m_lx.next();
        m_w.writeListEnd();
    }

    void property(int level)
    {
        m_w.writeShortString(name("property name"));
        expectPunct('=');
        value(level);
    }

    void value(int level)
    {
        const Token t = m_lx.next();
        depth(level, t);
        switch (t.kind) {
        case T::Integer:
            m_w.writeInteger(t.integer);
            return;
        case T::Float:
            floatValue(t);
            return;
        case T::String: {
            std::u16string units = t.units;
            bool wide = t.wide;
            while (isPunct(m_lx.peek(), '+')) {
                m_lx.next();
                const Token more = m_lx.next();
                if (more.kind != T::String)
                    fail(more, "string expected after '+'");
                units += more.units;
                wide = wide || more.wide;
            }
            const std::string text = platform::utf16ToUtf8(units);
            if (wide)
                m_w.writeWideString(text);
            else
                m_w.writeString(text);
            return;
        }
        case T::Symbol:
            if (isSymbol(t, "True"))
                m_w.writeBoolean(true);
            else if (isSymbol(t, "False"))
                m_w.writeBoolean(false);
            else if (isSymbol(t, "nil"))
                m_w.writeNil();
            else if (isSymbol(t, "Null"))
                m_w.writeListEnd();
            else if (nonFinite(t.text, false))
                return;
            else {
                if (t.text.size() > 255)
                    fail(t, "identifier longer than 255 characters");
                m_w.writeIdent(t.text);
            }
            return;
        case T::Punct:
            switch (t.text[0]) {
            case '-': {
                const Token inf = m_lx.next();
                if (inf.kind != T::Symbol || inf.text.compare(0, 3, "INF") != 0 || !nonFinite(inf.text, true))
                    fail(inf, "value expected");
                return;
            }
            case '[': {
                std::vector<std::string> names;
                if (!isPunct(m_lx.peek(), ']')) {
                    for (;;) {
                        names.push_back(name("set element"));
                        const Token sep = m_lx.next();
                        if (isPunct(sep, ']'))
                            break;
                        if (!isPunct(sep, ','))
                            fail(sep, "',' or ']' expected");
                    }
                } else {
                    m_lx.next();
                }
                m_w.writeSet(names);
                return;
            }
            case '(':
                m_w.writeListBegin();
                while (!isPunct(m_lx.peek(), ')')) {
                    if (m_lx.peek().kind == T::End)
                        fail(m_lx.peek(), "')' expected");
                    value(level + 1);
                }
                m_lx.next();
                m_w.writeListEnd();
                return;
            case '{': {
                const std::string data = m_lx.binary();
                m_w.writeBinary(data);
                return;
            }
            case '<':
                m_w.writeCollectionBegin();
                while (!isPunct(m_lx.peek(), '>')) {
                    const Token item = m_lx.next();
                    if (!isSymbol(item, "item"))
                        fail(item, "'item' or '>' expected");
                    if (isPunct(m_lx.peek(), '[')) {
                        m_lx.next();
                        const Token n = m_lx.next();
                        if (n.kind != T::Integer || n.integer < INT32_MIN || n.integer > INT32_MAX)
                            fail(n, "item order expected");
                        m_w.writeInteger(n.integer);
                        expectPunct(']');
                    }
                    m_w.writeListBegin();
                    while (!isSymbol(m_lx.peek(), "end")) {
                        if (m_lx.peek().kind == T::End)
                            fail(m_lx.peek(), "'end' expected");
                        property(level + 2);
                    }
                    m_lx.next();
                    m_w.writeListEnd();
                }
                m_lx.next();
                m_w.writeListEnd();
                return;
            default:
                break;
            }
            break;
        default:
            break;
        }
        fail(t, "value expected");
    }

    // INF, NAN with an optional single or date suffix, as floats are written when not finite.
    bool nonFinite(const std::string& text, bool negative)
    {
        if (text.size() < 3 || text.size() > 4 ||
            (text.compare(0, 3, "INF") != 0 && text.compare(0, 3, "NAN") != 0))
            return false;
        const char suffix = text.size() == 4 ? text[3] : 0;
        if (suffix != 0 && suffix != 's' && suffix != 'd')
            return false;
        double d = text[0] == 'I' ? HUGE_VAL : std::nan("");
        if (negative)
            d = -d;
        if (suffix == 's')
            m_w.writeSingle(static_cast<float>(d));
        else if (suffix == 'd')
            m_w.writeDate(d);
        else
            m_w.writeExtended(d);
        return true;
    }

    void floatValue(const Token& t)
    {
        switch (t.suffix) {
        case 's':
            m_w.writeSingle(static_cast<float>(t.real));
            return;
        case 'd':
            m_w.writeDate(t.real);
            return;
        case 'c': {
            // Exact decimal: integer part and up to four fraction digits.
            std::string_view s = t.text;
            const bool negative = !s.empty() && s[0] == '-';
            if (negative)
                s.remove_prefix(1);
            const auto dot = s.find('.');
            if (s.find_first_of("eE") != std::string_view::npos ||
                (dot != std::string_view::npos && s.size() - dot - 1 > 4))
                fail(t, "currency values have at most four decimals");
            std::uint64_t whole = 0, frac = 0;
            const std::string_view w = s.substr(0, dot);
            if (std::from_chars(w.data(), w.data() + w.size(), whole).ec != std::errc() ||
                whole > UINT64_MAX / 10000)
                fail(t, "currency value out of range");
            if (dot != std::string_view::npos) {
                std::string f(s.substr(dot + 1));
                f.resize(4, '0');
                std::from_chars(f.data(), f.data() + 4, frac);
            }
            const std::uint64_t scaled = whole * 10000 + frac;
            const std::uint64_t limit = negative ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX);
            if (scaled > limit)
                fail(t, "currency value out of range");
            m_w.writeCurrency(negative ? static_cast<std::int64_t>(0 - scaled)
                                       : static_cast<std::int64_t>(scaled));
            return;
        }
        default:
            m_w.writeExtended(t.real);
            return;
        }
    }

    Lexer m_lx;
    TypedValueWriter m_w;
};

} // namespace

std::string textToComponentStream(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    TextReader reader(text, out);
    if (!reader.nextObject())
        throw TextFormError("'object' expected", 1, 1);
    while (reader.nextObject()) {
    }
    return out;
}

std::vector<std::string> textToComponentStreams(std::string_view text)
{
    std::vector<std::string> out;
    std::string buffer;
    TextReader reader(text, buffer);
    while (reader.nextObject()) {
        out.push_back(std::move(buffer));
        buffer.clear();
    }
    if (out.empty())
        throw TextFormError("'object' expected", 1, 1);
    return out;
}

} // namespace vcl
