// The scanner.
#include "pascal/lexer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pascal {

namespace {
inline bool isIdentStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
inline bool isIdentChar(unsigned char c)
{
    return isIdentStart(c) || (c >= '0' && c <= '9');
}
inline bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}
inline int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

Lexer::Lexer(std::string_view text, NameTable& names) : m_text(text), m_names(names)
{
    if (text.size() > 0xFFFFFFF0u)
        throw CompileError{MessageCode::Custom, "Script too large", 0};
}

void Lexer::newline(std::size_t nextLineStart)
{
    if (nextLineStart > m_lineStarts.back())
        m_lineStarts.push_back(static_cast<std::uint32_t>(nextLineStart));
}

void Lexer::position(std::uint32_t offset, int& row, int& col) const
{
    auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    std::size_t line = static_cast<std::size_t>(it - m_lineStarts.begin()) - 1;
    // Lines past the scanner's reach: count on in the text.
    std::size_t start = m_lineStarts[line];
    int r = static_cast<int>(line + 1);
    for (std::size_t i = start; i < offset && i < m_text.size(); ++i) {
        char c = m_text[i];
        if (c == '\n' || (c == '\r' && !(i + 1 < m_text.size() && m_text[i + 1] == '\n'))) {
            ++r;
            start = i + 1;
        }
    }
    row = r;
    col = static_cast<int>(offset - start + 1);
}

void Lexer::directive(std::size_t start, std::size_t end)
{
    // start is just after "{$" or "(*$"
    std::string_view d = m_text.substr(start, end - start);
    if (d.size() >= 2 && (d[0] == 'B' || d[0] == 'b') && (d[1] == '-' || d[1] == '+'))
        m_shortCircuit = d[1] == '-';
}

void Lexer::skipBlanksAndComments()
{
    const std::size_t n = m_text.size();
    while (m_pos < n) {
        unsigned char c = static_cast<unsigned char>(m_text[m_pos]);
        if (c == '\n') {
            ++m_pos;
            newline(m_pos);
        } else if (c == '\r') {
            ++m_pos;
            if (m_pos < n && m_text[m_pos] == '\n')
                ++m_pos;
            newline(m_pos);
        } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == 0x1A) {
            ++m_pos;
        } else if (c == '/' && m_pos + 1 < n && m_text[m_pos + 1] == '/') {
            while (m_pos < n && m_text[m_pos] != '\n' && m_text[m_pos] != '\r')
                ++m_pos;
        } else if (c == '{' || (c == '(' && m_pos + 1 < n && m_text[m_pos + 1] == '*')) {
            bool brace = c == '{';
            std::size_t open = m_pos;
            std::size_t body = m_pos + (brace ? 1 : 2);
            std::size_t close = brace ? m_text.find('}', body) : m_text.find("*)", body);
            if (close == std::string_view::npos)
                throw CompileError{MessageCode::UnexpectedEndOfFile, {}, static_cast<std::uint32_t>(open)};
            if (body < n && m_text[body] == '$')
                directive(body + 1, close);
            std::size_t end = close + (brace ? 1 : 2);
            for (std::size_t i = body; i < close; ++i) {
                if (m_text[i] == '\n')
                    newline(i + 1);
                else if (m_text[i] == '\r' && !(i + 1 < close && m_text[i + 1] == '\n'))
                    newline(i + 1);
            }
            m_pos = end;
        } else {
            return;
        }
    }
}

