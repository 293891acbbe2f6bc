// Interned identifiers. Names compare without regard to case, so each is stored once under its upper
// case form and referred to by a small number; the first spelling seen is kept for messages. The
// reserved words are interned first, so a name below kKeywordCount is a reserved word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

using NameId = std::uint32_t;
constexpr NameId kNoName = 0xFFFFFFFFu;

#define PASCAL_KEYWORDS(X)                                                                                   \
    X(AND)                                                                                                   \
    X(ARRAY)                                                                                                 \
    X(AS) X(BEGIN) X(CASE) X(CLASS) X(CONST) X(CONSTRUCTOR) X(DESTRUCTOR) X(DIV) X(DO) X(DOWNTO) X(ELSE)     \
        X(END) X(EXCEPT) X(FINALLY) X(FOR) X(FUNCTION) X(GOTO) X(IF) X(IMPLEMENTATION) X(IN) X(INHERITED)    \
            X(INTERFACE) X(IS) X(LABEL) X(MOD) X(NIL) X(NOT) X(OBJECT) X(OF) X(OR) X(PACKED) X(PROCEDURE)    \
                X(PROGRAM) X(PROPERTY) X(RAISE) X(RECORD) X(REPEAT) X(SET) X(SHL) X(SHR) X(THEN) X(TO)       \
                    X(TRY) X(TYPE) X(UNIT) X(UNTIL) X(USES) X(VAR) X(WHILE) X(WITH) X(XOR)

enum Keyword : NameId {
#define PASCAL_KW_ENUM(k) KW_##k,
    PASCAL_KEYWORDS(PASCAL_KW_ENUM)
#undef PASCAL_KW_ENUM
        kKeywordCount
};

class NameTable {
public:
    NameTable();
    NameId intern(std::string_view name);
    // kNoName when the name was never interned.
    NameId find(std::string_view name) const;
    const std::string& upper(NameId id) const { return m_upper[id]; }
    const std::string& spelling(NameId id) const { return m_spelling[id]; }
    static bool isKeyword(NameId id) { return id < kKeywordCount; }

private:
    static std::uint32_t hash(std::string_view s);
    void grow();
    std::vector<std::string> m_upper;
    std::vector<std::string> m_spelling;
    std::vector<std::uint32_t> m_hashes;
    std::vector<NameId> m_slots; // open addressing, kNoName = free
};

} // namespace pascal
