// Parser: type definitions (enumerations, subranges, sets, arrays, records, procedural types), the
// same for scripts and for the type texts of the registration API.
#include "pascal/parser.h"

#include <algorithm>

namespace pascal {

namespace {
constexpr int kMaxTypeDepth = 64;
constexpr std::uint64_t kMaxCells = std::uint64_t(1) << 22;
} // namespace

// --- types ----------------------------------------------------------------------------------------

void Parser::checkSize(Type* t)
{
    if (t->depth > kMaxTypeDepth)
        fail(MessageCode::NestingTooDeep);
    if (t->cells > kMaxCells)
        fail(MessageCode::DataTypeTooLarge);
}

const Type* Parser::parseType(NameId name)
{
    DepthGuard guard(*this);
    std::string display = name == kNoName ? std::string() : spell(name);
    if (m_tok.is(Tok::LParen))
        return makeEnum(name);
    if (m_tok.isKeyword(KW_PACKED))
        advance();
    if (m_tok.isKeyword(KW_SET))
        return makeSet(name);
    if (m_tok.isKeyword(KW_ARRAY))
        return makeArray(name);
    if (m_tok.isKeyword(KW_RECORD))
        return makeRecord(name);
    if (m_tok.isKeyword(KW_PROCEDURE) || m_tok.isKeyword(KW_FUNCTION)) {
        bool isFunction = m_tok.isKeyword(KW_FUNCTION);
        advance();
        return makeProcType(name, isFunction);
    }
    if (m_tok.isKeyword(KW_CLASS) || m_tok.isKeyword(KW_OBJECT) || m_tok.isKeyword(KW_INTERFACE))
        fail(MessageCode::NotSupported, "class");
    if (m_tok.is(Tok::Caret))
        fail(MessageCode::NotSupported, "pointer type");
    if (m_tok.isKeyword(KW_TYPE))
        advance(); // `type Integer`: a distinct copy in Delphi, an alias here
    if (m_tok.isIdent()) {
        // An alias, unless a subrange starts with a constant name.
        NameId n = m_tok.name;
        Symbol* s = nullptr;
        if (m_ctx) {
            auto it = m_ctx->scope.find(n);
            if (it != m_ctx->scope.end())
                s = it->second;
        }
        if (!s)
            s = m_env.lookup(n);
        if (s && s->kind == SymKind::Type) {
            advance();
            return s->type;
        }
        if (!s || s->kind != SymKind::Const)
            fail(MessageCode::UnknownType, spell(n));
    } else if (m_tok.is(Tok::Eof)) {
        fail(MessageCode::UnexpectedEndOfFile);
    } else if (!m_tok.is(Tok::Int) && !m_tok.is(Tok::String) && !m_tok.is(Tok::Minus) &&
               !m_tok.is(Tok::Plus) && !m_tok.is(Tok::LParen)) {
        fail(MessageCode::IdentifierExpected);
    }
    Expr* low = constExpr();
    return makeSubrange(name, low);
}

const Type* Parser::makeSubrange(NameId name, Expr* low)
{
    std::uint32_t pos = m_tok.offset;
    expect(Tok::DotDot);
    Expr* high = constExpr();
    if (!low->type->isOrdinal() || !high->type->isOrdinal())
        failAt(pos, MessageCode::TypeMismatch);
    const Type* base = commonOrdinal(low->type, high->type);
    if (!base)
        failAt(pos, MessageCode::TypeMismatch);
    std::int64_t lo = constValue(low).rawInt(), hi = constValue(high).rawInt();
    if (lo > hi)
        failAt(pos, MessageCode::Custom, "Low bound exceeds high bound");
    Type* t = m_env.newType(base->kind,
                            name == kNoName ? std::to_string(lo) + ".." + std::to_string(hi) : spell(name));
    t->ik = base->ik;
    if (base->kind == TK::Integer) {
        // the storage of a subrange is the smallest integer that holds it
        if (lo >= 0 && hi <= 255)
            t->ik = IntKind::U8;
        else if (lo >= -128 && hi <= 127)
            t->ik = IntKind::S8;
        else if (lo >= 0 && hi <= 65535)
            t->ik = IntKind::U16;
        else if (lo >= -32768 && hi <= 32767)
            t->ik = IntKind::S16;
        else if (lo >= INT32_MIN && hi <= INT32_MAX)
            t->ik = IntKind::S32;
        else if (lo >= 0 && hi <= UINT32_MAX)
            t->ik = IntKind::U32;
        else
            t->ik = IntKind::S64;
    }
    t->low = lo;
    t->high = hi;
    t->ordBase = base->ordBase ? base->ordBase : base;
    t->enumNames = base->enumNames;
    return t;
}

const Type* Parser::makeEnum(NameId name)
{
    std::uint32_t pos = m_tok.offset;
    expect(Tok::LParen);
    Type* t = m_env.newType(TK::Enum);
    t->ik = IntKind::U8;
    t->ordBase = t;
    std::string text = "(";
    std::int64_t next = 0, lo = INT64_MAX, hi = INT64_MIN;
    std::vector<Symbol*> elements;
    do {
        std::uint32_t epos = m_tok.offset;
        NameId e = expectIdent();
        std::int64_t v = next;
        if (accept(Tok::Eq)) {
            Expr* ve = constExpr();
            if (ve->type->kind != TK::Integer)
                failAt(epos, MessageCode::TypeMismatch);
            v = constValue(ve).rawInt();
        }
        next = v + 1;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        if (t->enumNames.size() > 1 << 16)
            fail(MessageCode::DataTypeTooLarge);
        if (std::find(t->enumNames.begin(), t->enumNames.end(), e) != t->enumNames.end())
            failAt(epos, MessageCode::DuplicateIdentifier, spell(e));
        t->enumNames.push_back(e);
        if (text.size() > 1)
            text += ",";
        text += spell(e);
        Symbol* s = m_env.newSymbol(SymKind::Const, e);
        s->type = t;
        s->value = Value::integer(v);
        s->pos = epos;
        s->script = !m_inDeclarationText;
        elements.push_back(s);
    } while (accept(Tok::Comma));
    text += ")";
    expect(Tok::RParen);
    (void)pos;
    t->low = lo;
    t->high = hi;
    if (hi > 255 || lo < 0)
        t->ik = (lo >= 0 && hi <= 65535) ? IntKind::U16 : IntKind::S32;
    t->name = name == kNoName ? text : spell(name);
    for (Symbol* s : elements) {
        if (m_inDeclarationText || !m_ctx) {
            if (!m_inDeclarationText)
                declareName(s->name, s->pos, true);
            m_env.declare(s);
        } else {
            declareName(s->name, s->pos, false);
            m_ctx->scope[s->name] = s;
        }
    }
    return t;
}

const Type* Parser::makeSet(NameId name)
{
    advance(); // SET
    expectKeyword(KW_OF);
    std::uint32_t pos = m_tok.offset;
    const Type* e = parseType(kNoName);
    if (!e->isOrdinal())
        failAt(pos, MessageCode::TypeMismatch);
    if (e->low < 0 || e->high > 255)
        failAt(pos, MessageCode::Custom, "Sets may have at most 256 elements");
    Type* t = m_env.newType(TK::Set, name == kNoName ? "set of " + e->name : spell(name));
    t->elem = e;
    return t;
}

const Type* Parser::makeArray(NameId name)
{
    advance(); // ARRAY
    if (acceptKeyword(KW_OF)) {
        std::uint32_t pos = m_tok.offset;
        if (m_tok.isKeyword(KW_CONST))
            failAt(pos, MessageCode::TypeMismatch);
        const Type* e = parseType(kNoName);
        Type* t = m_env.newType(TK::DynArray, name == kNoName ? "array of " + e->name : spell(name));
        t->elem = e;
        t->depth = e->depth + 1;
        checkSize(t);
        return t;
    }
    expect(Tok::LBracket);
    std::vector<const Type*> indexes;
    do {
        std::uint32_t pos = m_tok.offset;
        const Type* ix = parseType(kNoName);
        if (!ix->isOrdinal())
            failAt(pos, MessageCode::TypeMismatch);
        if (ix->high - ix->low >= static_cast<std::int64_t>(kMaxCells))
            failAt(pos, MessageCode::DataTypeTooLarge);
        indexes.push_back(ix);
    } while (accept(Tok::Comma));
    expect(Tok::RBracket);
    expectKeyword(KW_OF);
    const Type* e = parseType(kNoName);
    for (std::size_t i = indexes.size(); i-- > 0;) {
        const Type* ix = indexes[i];
        Type* t = m_env.newType(TK::Array);
        t->indexType = ix;
        t->low = ix->low;
        t->high = ix->high;
        t->elem = e;
        t->depth = e->depth + 1;
        t->cells = static_cast<std::uint64_t>(ix->high - ix->low + 1) * e->cells;
        t->name = (i == 0 && name != kNoName) ? spell(name)
                                              : "array[" + std::to_string(ix->low) + ".." +
                                                    std::to_string(ix->high) + "] of " + e->name;
        checkSize(t);
        e = t;
    }
    return e;
}

const Type* Parser::makeRecord(NameId name)
{
    advance(); // RECORD
    Type* t = m_env.newType(TK::Record, name == kNoName ? "record" : spell(name));
    int depth = 1;
    std::uint64_t cells = 0;
    while (!m_tok.isKeyword(KW_END)) {
        if (m_tok.isKeyword(KW_CASE))
            fail(MessageCode::NotSupported, "variant record");
        std::vector<std::pair<NameId, std::uint32_t>> names;
        do {
            std::uint32_t pos = m_tok.offset;
            names.emplace_back(expectIdent(), pos);
        } while (accept(Tok::Comma));
        expect(Tok::Colon);
        const Type* ft = parseType(kNoName);
        for (auto& [n, pos] : names) {
            if (t->fieldIndex(n) >= 0)
                failAt(pos, MessageCode::DuplicateIdentifier, spell(n));
            t->fields.push_back(Field{n, ft});
            cells += ft->cells;
        }
        depth = std::max(depth, ft->depth + 1);
        if (t->fields.size() > 60000)
            fail(MessageCode::DataTypeTooLarge);
        if (!accept(Tok::Semicolon))
            break;
    }
    expectKeyword(KW_END);
    t->depth = depth;
    t->cells = cells + 1;
    checkSize(t);
    return t;
}

const Type* Parser::makeProcType(NameId name, bool isFunction)
{
    Type* t = m_env.newType(TK::Proc);
    parseParams(t->sig);
    if (isFunction) {
        expect(Tok::Colon);
        t->sig.result = parseTypeName();
    }
    if (m_tok.isKeyword(KW_OF)) {
        advance();
        expectKeyword(KW_OBJECT);
        t->sig.ofObject = true;
    }
    t->name = name == kNoName ? (isFunction ? "function" : "procedure") : spell(name);
    return t;
}

} // namespace pascal
