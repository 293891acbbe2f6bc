// The scanner of the script language: tokens with offset, length, row and column, from a text that
// stays alive for the whole compile. Comments are skipped; the switch {$B-}/{$B+} is recorded on the
// tokens that follow it; other directives are ignored (the preprocessor has dealt with its own).
#pragma once

#include "pascal/messages.h"
#include "pascal/names.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

// A compile error on its way up to the compile's top; offset is a byte offset in the compiled text.
struct CompileError {
    MessageCode code;
    std::string param;
    std::uint32_t offset;
};

enum class Tok : std::uint8_t {
    Eof,
    Ident,  // name (keywords too: see Token::keyword)
    Int,    // ival
    Float,  // fval
    String, // sval (quoted strings and #codes joined); length 1 is a character
    Plus,
    Minus,
    Star,
    Slash,
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge,
    LParen,
    RParen,
    LBracket,
    RBracket,
    Dot,
    DotDot,
    Comma,
    Semicolon,
    Colon,
    Assign,
    At,
    Caret,
};

struct Token {
    Tok kind = Tok::Eof;
    bool shortCircuit = false; // {$B-} was in force here
    NameId name = kNoName;     // Ident
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::int64_t ival = 0;
    double fval = 0;
    std::string sval;

    bool is(Tok t) const { return kind == t; }
    bool isKeyword(NameId k) const { return kind == Tok::Ident && name == k; }
    bool isIdent() const { return kind == Tok::Ident && !NameTable::isKeyword(name); }
};

class Lexer {
public:
    Lexer(std::string_view text, NameTable& names);

    // Scans the next token into t. Throws CompileError for text that is no token.
    void next(Token& t);

    // Row and column (1-based) of an offset that the scanner has passed.
    void position(std::uint32_t offset, int& row, int& col) const;
    std::string_view text() const { return m_text; }
    // Highest row reached so far (for progress reports).
    std::uint32_t offsetReached() const { return static_cast<std::uint32_t>(m_pos); }

private:
    void skipBlanksAndComments();
    void directive(std::size_t start, std::size_t end);
    void scanNumber(Token& t);
    void scanString(Token& t);
    void newline(std::size_t nextLineStart);

    std::string_view m_text;
    NameTable& m_names;
    std::size_t m_pos = 0;
    bool m_shortCircuit = false;
    std::vector<std::uint32_t> m_lineStarts{0};
};

} // namespace pascal