void Lexer::scanNumber(Token& t)
{
    const std::size_t n = m_text.size();
    std::size_t start = m_pos;
    if (m_text[m_pos] == '$') {
        ++m_pos;
        std::uint64_t v = 0;
        std::size_t digits = 0;
        while (m_pos < n && hexValue(static_cast<unsigned char>(m_text[m_pos])) >= 0) {
            if (digits >= 16)
                throw CompileError{MessageCode::ConstantOutOfRange, {}, static_cast<std::uint32_t>(start)};
            v = v * 16 + static_cast<std::uint64_t>(hexValue(static_cast<unsigned char>(m_text[m_pos])));
            ++digits;
            ++m_pos;
        }
        if (digits == 0)
            throw CompileError{MessageCode::SyntaxError, {}, static_cast<std::uint32_t>(start)};
        t.kind = Tok::Int;
        t.ival = static_cast<std::int64_t>(v);
        return;
    }
    while (m_pos < n && isDigit(static_cast<unsigned char>(m_text[m_pos])))
        ++m_pos;
    bool isFloat = false;
    if (m_pos + 1 < n && m_text[m_pos] == '.' && isDigit(static_cast<unsigned char>(m_text[m_pos + 1]))) {
        isFloat = true;
        ++m_pos;
        while (m_pos < n && isDigit(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
    }
    if (m_pos < n && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
        std::size_t p = m_pos + 1;
        if (p < n && (m_text[p] == '+' || m_text[p] == '-'))
            ++p;
        if (p < n && isDigit(static_cast<unsigned char>(m_text[p]))) {
            isFloat = true;
            m_pos = p;
            while (m_pos < n && isDigit(static_cast<unsigned char>(m_text[m_pos])))
                ++m_pos;
        }
    }
    std::string digits(m_text.substr(start, m_pos - start));
    if (!isFloat) {
        std::uint64_t v = 0;
        bool overflow = false;
        for (char c : digits) {
            std::uint64_t d = static_cast<std::uint64_t>(c - '0');
            if (v > (UINT64_MAX - d) / 10) {
                overflow = true;
                break;
            }
            v = v * 10 + d;
        }
        if (!overflow && v <= static_cast<std::uint64_t>(INT64_MAX)) {
            t.kind = Tok::Int;
            t.ival = static_cast<std::int64_t>(v);
            return;
        }
    }
    t.kind = Tok::Float;
    t.fval = std::strtod(digits.c_str(), nullptr);
    if (std::isinf(t.fval))
        throw CompileError{MessageCode::ConstantOutOfRange, {}, static_cast<std::uint32_t>(start)};
}

static void appendCodePoint(std::string& s, std::uint32_t cp)
{
    if (cp < 0x100) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void Lexer::scanString(Token& t)
{
    const std::size_t n = m_text.size();
    t.kind = Tok::String;
    t.sval.clear();
    for (;;) {
        if (m_pos < n && m_text[m_pos] == '\'') {
            std::size_t open = m_pos;
            ++m_pos;
            for (;;) {
                std::size_t q = m_pos;
                while (q < n && m_text[q] != '\'' && m_text[q] != '\n' && m_text[q] != '\r')
                    ++q;
                t.sval.append(m_text.substr(m_pos, q - m_pos));
                if (q >= n || m_text[q] != '\'')
                    throw CompileError{MessageCode::UnterminatedString, {}, static_cast<std::uint32_t>(open)};
                if (q + 1 < n && m_text[q + 1] == '\'') {
                    t.sval += '\'';
                    m_pos = q + 2;
                    continue;
                }
                m_pos = q + 1;
                break;
            }
        } else if (m_pos < n && m_text[m_pos] == '#') {
            std::size_t start = m_pos;
            ++m_pos;
            std::uint64_t v = 0;
            std::size_t digits = 0;
            if (m_pos < n && m_text[m_pos] == '$') {
                ++m_pos;
                while (m_pos < n && hexValue(static_cast<unsigned char>(m_text[m_pos])) >= 0) {
                    v = v * 16 +
                        static_cast<std::uint64_t>(hexValue(static_cast<unsigned char>(m_text[m_pos])));
                    ++m_pos;
                    if (++digits > 8)
                        break;
                }
            } else {
                while (m_pos < n && isDigit(static_cast<unsigned char>(m_text[m_pos]))) {
                    v = v * 10 + static_cast<std::uint64_t>(m_text[m_pos] - '0');
                    ++m_pos;
                    if (++digits > 9)
                        break;
                }
            }
            if (digits == 0 || v > 0x10FFFF)
                throw CompileError{MessageCode::SyntaxError, {}, static_cast<std::uint32_t>(start)};
            appendCodePoint(t.sval, static_cast<std::uint32_t>(v));
        } else {
            break;
        }
    }
}

void Lexer::next(Token& t)
{
    skipBlanksAndComments();
    t.shortCircuit = m_shortCircuit;
    t.offset = static_cast<std::uint32_t>(m_pos);
    t.name = kNoName;
    const std::size_t n = m_text.size();
    if (m_pos >= n) {
        t.kind = Tok::Eof;
        t.length = 0;
        return;
    }
    unsigned char c = static_cast<unsigned char>(m_text[m_pos]);
    if (isIdentStart(c)) {
        std::size_t start = m_pos;
        while (m_pos < n && isIdentChar(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        t.kind = Tok::Ident;
        t.name = m_names.intern(m_text.substr(start, m_pos - start));
    } else if (isDigit(c) ||
               (c == '$' && m_pos + 1 < n && hexValue(static_cast<unsigned char>(m_text[m_pos + 1])) >= 0)) {
        scanNumber(t);
    } else if (c == '\'' || c == '#') {
        scanString(t);
    } else {
        ++m_pos;
        char d = m_pos < n ? m_text[m_pos] : '\0';
        switch (c) {
        case '+':
            t.kind = Tok::Plus;
            break;
        case '-':
            t.kind = Tok::Minus;
            break;
        case '*':
            t.kind = Tok::Star;
            break;
        case '/':
            t.kind = Tok::Slash;
            break;
        case '=':
            t.kind = Tok::Eq;
            break;
        case '<':
            if (d == '>') {
                t.kind = Tok::Ne;
                ++m_pos;
            } else if (d == '=') {
                t.kind = Tok::Le;
                ++m_pos;
            } else {
                t.kind = Tok::Lt;
            }
            break;
        case '>':
            if (d == '=') {
                t.kind = Tok::Ge;
                ++m_pos;
            } else {
                t.kind = Tok::Gt;
            }
            break;
        case '(':
            t.kind = Tok::LParen;
            break;
        case ')':
            t.kind = Tok::RParen;
            break;
        case '[':
            t.kind = Tok::LBracket;
            break;
        case ']':
            t.kind = Tok::RBracket;
            break;
        case '.':
            if (d == '.') {
                t.kind = Tok::DotDot;
                ++m_pos;
            } else {
                t.kind = Tok::Dot;
            }
            break;
        case ',':
            t.kind = Tok::Comma;
            break;
        case ';':
            t.kind = Tok::Semicolon;
            break;
        case ':':
            if (d == '=') {
                t.kind = Tok::Assign;
                ++m_pos;
            } else {
                t.kind = Tok::Colon;
            }
            break;
        case '@':
            t.kind = Tok::At;
            break;
        case '^':
            t.kind = Tok::Caret;
            break;
        default: {
            char buf[64];
            if (c >= 0x20 && c < 0x7F)
                std::snprintf(buf, sizeof buf, "Illegal character in input file: '%c' ($%02X)", c, c);
            else
                std::snprintf(buf, sizeof buf, "Illegal character in input file: ($%02X)", c);
            throw CompileError{MessageCode::Custom, buf, t.offset};
        }
        }
    }
    t.length = static_cast<std::uint32_t>(m_pos - t.offset);
}

} // namespace pascal
