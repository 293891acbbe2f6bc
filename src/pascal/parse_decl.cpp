// Parser: program structure, declarations, routine headers and type definitions.
#include "pascal/codegen.h"
#include "pascal/parser.h"
#include "pascal/registration.h"
#include "platform/text_encoding.h"

#include <algorithm>

namespace pascal {

Parser::Parser(Environment& env, std::string_view text) : m_env(env), m_lex(text, env.names)
{}

// --- tokens ---------------------------------------------------------------------------------------

void Parser::advance()
{
    if (m_hasNext) {
        m_tok = std::move(m_next);
        m_hasNext = false;
    } else {
        m_lex.next(m_tok);
    }
}

const Token& Parser::peek()
{
    if (!m_hasNext) {
        m_lex.next(m_next);
        m_hasNext = true;
    }
    return m_next;
}

bool Parser::accept(Tok t)
{
    if (m_tok.kind != t)
        return false;
    advance();
    return true;
}

bool Parser::acceptKeyword(NameId k)
{
    if (!m_tok.isKeyword(k))
        return false;
    advance();
    return true;
}

static const char* tokText(Tok t)
{
    switch (t) {
    case Tok::Semicolon:
        return ";";
    case Tok::RParen:
        return ")";
    case Tok::LParen:
        return "(";
    case Tok::RBracket:
        return "]";
    case Tok::LBracket:
        return "[";
    case Tok::Assign:
        return ":=";
    case Tok::Colon:
        return ":";
    case Tok::Comma:
        return ",";
    case Tok::Dot:
        return ".";
    case Tok::DotDot:
        return "..";
    case Tok::Eq:
        return "=";
    default:
        return "?";
    }
}

void Parser::expect(Tok t)
{
    if (!accept(t))
        failExpected(tokText(t));
}

void Parser::expectKeyword(NameId k)
{
    if (!acceptKeyword(k))
        failExpected(m_env.names.upper(k).c_str());
}

NameId Parser::expectIdent()
{
    if (!m_tok.isIdent()) {
        if (m_tok.is(Tok::Eof))
            fail(MessageCode::UnexpectedEndOfFile);
        fail(MessageCode::IdentifierExpected);
    }
    NameId n = m_tok.name;
    advance();
    return n;
}

void Parser::fail(MessageCode code, std::string param)
{
    throw CompileError{code, std::move(param), m_tok.offset};
}

void Parser::failAt(std::uint32_t offset, MessageCode code, std::string param)
{
    throw CompileError{code, std::move(param), offset};
}

void Parser::failExpected(const char* what)
{
    if (m_tok.is(Tok::Eof))
        fail(MessageCode::UnexpectedEndOfFile);
    fail(MessageCode::Expected, what);
}

void Parser::diag(MessageKind kind, MessageCode code, std::string param, std::uint32_t offset)
{
    if (m_diags)
        m_diags->push_back(Diag{kind, code, std::move(param), offset});
}

void Parser::progress()
{
    if (!m_hooks.progress || !*m_hooks.progress)
        return;
    std::uint32_t at = m_tok.offset;
    if (at < m_lastProgress + 4096 && m_lastProgress != 0)
        return;
    m_lastProgress = at == 0 ? 1 : at;
    if (!(*m_hooks.progress)(at))
        fail(MessageCode::Custom, "Compile aborted");
}

// --- program structure ----------------------------------------------------------------------------

void Parser::parseProgram(CodeGen& gen, std::vector<Diag>& diags, const CompileHooks& hooks)
{
    m_gen = &gen;
    m_diags = &diags;
    m_hooks = hooks;
    advance();
    if (m_tok.isKeyword(KW_UNIT))
        fail(MessageCode::NotSupported, "unit");
    if (acceptKeyword(KW_PROGRAM)) {
        expectIdent();
        expect(Tok::Semicolon);
    }
    for (;;) {
        progress();
        if (m_tok.kind == Tok::Ident) {
            switch (m_tok.name) {
            case KW_USES:
                parseUses();
                continue;
            case KW_CONST:
                parseConstSection(true);
                continue;
            case KW_TYPE:
                parseTypeSection(true);
                continue;
            case KW_VAR:
                parseVarSection(true);
                continue;
            case KW_PROCEDURE:
            case KW_FUNCTION:
                parseRoutine();
                continue;
            case KW_LABEL:
                fail(MessageCode::NotSupported, "label");
            case KW_CONSTRUCTOR:
            case KW_DESTRUCTOR:
            case KW_CLASS:
            case KW_OBJECT:
            case KW_INTERFACE:
            case KW_IMPLEMENTATION:
                fail(MessageCode::NotSupported, "class");
            case KW_BEGIN:
                parseMainBlock();
                break;
            default:
                fail(MessageCode::Expected, "BEGIN");
            }
            break;
        }
        fail(MessageCode::Expected, "BEGIN");
    }
    // Every forward declaration needs its body.
    for (Symbol* s : m_env.globals)
        (void)s;
}

void Parser::parseUses()
{
    advance();
    for (;;) {
        std::uint32_t pos = m_tok.offset;
        NameId n = expectIdent();
        if (m_hooks.uses && *m_hooks.uses) {
            Registrar reg(m_env);
            UsesRequest req{m_env.names.upper(n), reg, {}};
            bool ok = false;
            try {
                ok = (*m_hooks.uses)(req);
            } catch (const CompileError&) {
                throw;
            } catch (const std::exception& e) {
                failAt(pos, MessageCode::Custom, e.what());
            }
            if (!ok) {
                if (!req.error.empty())
                    failAt(pos, MessageCode::Custom, req.error);
                failAt(pos, MessageCode::UnknownIdentifier, spell(n));
            }
        } else {
            failAt(pos, MessageCode::UnknownIdentifier, spell(n));
        }
        if (!accept(Tok::Comma))
            break;
    }
    expect(Tok::Semicolon);
}

void Parser::declareName(NameId name, std::uint32_t pos, bool global)
{
    if (global) {
        if (m_env.declaredByScript(name))
            failAt(pos, MessageCode::DuplicateIdentifier, spell(name));
        m_env.markScriptName(name);
    } else if (m_ctx) {
        if (m_ctx->scope.count(name))
            failAt(pos, MessageCode::DuplicateIdentifier, spell(name));
    }
}

Expr* Parser::constExpr()
{
    std::uint32_t pos = m_tok.offset;
    Expr* e = parseExpr();
    if (e->kind == EK::SetCons && e->flag)
        failAt(static_cast<std::uint32_t>(e->imm), MessageCode::ConstantOutOfRange);
    if (e->kind == EK::SetCons && e->constIndex >= 0)
        e = makeConst(e->type, m_consts[static_cast<std::size_t>(e->constIndex)], e->pos);
    if (e->kind != EK::Const)
        failAt(pos, MessageCode::ConstantExpressionExpected);
    return e;
}

Value Parser::constValue(Expr* e)
{
    return m_consts[static_cast<std::size_t>(e->constIndex)];
}

namespace {

// The value a variable of the type starts with, for the fields a record constant leaves out.
Value zeroOf(const Type* t)
{
    Value v;
    switch (t->kind) {
    case TK::Integer:
    case TK::Char:
    case TK::Enum:
        v.setInt(0);
        break;
    case TK::Bool:
        v.setBool(false);
        break;
    case TK::Float:
        v.setFloat(0);
        break;
    case TK::String:
        v.adoptStr(nullptr);
        break;
    case TK::Set:
        v.adoptSet(nullptr);
        break;
    case TK::DynArray:
        v.adoptArr(nullptr);
        break;
    case TK::Proc:
        v = Value::proc(ProcKind::Nil, 0);
        break;
    case TK::Class:
        v = Value::nilObject();
        break;
    case TK::Pointer:
        v.setTagged(Tag::Pointer, 0);
        break;
    case TK::Array: {
        ArrRep* a = rep::newArr(static_cast<std::size_t>(t->high - t->low + 1));
        v.adoptArr(a);
        const Value e = zeroOf(t->elem);
        for (std::size_t i = 0; i < a->len; ++i)
            a->elems()[i] = e;
        break;
    }
    case TK::Record: {
        RecRep* r = rep::newRec(t->fields.size());
        v.adoptRec(r);
        for (std::size_t i = 0; i < t->fields.size(); ++i)
            r->fields()[i] = zeroOf(t->fields[i].type);
        break;
    }
    default:
        break;
    }
    return v;
}

} // namespace

// The value of a typed constant or an initialised variable: a constant expression, or for a static
// array or a record a list in parentheses, as Delphi writes them:
//   const Names: array[0..2] of string = ('a', 'b', 'c');
//   const Origin: TPoint = (X: 0; Y: 0);
Value Parser::typedConstant(const Type* type)
{
    DepthGuard guard(*this);
    std::uint32_t pos = m_tok.offset;
    if (type->kind == TK::Array && m_tok.is(Tok::LParen)) {
        advance();
        const std::uint64_t count = static_cast<std::uint64_t>(type->high - type->low) + 1;
        std::vector<Value> items;
        for (;;) {
            items.push_back(typedConstant(type->elem));
            if (items.size() >= count)
                break;
            expect(Tok::Comma);
        }
        expect(Tok::RParen);
        ArrRep* a = rep::newArr(items.size());
        Value v;
        v.adoptArr(a);
        for (std::size_t i = 0; i < items.size(); ++i)
            a->elems()[i] = std::move(items[i]);
        return v;
    }
    if (type->kind == TK::Record && m_tok.is(Tok::LParen)) {
        advance();
        Value v = zeroOf(type);
        RecRep* r = v.rawRec();
        while (!m_tok.is(Tok::RParen)) {
            std::uint32_t fpos = m_tok.offset;
            NameId name = expectIdent();
            const int f = type->fieldIndex(name);
            if (f < 0)
                failAt(fpos, MessageCode::UnknownIdentifier, spell(name));
            expect(Tok::Colon);
            r->fields()[f] = typedConstant(type->fields[static_cast<std::size_t>(f)].type);
            if (!accept(Tok::Semicolon))
                break;
        }
        expect(Tok::RParen);
        return v;
    }
    Expr* e = convert(constExpr(), type, pos);
    if (e->kind != EK::Const)
        failAt(pos, MessageCode::ConstantExpressionExpected);
    return constValue(e);
}

Symbol* Parser::scriptSymbol(SymKind kind, NameId name, std::uint32_t pos, const Type* type)
{
    Symbol* s = m_env.newSymbol(kind, name);
    s->type = type;
    s->pos = pos;
    s->script = true;
    return s;
}

void Parser::publish(Symbol* s, bool global)
{
    if (global)
        m_env.declare(s);
    else
        m_ctx->scope[s->name] = s;
}

void Parser::parseConstSection(bool global)
{
    advance();
    if (!m_tok.isIdent())
        fail(MessageCode::IdentifierExpected);
    while (m_tok.isIdent()) {
        std::uint32_t pos = m_tok.offset;
        NameId name = expectIdent();
        declareName(name, pos, global);
        const Type* type = nullptr;
        if (accept(Tok::Colon))
            type = parseType(kNoName);
        expect(Tok::Eq);
        Value value;
        if (type) {
            value = typedConstant(type);
        } else {
            Expr* e = constExpr();
            type = e->type;
            value = constValue(e);
        }
        expect(Tok::Semicolon);
        Symbol* s = scriptSymbol(SymKind::Const, name, pos, type);
        s->value = std::move(value);
        publish(s, global);
    }
}

void Parser::parseTypeSection(bool global)
{
    advance();
    if (!m_tok.isIdent())
        fail(MessageCode::IdentifierExpected);
    while (m_tok.isIdent()) {
        std::uint32_t pos = m_tok.offset;
        NameId name = expectIdent();
        declareName(name, pos, global);
        expect(Tok::Eq);
        const Type* t = parseType(name);
        expect(Tok::Semicolon);
        publish(scriptSymbol(SymKind::Type, name, pos, t), global);
    }
}

void Parser::parseVarSection(bool global)
{
    advance();
    if (!m_tok.isIdent())
        fail(MessageCode::IdentifierExpected);
    while (m_tok.isIdent()) {
        std::vector<std::pair<NameId, std::uint32_t>> names;
        do {
            std::uint32_t pos = m_tok.offset;
            names.emplace_back(expectIdent(), pos);
        } while (accept(Tok::Comma));
        expect(Tok::Colon);
        const Type* type = parseType(kNoName);
        Value init;
        bool hasInit = false;
        if (global && names.size() == 1 && m_tok.is(Tok::Eq)) {
            advance();
            init = typedConstant(type);
            hasInit = true;
        }
        expect(Tok::Semicolon);
        for (auto& [name, pos] : names) {
            declareName(name, pos, global);
            if (global) {
                Symbol* s = m_env.addGlobal(name, type, pos);
                s->script = true;
                if (hasInit)
                    s->value = init;
            } else {
                Symbol* s = scriptSymbol(SymKind::Var, name, pos, type);
                s->vk = VarKind::Local;
                s->index = static_cast<int>(m_ctx->slots.size());
                m_ctx->slots.push_back(s);
                m_ctx->scope[name] = s;
            }
        }
    }
}

// --- routines -------------------------------------------------------------------------------------

void Parser::parseParams(Signature& sig)
{
    if (!accept(Tok::LParen))
        return;
    if (accept(Tok::RParen))
        return;
    for (;;) {
        ParamMode mode = ParamMode::Value;
        if (acceptKeyword(KW_VAR))
            mode = ParamMode::Var;
        else if (acceptKeyword(KW_CONST))
            mode = ParamMode::Const;
        else if (m_tok.isIdent() && m_env.names.upper(m_tok.name) == "OUT" && peek().isIdent()) {
            advance();
            mode = ParamMode::Out;
        }
        std::vector<std::pair<NameId, std::uint32_t>> names;
        do {
            std::uint32_t pos = m_tok.offset;
            names.emplace_back(expectIdent(), pos);
        } while (accept(Tok::Comma));
        expect(Tok::Colon);
        bool open = false;
        const Type* t = parseParamType(open);
        if (accept(Tok::Eq))
            fail(MessageCode::NotSupported, "default parameter value");
        for (auto& [n, pos] : names) {
            for (const Param& p : sig.params)
                if (p.name == n)
                    failAt(pos, MessageCode::DuplicateIdentifier, spell(n));
            sig.params.push_back(Param{n, mode, t});
        }
        if (accept(Tok::RParen))
            break;
        if (!accept(Tok::Semicolon))
            failExpected(")");
    }
    if (sig.params.size() > 250)
        fail(MessageCode::Custom, "Too many parameters");
}

const Type* Parser::parseParamType(bool& openArray)
{
    if (m_tok.isKeyword(KW_ARRAY) && peek().isKeyword(KW_OF)) {
        advance();
        advance();
        openArray = true;
        Type* t = m_env.newType(TK::OpenArray);
        if (acceptKeyword(KW_CONST)) {
            t->arrayOfConst = true;
            t->elem = m_env.tVariant;
            t->name = "array of const";
            return t;
        }
        t->elem = parseTypeName();
        t->arrayOfConst = t->elem->kind == TK::Variant;
        t->name = "array of " + t->elem->name;
        t->depth = t->elem->depth + 1;
        checkSize(t);
        return t;
    }
    return parseTypeName();
}

const Type* Parser::parseTypeName()
{
    if (m_tok.isIdent()) {
        std::uint32_t pos = m_tok.offset;
        NameId n = m_tok.name;
        Symbol* s = nullptr;
        if (m_ctx) {
            auto it = m_ctx->scope.find(n);
            if (it != m_ctx->scope.end())
                s = it->second;
        }
        if (!s)
            s = m_env.lookup(n);
        if (!s || s->kind != SymKind::Type)
            failAt(pos, MessageCode::UnknownType, spell(n));
        advance();
        return s->type;
    }
    return parseType(kNoName);
}

Routine* Parser::parseHeader(bool isFunction, bool isConstructor, NameId& name, std::uint32_t& namePos,
                             Signature& sig)
{
    (void)isConstructor;
    namePos = m_tok.offset;
    name = expectIdent();
    if (m_tok.is(Tok::Dot))
        fail(MessageCode::NotSupported, "class");
    parseParams(sig);
    if (isFunction) {
        if (accept(Tok::Colon)) {
            sig.result = parseTypeName();
        } else if (!m_inDeclarationText) {
            failExpected(":");
        } else {
            failExpected(":");
        }
    }
    return nullptr;
}

static bool sameSignature(const Signature& a, const Signature& b)
{
    if (a.params.size() != b.params.size() || a.result != b.result)
        return false;
    for (std::size_t i = 0; i < a.params.size(); ++i) {
        if (a.params[i].mode != b.params[i].mode || a.params[i].name != b.params[i].name)
            return false;
        const Type* x = a.params[i].type;
        const Type* y = b.params[i].type;
        if (x != y && !(x->kind == TK::OpenArray && y->kind == TK::OpenArray && x->elem == y->elem))
            return false;
    }
    return true;
}

static std::string trimBlanks(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return std::string(s);
}

void Parser::parseRoutine()
{
    bool isFunction = m_tok.isKeyword(KW_FUNCTION);
    advance();
    NameId name;
    std::uint32_t namePos;
    Signature sig;
    parseHeader(isFunction, false, name, namePos, sig);
    expect(Tok::Semicolon);

    bool isForward = false, isExternal = false;
    std::string externalText;
    std::uint32_t externalPos = 0;
    for (;;) {
        if (!m_tok.isIdent())
            break;
        const std::string& d = m_env.names.upper(m_tok.name);
        if (d == "FORWARD") {
            advance();
            isForward = true;
        } else if (d == "EXTERNAL") {
            advance();
            externalPos = m_tok.offset;
            if (!m_tok.is(Tok::String))
                failExpected("string");
            externalText = m_tok.sval;
            advance();
            isExternal = true;
        } else if (d == "STDCALL" || d == "CDECL" || d == "REGISTER" || d == "PASCAL" || d == "SAFECALL" ||
                   d == "OVERLOAD") {
            advance();
        } else {
            break;
        }
        expect(Tok::Semicolon);
    }

    // A body after a forward declaration completes it.
    Routine* r = nullptr;
    if (m_env.declaredByScript(name)) {
        Symbol* prev = m_env.lookup(name);
        if (prev && prev->kind == SymKind::Routine && prev->routine->kind == RoutineKind::Script &&
            prev->routine->forward && !prev->routine->defined && !isForward && !isExternal) {
            r = prev->routine;
            bool omitted = sig.params.empty() && !sig.result;
            if (!omitted && !sameSignature(sig, r->sig))
                failAt(namePos, MessageCode::DeclarationDiffers, spell(name));
        } else {
            failAt(namePos, MessageCode::DuplicateIdentifier, spell(name));
        }
    }
    if (!r) {
        m_env.markScriptName(name);
        r = m_env.newRoutine(name);
        r->sig = std::move(sig);
        r->pos = namePos;
        r->kind = isExternal ? RoutineKind::External : RoutineKind::Script;
        r->forward = isForward;
        Symbol* s = m_env.newSymbol(SymKind::Routine, name);
        s->routine = r;
        s->pos = namePos;
        s->script = true;
        s->type = r->sig.result ? r->sig.result : m_env.tVoid;
        m_env.declare(s);
        if (m_gen && !isExternal)
            m_gen->declareRoutine(*r);
    }

    if (isExternal) {
        std::string text = trimBlanks(externalText);
        std::string head = text, rest;
        auto blank = text.find(' ');
        if (blank != std::string::npos) {
            head = text.substr(0, blank);
            rest = text.substr(blank + 1);
        }
        auto at = head.find('@');
        ExternalInfo info;
        info.symbol = at == std::string::npos ? head : head.substr(0, at);
        info.library = at == std::string::npos ? std::string() : head.substr(at + 1);
        info.convention = "register";
        std::string word;
        auto flushWord = [&] {
            if (word.empty())
                return;
            std::string w = platform::toLowerAscii(word);
            if (w == "delayload")
                info.delayLoad = true;
            else if (w == "stdcall" || w == "cdecl" || w == "register" || w == "pascal")
                info.convention = w;
            else
                failAt(externalPos, MessageCode::Custom,
                       "Invalid external declaration: '" + externalText + "'");
            word.clear();
        };
        for (char c : rest) {
            if (static_cast<unsigned char>(c) <= ' ')
                flushWord();
            else
                word += c;
        }
        flushWord();
        if (info.symbol.empty())
            failAt(externalPos, MessageCode::Custom, "Invalid external declaration: '" + externalText + "'");
        r->ext = info;
        if (m_hooks.external && *m_hooks.external) {
            RoutineInfo ri = m_env.routineInfo(*r);
            int row, col;
            m_lex.position(namePos, row, col);
            ri.row = row;
            ri.col = col;
            ExternalRequest req{ri, externalText, info.symbol, info.library, info.convention, info.delayLoad,
                                {}};
            if (!(*m_hooks.external)(req)) {
                if (!req.error.empty())
                    failAt(namePos, MessageCode::Custom, req.error);
                failAt(namePos, MessageCode::NotSupported, "external");
            }
        }
        if (m_gen)
            m_gen->declareExternal(*r);
        r->defined = true;
        return;
    }
    if (isForward)
        return;

    // The body.
    RoutineCtx ctx;
    ctx.routine = r;
    for (const Param& p : r->sig.params) {
        Symbol* s = m_env.newSymbol(SymKind::Var, p.name);
        s->vk = (p.mode == ParamMode::Var || p.mode == ParamMode::Out) ? VarKind::VarParam : VarKind::Param;
        s->type = p.type;
        s->used = true;
        s->index = static_cast<int>(ctx.slots.size());
        ctx.slots.push_back(s);
        ctx.scope[p.name] = s;
    }
    ctx.paramCount = static_cast<int>(ctx.slots.size());
    if (r->sig.result) {
        NameId resultName = m_env.names.intern("Result");
        Symbol* s = m_env.newSymbol(SymKind::Var, resultName);
        s->vk = VarKind::Result;
        s->type = r->sig.result;
        s->used = true;
        s->index = static_cast<int>(ctx.slots.size());
        ctx.slots.push_back(s);
        if (!ctx.scope.count(resultName))
            ctx.scope[resultName] = s;
        ctx.result = s;
    }
    m_ctx = &ctx;
    for (;;) {
        if (m_tok.isKeyword(KW_VAR))
            parseVarSection(false);
        else if (m_tok.isKeyword(KW_CONST))
            parseConstSection(false);
        else if (m_tok.isKeyword(KW_TYPE))
            parseTypeSection(false);
        else if (m_tok.isKeyword(KW_PROCEDURE) || m_tok.isKeyword(KW_FUNCTION))
            fail(MessageCode::NotSupported, "nested routine");
        else if (m_tok.isKeyword(KW_LABEL))
            fail(MessageCode::NotSupported, "label");
        else
            break;
    }
    if (!m_tok.isKeyword(KW_BEGIN))
        failExpected("BEGIN");
    Stmt* body = parseCompound();
    expect(Tok::Semicolon);
    r->defined = true;

    if (r->sig.result && !ctx.resultAssigned)
        diag(MessageKind::Warning, MessageCode::FunctionResultNotSet, {}, namePos);
    for (Symbol* s : ctx.slots)
        if (!s->used && s->script)
            diag(MessageKind::Hint, MessageCode::VariableNeverUsed, spell(s->name), s->pos);

    if (m_hooks.exportCheck && *m_hooks.exportCheck) {
        RoutineInfo ri = m_env.routineInfo(*r);
        int row, col;
        m_lex.position(namePos, row, col);
        ri.row = row;
        ri.col = col;
        ExportRequest req{ri, {}};
        if (!(*m_hooks.exportCheck)(req)) {
            if (!req.error.empty())
                failAt(namePos, MessageCode::Custom, req.error);
            failAt(namePos, MessageCode::ExportRefused, spell(name));
        }
    }
    if (m_gen)
        m_gen->routine(*this, ctx, body);
    m_ctx = nullptr;
    m_arena.reset();
}

void Parser::parseMainBlock()
{
    for (Symbol* s : m_env.globals) {
        (void)s;
    }
    // Forward declarations without a body.
    RoutineCtx ctx;
    m_ctx = &ctx;
    Stmt* body = parseCompound();
    if (!m_tok.is(Tok::Dot))
        failExpected(".");
    m_ctx = nullptr;
    if (m_gen)
        m_gen->mainBlock(*this, ctx, body);
    m_arena.reset();
}

// --- registration entry points --------------------------------------------------------------------

Routine* Parser::parseRoutineDeclaration(RoutineKind kind)
{
    m_inDeclarationText = true;
    advance();
    bool isFunction = m_tok.isKeyword(KW_FUNCTION);
    if (!isFunction && !m_tok.isKeyword(KW_PROCEDURE))
        failExpected("PROCEDURE");
    advance();
    NameId name;
    std::uint32_t pos;
    Signature sig;
    parseHeader(isFunction, false, name, pos, sig);
    accept(Tok::Semicolon);
    if (!m_tok.is(Tok::Eof))
        fail(MessageCode::Expected, ";");
    Routine* r = m_env.newRoutine(name);
    r->sig = std::move(sig);
    r->kind = kind;
    Symbol* s = m_env.newSymbol(SymKind::Routine, name);
    s->routine = r;
    s->type = r->sig.result ? r->sig.result : m_env.tVoid;
    m_env.declare(s);
    return r;
}

bool Parser::parseMethodDeclaration(Member& m)
{
    m_inDeclarationText = true;
    advance();
    bool isFunction = m_tok.isKeyword(KW_FUNCTION);
    bool isCtor = m_tok.isKeyword(KW_CONSTRUCTOR);
    if (!isFunction && !isCtor && !m_tok.isKeyword(KW_PROCEDURE))
        failExpected("PROCEDURE");
    advance();
    NameId name;
    std::uint32_t pos;
    parseHeader(isFunction, isCtor, name, pos, m.sig);
    accept(Tok::Semicolon);
    // trailing directives some declaration lines carry
    while (m_tok.isIdent()) {
        const std::string& d = m_env.names.upper(m_tok.name);
        if (d != "VIRTUAL" && d != "OVERRIDE" && d != "STDCALL" && d != "REINTRODUCE" && d != "DYNAMIC" &&
            d != "OVERLOAD" && d != "ABSTRACT")
            break;
        advance();
        accept(Tok::Semicolon);
    }
    if (!m_tok.is(Tok::Eof))
        fail(MessageCode::Expected, ";");
    m.kind = Member::Kind::Method;
    m.name = name;
    m.isConstructor = isCtor;
    return true;
}

const Type* Parser::parseTypeText(NameId name)
{
    m_inDeclarationText = true;
    advance();
    const Type* t = parseType(name);
    accept(Tok::Semicolon);
    if (!m_tok.is(Tok::Eof))
        fail(MessageCode::Expected, ";");
    return t;
}

bool Parser::parsePropertyTypes(const Type*& type, std::vector<const Type*>& indexTypes)
{
    m_inDeclarationText = true;
    advance();
    type = nullptr;
    while (!m_tok.is(Tok::Eof)) {
        if (!m_tok.isIdent())
            return false;
        Symbol* s = m_env.lookup(m_tok.name);
        if (!s || s->kind != SymKind::Type)
            return false;
        if (!type)
            type = s->type;
        else
            indexTypes.push_back(s->type);
        advance();
        accept(Tok::Comma);
    }
    return type != nullptr;
}

} // namespace pascal
