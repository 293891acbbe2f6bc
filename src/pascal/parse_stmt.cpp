// Parser: statements.
#include "pascal/parser.h"

namespace pascal {

Stmt* Parser::newStmt(SK kind, std::uint32_t pos)
{
    Stmt* s = m_arena.make<Stmt>();
    s->kind = kind;
    s->pos = pos;
    return s;
}

bool Parser::endsFlow(const Stmt* s) const
{
    return s && s->kind == SK::Exit;
}

Stmt* Parser::parseStatement()
{
    DepthGuard guard(*this);
    progress();
    std::uint32_t pos = m_tok.offset;
    switch (m_tok.kind) {
    case Tok::Ident:
        switch (m_tok.name) {
        case KW_BEGIN:
            return parseCompound();
        case KW_IF:
            return parseIf();
        case KW_WHILE:
            return parseWhile();
        case KW_REPEAT:
            return parseRepeat();
        case KW_FOR:
            return parseFor();
        case KW_CASE:
            return parseCase();
        case KW_TRY:
            return parseTry();
        case KW_WITH:
            return parseWith();
        case KW_GOTO:
            fail(MessageCode::NotSupported, "goto");
        case KW_INHERITED:
            fail(MessageCode::NotSupported, "inherited");
        case KW_RAISE:
            advance();
            if (m_ctx && m_ctx->exceptDepth > 0 &&
                (m_tok.is(Tok::Semicolon) || m_tok.isKeyword(KW_END) || m_tok.isKeyword(KW_ELSE)))
                return newStmt(SK::Reraise, pos);
            failAt(pos, MessageCode::NotSupported, "raise");
        case KW_END:
        case KW_ELSE:
        case KW_UNTIL:
        case KW_EXCEPT:
        case KW_FINALLY:
            return newStmt(SK::Empty, pos);
        default:
            if (NameTable::isKeyword(m_tok.name))
                fail(MessageCode::IdentifierExpected);
            return parseSimpleStatement();
        }
    case Tok::Semicolon:
        return newStmt(SK::Empty, pos);
    case Tok::LParen: // (Sender as TButton).Caption := 'x';
        return parseSimpleStatement();
    case Tok::Int:
        if (peek().is(Tok::Colon))
            fail(MessageCode::NotSupported, "label");
        fail(MessageCode::IdentifierExpected);
    case Tok::Eof:
        fail(MessageCode::UnexpectedEndOfFile);
    default:
        fail(MessageCode::IdentifierExpected);
    }
}

Stmt* Parser::parseCompound()
{
    std::uint32_t pos = m_tok.offset;
    expectKeyword(KW_BEGIN);
    Stmt* s = parseStatementList(KW_END);
    s->pos = pos;
    expectKeyword(KW_END);
    return s;
}

Stmt* Parser::parseStatementList(NameId terminator, NameId terminator2)
{
    std::uint32_t pos = m_tok.offset;
    std::vector<Stmt*> list;
    bool exited = false, warned = false;
    for (;;) {
        Stmt* s = parseStatement();
        if (s->kind != SK::Empty) {
            if (exited && !warned) {
                diag(MessageKind::Warning, MessageCode::UnreachableCode, {}, s->pos);
                warned = true;
            }
            list.push_back(s);
            if (endsFlow(s))
                exited = true;
        }
        if (accept(Tok::Semicolon))
            continue;
        if (m_tok.isKeyword(terminator) || (terminator2 != kNoName && m_tok.isKeyword(terminator2)))
            break;
        if (m_tok.is(Tok::Eof))
            fail(MessageCode::UnexpectedEndOfFile);
        if (m_tok.isKeyword(KW_ELSE) && s->kind == SK::Empty) // if C then A; else B;
            fail(MessageCode::Custom, "';' not allowed before 'ELSE'");
        failExpected(";");
    }
    Stmt* b = newStmt(SK::Block, pos);
    b->n = static_cast<std::uint32_t>(list.size());
    b->list = m_arena.array<Stmt>(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        b->list[i] = list[i];
    return b;
}

Stmt* Parser::parseIf()
{
    // else-if chains are read in a loop, so a long chain is no deep recursion
    Stmt* first = nullptr;
    Stmt* cur = nullptr;
    for (;;) {
        Stmt* s = newStmt(SK::If, m_tok.offset);
        advance(); // IF
        s->a = toBoolean(parseExpr());
        expectKeyword(KW_THEN);
        s->s1 = parseStatement();
        if (cur)
            cur->s2 = s;
        else
            first = s;
        cur = s;
        if (!acceptKeyword(KW_ELSE))
            break;
        if (!m_tok.isKeyword(KW_IF)) {
            cur->s2 = parseStatement();
            break;
        }
    }
    return first;
}

Stmt* Parser::parseWhile()
{
    Stmt* s = newStmt(SK::While, m_tok.offset);
    advance();
    s->a = toBoolean(parseExpr());
    expectKeyword(KW_DO);
    ++m_ctx->loopDepth;
    s->s1 = parseStatement();
    --m_ctx->loopDepth;
    return s;
}

Stmt* Parser::parseRepeat()
{
    Stmt* s = newStmt(SK::Repeat, m_tok.offset);
    advance();
    ++m_ctx->loopDepth;
    s->s1 = parseStatementList(KW_UNTIL);
    --m_ctx->loopDepth;
    expectKeyword(KW_UNTIL);
    s->a = toBoolean(parseExpr());
    return s;
}

Stmt* Parser::parseFor()
{
    Stmt* s = newStmt(SK::For, m_tok.offset);
    advance();
    std::uint32_t vpos = m_tok.offset;
    Expr* v = parseDesignator(false);
    if (v->kind != EK::Var)
        failAt(vpos, MessageCode::VariableExpected);
    if (!v->type->isOrdinal())
        failAt(vpos, MessageCode::TypeMismatch);
    markWritten(v);
    s->a = v;
    expect(Tok::Assign);
    s->b = convert(parseExpr(), v->type, m_tok.offset);
    if (acceptKeyword(KW_DOWNTO))
        s->downto = true;
    else
        expectKeyword(KW_TO);
    std::uint32_t epos = m_tok.offset;
    s->c = convert(parseExpr(), v->type, epos);
    expectKeyword(KW_DO);
    ++m_ctx->loopDepth;
    s->s1 = parseStatement();
    --m_ctx->loopDepth;
    return s;
}

Stmt* Parser::parseCase()
{
    Stmt* s = newStmt(SK::Case, m_tok.offset);
    advance();
    std::uint32_t spos = m_tok.offset;
    Expr* sel = parseExpr();
    const Type* st = sel->type;
    if (st->kind == TK::Variant) {
        sel = convert(sel, m_env.tString, spos);
        st = sel->type;
    }
    if (!st->isOrdinal() && st->kind != TK::String)
        failAt(spos, MessageCode::TypeMismatch);
    s->a = sel;
    expectKeyword(KW_OF);
    std::vector<CaseArm> arms;
    while (!m_tok.isKeyword(KW_END) && !m_tok.isKeyword(KW_ELSE)) {
        std::vector<Expr*> labels;
        for (;;) {
            std::uint32_t lpos = m_tok.offset;
            Expr* lo = convert(constExpr(), st, lpos);
            Expr* hi = nullptr;
            if (accept(Tok::DotDot)) {
                std::uint32_t hpos = m_tok.offset;
                hi = convert(constExpr(), st, hpos);
            }
            labels.push_back(lo);
            labels.push_back(hi);
            if (!accept(Tok::Comma))
                break;
        }
        expect(Tok::Colon);
        CaseArm arm;
        arm.nlabels = static_cast<std::uint32_t>(labels.size());
        arm.labels = m_arena.array<Expr>(labels.size());
        for (std::size_t i = 0; i < labels.size(); ++i)
            arm.labels[i] = labels[i];
        arm.body = parseStatement();
        arms.push_back(arm);
        if (!accept(Tok::Semicolon)) {
            if (!m_tok.isKeyword(KW_END) && !m_tok.isKeyword(KW_ELSE))
                failExpected(";");
        }
    }
    if (acceptKeyword(KW_ELSE))
        s->s2 = parseStatementList(KW_END);
    expectKeyword(KW_END);
    s->narms = static_cast<std::uint32_t>(arms.size());
    s->arms = m_arena.objects<CaseArm>(arms.size());
    for (std::size_t i = 0; i < arms.size(); ++i)
        s->arms[i] = arms[i];
    return s;
}

Stmt* Parser::parseTry()
{
    std::uint32_t pos = m_tok.offset;
    advance();
    Stmt* body = parseStatementList(KW_EXCEPT, KW_FINALLY);
    Stmt* s;
    if (acceptKeyword(KW_EXCEPT)) {
        s = newStmt(SK::TryExcept, pos);
        if (m_tok.isIdent() && m_env.names.upper(m_tok.name) == "ON")
            fail(MessageCode::NotSupported, "on");
        ++m_ctx->exceptDepth;
        s->s2 = parseStatementList(KW_END);
        --m_ctx->exceptDepth;
    } else {
        expectKeyword(KW_FINALLY);
        s = newStmt(SK::TryFinally, pos);
        s->s2 = parseStatementList(KW_END);
    }
    expectKeyword(KW_END);
    s->s1 = body;
    return s;
}

Stmt* Parser::parseWith()
{
    std::uint32_t pos = m_tok.offset;
    advance();
    std::vector<Stmt*> setup;
    std::size_t scopes = 0;
    for (;;) {
        std::uint32_t epos = m_tok.offset;
        Expr* e = parseExpr();
        const Type* t = e->type;
        if (t->kind != TK::Record && t->kind != TK::Class)
            failAt(epos, MessageCode::Custom, "Record, object or class type required");
        Expr* base = e;
        if (t->kind == TK::Class || !isLvalue(e)) {
            // evaluated once into a hidden local
            Symbol* h = m_env.newSymbol(SymKind::Var, kNoName);
            h->vk = VarKind::Local;
            h->type = t;
            h->used = true;
            h->index = static_cast<int>(m_ctx->slots.size());
            m_ctx->slots.push_back(h);
            base = makeVar(h, epos);
            Stmt* a = newStmt(SK::Assign, epos);
            a->a = base;
            a->b = e;
            setup.push_back(a);
        }
        m_with.push_back(WithScope{t, base});
        ++scopes;
        if (!accept(Tok::Comma))
            break;
    }
    expectKeyword(KW_DO);
    Stmt* body = parseStatement();
    m_with.resize(m_with.size() - scopes);
    if (setup.empty())
        return body;
    setup.push_back(body);
    Stmt* b = newStmt(SK::Block, pos);
    b->n = static_cast<std::uint32_t>(setup.size());
    b->list = m_arena.array<Stmt>(setup.size());
    for (std::size_t i = 0; i < setup.size(); ++i)
        b->list[i] = setup[i];
    return b;
}

Stmt* Parser::makeAssign(Expr* target, Expr* value, std::uint32_t pos)
{
    if (target->kind == EK::Prop) {
        if (target->member->access == PropertyAccess::ReadOnly)
            failAt(static_cast<std::uint32_t>(target->imm), MessageCode::PropertyReadOnly,
                   spell(target->member->name));
    } else {
        if (!isLvalue(target))
            failAt(target->pos, MessageCode::VariableExpected);
        markWritten(target);
    }
    const Type* tt = target->type;
    if (tt->kind == TK::Proc && value->kind == EK::Call && value->nargs == 0 && value->routine &&
        !value->routine->sig.result)
        value = procAddress(value->routine, tt, value->pos);
    else if (tt->kind == TK::Proc && value->kind == EK::ProcAddr)
        value = procAddress(value->routine, tt, value->pos);
    else
        value = convert(value, tt, value->pos);
    Stmt* s = newStmt(SK::Assign, pos);
    s->a = target;
    s->b = value;
    return s;
}

// Delphi's way of assigning a routine to a procedural variable or an event, without @
// (Button1.OnClick := Button1Click): a script routine named on its own that could not be called there
// anyway, having parameters or no result. Anything else is left to the expression parser.
Expr* Parser::scriptRoutineAddress(const Type* target)
{
    if (!target || target->kind != TK::Proc || !m_tok.isIdent() || NameTable::isKeyword(m_tok.name))
        return nullptr;
    const Tok after = peek().kind;
    if (after != Tok::Semicolon && !(after == Tok::Ident && NameTable::isKeyword(peek().name)) &&
        after != Tok::Eof)
        return nullptr;
    for (const auto& w : m_with) // a member of a with object hides the routine
        if ((w.type->kind == TK::Record && w.type->fieldIndex(m_tok.name) >= 0) ||
            (w.type->kind == TK::Class && w.type->cls->find(m_tok.name)))
            return nullptr;
    Symbol* sym = nullptr;
    if (m_ctx) {
        auto it = m_ctx->scope.find(m_tok.name);
        if (it != m_ctx->scope.end())
            sym = it->second;
    }
    if (!sym)
        sym = m_env.lookup(m_tok.name);
    if (!sym || sym->kind != SymKind::Routine || sym->routine->kind != RoutineKind::Script)
        return nullptr;
    const Signature& sig = sym->routine->sig;
    if (sig.params.empty() && sig.result)
        return nullptr;
    std::uint32_t pos = m_tok.offset;
    Expr* e = parseDesignator(false, true);
    e->pos = pos;
    return e;
}

Stmt* Parser::parseSimpleStatement()
{
    std::uint32_t pos = m_tok.offset;
    Expr* e = parseDesignator(true);
    if (m_tok.is(Tok::Assign)) {
        advance();
        Expr* v = scriptRoutineAddress(e->type);
        if (!v)
            v = parseExpr();
        return makeAssign(e, v, pos);
    }
    switch (e->kind) {
    case EK::Call:
    case EK::Method:
    case EK::ProcCall: {
        Stmt* s = newStmt(SK::Call, pos);
        s->a = e;
        return s;
    }
    case EK::Intrinsic: {
        auto id = static_cast<Intrinsic>(e->op);
        if (id == Intrinsic::Exit) {
            Stmt* s = newStmt(SK::Exit, pos);
            s->b = e->nargs ? e->args[0] : nullptr;
            return s;
        }
        if (id == Intrinsic::Break || id == Intrinsic::Continue) {
            if (m_ctx->loopDepth == 0)
                failAt(pos, MessageCode::BreakOutsideLoop);
            return newStmt(id == Intrinsic::Break ? SK::Break : SK::Continue, pos);
        }
        Stmt* s = newStmt(SK::Call, pos);
        s->a = e;
        return s;
    }
    default:
        break;
    }
    if (e->type->kind == TK::Proc &&
        (e->kind == EK::Var || e->kind == EK::Prop || e->kind == EK::Field || e->kind == EK::Index)) {
        if (!e->type->sig.params.empty())
            failAt(pos, MessageCode::InvalidNumberOfParameters);
        Expr* x = newExpr(EK::ProcCall, e->type->sig.result ? e->type->sig.result : m_env.tVoid, pos);
        x->a = e;
        x->depth = e->depth + 1;
        Stmt* s = newStmt(SK::Call, pos);
        s->a = x;
        return s;
    }
    failExpected(":=");
}

} // namespace pascal
