// Parser: expressions, designators, calls and member access.
#include "pascal/parser.h"

namespace pascal {

namespace {
Expr* checkReadable(Expr* e, Parser*)
{
    return e;
}
} // namespace

static bool isRelational(const Token& t, BinOp& op)
{
    switch (t.kind) {
    case Tok::Eq:
        op = BinOp::Eq;
        return true;
    case Tok::Ne:
        op = BinOp::Ne;
        return true;
    case Tok::Lt:
        op = BinOp::Lt;
        return true;
    case Tok::Le:
        op = BinOp::Le;
        return true;
    case Tok::Gt:
        op = BinOp::Gt;
        return true;
    case Tok::Ge:
        op = BinOp::Ge;
        return true;
    case Tok::Ident:
        if (t.name == KW_IN) {
            op = BinOp::In;
            return true;
        }
        return false;
    default:
        return false;
    }
}

Expr* Parser::parseExpr()
{
    DepthGuard guard(*this);
    Expr* l = parseSimple();
    BinOp op;
    if (m_tok.isKeyword(KW_IS)) {
        std::uint32_t pos = m_tok.offset;
        advance();
        const Type* t = parseTypeName();
        if (t->kind != TK::Class || (l->type->kind != TK::Class && l->type->kind != TK::Nil))
            failAt(pos, MessageCode::TypeMismatch);
        Expr* e = newExpr(EK::Is, m_env.tBoolean, pos);
        e->a = l;
        e->klass = t->cls;
        e->depth = l->depth + 1;
        return e;
    }
    if (isRelational(m_tok, op)) {
        std::uint32_t pos = m_tok.offset;
        bool sc = m_tok.shortCircuit;
        advance();
        Expr* r = parseSimple();
        return binary(op, l, r, pos, sc);
    }
    return l;
}

Expr* Parser::parseSimple()
{
    Expr* l = parseTerm();
    for (;;) {
        BinOp op;
        if (m_tok.is(Tok::Plus))
            op = BinOp::Add;
        else if (m_tok.is(Tok::Minus))
            op = BinOp::Sub;
        else if (m_tok.isKeyword(KW_OR))
            op = BinOp::Or;
        else if (m_tok.isKeyword(KW_XOR))
            op = BinOp::Xor;
        else
            return l;
        std::uint32_t pos = m_tok.offset;
        bool sc = m_tok.shortCircuit;
        advance();
        Expr* r = parseTerm();
        l = binary(op, l, r, pos, sc);
    }
}

Expr* Parser::parseTerm()
{
    Expr* l = parseFactor();
    for (;;) {
        BinOp op;
        if (m_tok.is(Tok::Star))
            op = BinOp::Mul;
        else if (m_tok.is(Tok::Slash))
            op = BinOp::FDiv;
        else if (m_tok.isKeyword(KW_DIV))
            op = BinOp::IDiv;
        else if (m_tok.isKeyword(KW_MOD))
            op = BinOp::Mod;
        else if (m_tok.isKeyword(KW_AND))
            op = BinOp::And;
        else if (m_tok.isKeyword(KW_SHL))
            op = BinOp::Shl;
        else if (m_tok.isKeyword(KW_SHR))
            op = BinOp::Shr;
        else if (m_tok.isKeyword(KW_AS)) {
            std::uint32_t pos = m_tok.offset;
            advance();
            const Type* t = parseTypeName();
            if (t->kind != TK::Class || (l->type->kind != TK::Class && l->type->kind != TK::Nil))
                failAt(pos, MessageCode::TypeMismatch);
            Expr* e = newExpr(EK::As, t, l->pos);
            e->a = l;
            e->klass = t->cls;
            e->depth = l->depth + 1;
            l = e;
            continue;
        } else
            return l;
        std::uint32_t pos = m_tok.offset;
        bool sc = m_tok.shortCircuit;
        advance();
        Expr* r = parseFactor();
        l = binary(op, l, r, pos, sc);
    }
}

Expr* Parser::parseFactor()
{
    DepthGuard guard(*this);
    std::uint32_t pos = m_tok.offset;
    switch (m_tok.kind) {
    case Tok::Int: {
        std::int64_t v = m_tok.ival;
        advance();
        const Type* t = (v >= INT32_MIN && v <= INT32_MAX) ? m_env.tInteger : m_env.tInt64;
        return makeConst(t, Value::integer(v), pos);
    }
    case Tok::Float: {
        double v = m_tok.fval;
        advance();
        return makeConst(m_env.tExtended, Value::real(v), pos);
    }
    case Tok::String: {
        std::string s = std::move(m_tok.sval);
        advance();
        if (s.size() == 1)
            return makeConst(m_env.tChar, Value::integer(static_cast<unsigned char>(s[0])), pos);
        return makeConst(m_env.tString, Value::string(s), pos);
    }
    case Tok::LParen: {
        advance();
        Expr* e = parseExpr();
        expect(Tok::RParen);
        if (m_tok.is(Tok::Dot) || m_tok.is(Tok::LBracket))
            return checkReadable(parseSelectors(e, false), this);
        return e;
    }
    case Tok::LBracket:
        return parseSetConstructor();
    case Tok::Minus:
    case Tok::Plus: {
        bool neg = m_tok.is(Tok::Minus);
        advance();
        Expr* e = parseFactor();
        if (!neg) {
            if (!e->type->isNumeric() && e->type->kind != TK::Variant)
                failAt(pos, MessageCode::TypeMismatch);
            return e;
        }
        return unary(UnOp::Neg, e, pos);
    }
    case Tok::At: {
        advance();
        Expr* e = parseDesignator(false, true);
        if (e->kind != EK::ProcAddr)
            failAt(pos, MessageCode::NotSupported, "@ of a variable");
        e->pos = pos;
        return e;
    }
    case Tok::Ident:
        if (m_tok.name == KW_NOT) {
            advance();
            Expr* e = parseFactor();
            return unary(UnOp::Not, e, pos);
        }
        if (m_tok.name == KW_NIL) {
            advance();
            return makeConst(m_env.tNil, Value::nilObject(), pos);
        }
        if (NameTable::isKeyword(m_tok.name))
            fail(MessageCode::Custom, "Expression expected");
        return checkReadable(parseDesignator(false), this);
    case Tok::Eof:
        fail(MessageCode::UnexpectedEndOfFile);
    default:
        fail(MessageCode::Custom, "Expression expected");
    }
}

Expr* Parser::parseSetConstructor()
{
    std::uint32_t pos = m_tok.offset;
    advance(); // [
    std::vector<Expr*> items;
    bool ordinal = true, allConst = true;
    const Type* elem = nullptr;
    if (!m_tok.is(Tok::RBracket)) {
        for (;;) {
            Expr* lo = parseExpr();
            Expr* hi = nullptr;
            if (accept(Tok::DotDot))
                hi = parseExpr();
            for (Expr* x : {lo, hi}) {
                if (!x)
                    continue;
                if (!x->type->isOrdinal()) {
                    ordinal = false;
                } else if (ordinal) {
                    const Type* c = elem ? commonOrdinal(elem, x->type) : x->type;
                    if (!c)
                        ordinal = false;
                    else
                        elem = c;
                }
                if (x->kind != EK::Const)
                    allConst = false;
            }
            if (hi && !ordinal)
                failAt(hi->pos, MessageCode::TypeMismatch);
            items.push_back(lo);
            items.push_back(hi);
            if (items.size() > 200000)
                fail(MessageCode::NestingTooDeep);
            if (!accept(Tok::Comma))
                break;
        }
    }
    expect(Tok::RBracket);
    Expr* e = newExpr(EK::SetCons, nullptr, pos);
    e->nargs = static_cast<std::uint32_t>(items.size());
    e->args = m_arena.array<Expr>(items.size());
    std::uint32_t depth = 1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        e->args[i] = items[i];
        if (items[i])
            depth = std::max(depth, items[i]->depth + 1);
    }
    e->depth = depth;
    if (items.empty()) {
        e->type = m_env.tEmptySet;
    } else if (ordinal) {
        Type* t = m_env.newType(TK::Set, "set");
        t->elem = elem;
        e->type = t;
        if (allConst) {
            SetRep* s = rep::newSet();
            Value v;
            v.adoptSet(s);
            for (std::size_t i = 0; i < items.size() && !e->flag; i += 2) {
                std::int64_t a = constValue(items[i]).rawInt();
                std::int64_t b = items[i + 1] ? constValue(items[i + 1]).rawInt() : a;
                if ((a < 0 || b > 255 || a > 255 || b < 0) && a <= b) {
                    // no set, but still an open array argument (Format('%d', [-1])): the error
                    // waits until the constructor is used as a set
                    e->flag = true;
                    e->imm = items[i]->pos;
                    break;
                }
                for (std::int64_t k = a; k <= b; ++k)
                    s->bits[k >> 6] |= std::uint64_t(1) << (k & 63);
            }
            // kept as a constructor (an open array argument reads it as such), with its value
            if (!e->flag) {
                m_consts.push_back(std::move(v));
                e->constIndex = static_cast<int>(m_consts.size() - 1);
            }
        }
    } else {
        e->type = m_env.tArrayOfConst; // only an open array parameter takes it
    }
    return e;
}

// --- designators ----------------------------------------------------------------------------------

Expr* Parser::lookupWith(NameId name, std::uint32_t pos, bool statement)
{
    for (auto it = m_with.rbegin(); it != m_with.rend(); ++it) {
        const Type* t = it->type;
        if (t->kind == TK::Record) {
            int f = t->fieldIndex(name);
            if (f >= 0) {
                advance();
                Expr* e = newExpr(EK::Field, t->fields[static_cast<std::size_t>(f)].type, pos);
                e->a = it->base;
                e->imm = f;
                e->depth = it->base->depth + 1;
                return e;
            }
        } else if (t->kind == TK::Class) {
            const Member* m = t->cls->find(name);
            if (m) {
                advance();
                return parseMemberAccess(it->base, t->cls, name, pos, statement);
            }
        }
    }
    return nullptr;
}

Expr* Parser::parseDesignator(bool statement, bool addressOf)
{
    DepthGuard guard(*this);
    if (statement && m_tok.is(Tok::LParen)) {
        advance();
        Expr* e = parseExpr();
        expect(Tok::RParen);
        return parseSelectors(e, statement);
    }
    if (!m_tok.isIdent()) {
        if (m_tok.is(Tok::Eof))
            fail(MessageCode::UnexpectedEndOfFile);
        fail(MessageCode::IdentifierExpected);
    }
    Expr* e = parseIdentifier(statement, addressOf);
    if (addressOf)
        return e;
    return parseSelectors(e, statement);
}

Expr* Parser::parseIdentifier(bool statement, bool addressOf)
{
    std::uint32_t pos = m_tok.offset;
    NameId n = m_tok.name;
    if (!m_with.empty()) {
        if (Expr* w = lookupWith(n, pos, statement))
            return w;
    }
    Symbol* sym = nullptr;
    if (m_ctx) {
        auto it = m_ctx->scope.find(n);
        if (it != m_ctx->scope.end())
            sym = it->second;
    }
    if (!sym)
        sym = m_env.lookup(n);
    if (!sym)
        fail(MessageCode::UnknownIdentifier, std::string(m_lex.text().substr(m_tok.offset, m_tok.length)));
    advance();
    switch (sym->kind) {
    case SymKind::Var:
        return makeVar(sym, pos);
    case SymKind::Const:
        sym->used = true;
        return makeConst(sym->type, sym->value, pos);
    case SymKind::Type: {
        const Type* t = sym->type;
        if (m_tok.is(Tok::LParen))
            return parseTypecast(t, pos);
        if (t->kind == TK::Class) {
            Expr* e = newExpr(EK::ClassRef, t->cls->refType, pos);
            e->klass = t->cls;
            return e;
        }
        Expr* e = newExpr(EK::TypeRef, m_env.tTypeName, pos);
        e->imm = 0;
        e->klass = nullptr;
        e->routine = nullptr;
        e->member = nullptr;
        e->sym = sym;
        return e;
    }
    case SymKind::Routine: {
        Routine* r = sym->routine;
        sym->used = true;
        if (addressOf) {
            Expr* e = newExpr(EK::ProcAddr, nullptr, pos);
            Type* pt = m_env.newType(TK::Proc, "procedure");
            pt->sig = r->sig;
            e->type = pt;
            e->routine = r;
            return e;
        }
        if (m_ctx && m_ctx->routine == r && r->sig.result && m_tok.is(Tok::Assign) && statement)
            return makeVar(m_ctx->result, pos);
        return parseCallArgs(r, pos, statement);
    }
    case SymKind::Intrinsic:
        return parseIntrinsic(static_cast<Intrinsic>(sym->index), pos, statement);
    }
    fail(MessageCode::UnknownIdentifier, spell(n));
}

void Parser::parseArgList(std::vector<Expr*>& args, Tok close)
{
    if (accept(close))
        return;
    for (;;) {
        args.push_back(parseExpr());
        if (args.size() > 250)
            fail(MessageCode::InvalidNumberOfParameters);
        if (accept(close))
            return;
        if (!accept(Tok::Comma))
            failExpected(close == Tok::RParen ? ")" : "]");
    }
}

Expr** Parser::checkArgs(const Signature& sig, std::vector<Expr*>& args, std::uint32_t pos, std::uint32_t& n)
{
    if (args.size() != sig.params.size())
        failAt(pos, MessageCode::InvalidNumberOfParameters);
    n = static_cast<std::uint32_t>(args.size());
    Expr** out = m_arena.array<Expr>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        const Param& p = sig.params[i];
        Expr* a = args[i];
        if (p.mode == ParamMode::Var || p.mode == ParamMode::Out) {
            if (a->kind == EK::Prop)
                failAt(a->pos, MessageCode::VariableExpected);
            requireLvalue(a);
            bool ok = sameType(p.type, a->type);
            if (!ok && p.type->kind == TK::Class && a->type->kind == TK::Class)
                ok = a->type->cls->descendsFrom(p.type->cls);
            if (!ok && p.type->kind == TK::OpenArray)
                ok = (a->type->kind == TK::DynArray || a->type->kind == TK::Array) &&
                     sameType(p.type->elem, a->type->elem);
            if (!ok)
                failAt(a->pos, MessageCode::TypeMismatch);
            out[i] = a;
            continue;
        }
        if (p.type->kind == TK::OpenArray && a->kind == EK::SetCons) {
            // [a, b, c] for an open array: an array built on the spot
            std::uint32_t count = a->nargs / 2;
            Expr* arr = newExpr(EK::ArrayCons, p.type, a->pos);
            arr->nargs = count;
            arr->args = m_arena.array<Expr>(count);
            std::uint32_t depth = 1;
            for (std::uint32_t k = 0; k < count; ++k) {
                if (a->args[2 * k + 1])
                    failAt(a->args[2 * k + 1]->pos, MessageCode::TypeMismatch);
                Expr* el = a->args[2 * k];
                arr->args[k] = convert(el, p.type->elem, el->pos);
                depth = std::max(depth, arr->args[k]->depth + 1);
            }
            arr->depth = depth;
            out[i] = arr;
            continue;
        }
        if (p.type->kind == TK::Proc && a->kind == EK::Call && a->nargs == 0 && a->routine &&
            !a->routine->sig.result) {
            out[i] = procAddress(a->routine, p.type, a->pos);
            continue;
        }
        out[i] = convert(a, p.type, a->pos);
    }
    return out;
}

Expr* Parser::procAddress(Routine* r, const Type* target, std::uint32_t pos)
{
    if (!procCompatible(target->sig, r->sig))
        failAt(pos, MessageCode::TypeMismatch);
    Expr* e = newExpr(EK::ProcAddr, target, pos);
    e->routine = r;
    return e;
}

Expr* Parser::parseCallArgs(Routine* r, std::uint32_t pos, bool statement)
{
    (void)statement;
    std::vector<Expr*> args;
    if (accept(Tok::LParen))
        parseArgList(args, Tok::RParen);
    Expr* e = newExpr(EK::Call, r->sig.result ? r->sig.result : m_env.tVoid, pos);
    e->routine = r;
    e->args = checkArgs(r->sig, args, pos, e->nargs);
    std::uint32_t depth = 1;
    for (std::uint32_t i = 0; i < e->nargs; ++i)
        depth = std::max(depth, e->args[i]->depth + 1);
    e->depth = depth;
    return e;
}

Expr* Parser::parseMemberAccess(Expr* obj, const ClassInfo* cls, NameId name, std::uint32_t pos,
                                bool statement)
{
    (void)statement;
    const Member* m = cls->find(name);
    if (!m)
        failAt(pos, MessageCode::NotAMember, cls->spelling + "\n" + spell(name));
    std::uint32_t depth = obj ? obj->depth + 1 : 1;
    if (m->kind == Member::Kind::Method) {
        std::vector<Expr*> args;
        if (accept(Tok::LParen))
            parseArgList(args, Tok::RParen);
        const Type* rt = m->isConstructor ? cls->type : (m->sig.result ? m->sig.result : m_env.tVoid);
        Expr* e = newExpr(EK::Method, rt, obj ? obj->pos : pos);
        e->a = obj;
        e->member = m;
        e->klass = cls;
        e->args = checkArgs(m->sig, args, pos, e->nargs);
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            depth = std::max(depth, e->args[i]->depth + 1);
        e->depth = depth;
        return e;
    }
    if (!obj)
        failAt(pos, MessageCode::NotAMember, cls->spelling + "\n" + spell(name));
    std::vector<Expr*> args;
    if (!m->indexTypes.empty()) {
        if (!accept(Tok::LBracket))
            failExpected("[");
        parseArgList(args, Tok::RBracket);
        if (args.size() != m->indexTypes.size())
            failAt(pos, MessageCode::InvalidNumberOfParameters);
    }
    Expr* e = newExpr(EK::Prop, m->type, obj->pos);
    e->imm = pos; // where the property is named, for the messages about it
    e->a = obj;
    e->member = m;
    e->nargs = static_cast<std::uint32_t>(args.size());
    e->args = m_arena.array<Expr>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        e->args[i] = convert(args[i], m->indexTypes[i], args[i]->pos);
        depth = std::max(depth, e->args[i]->depth + 1);
    }
    e->depth = depth;
    return e;
}

Expr* Parser::parseSelectors(Expr* e, bool statement)
{
    for (;;) {
        std::uint32_t pos = m_tok.offset;
        auto readable = [&](Expr* x) {
            if (x->kind == EK::Prop && x->member->access == PropertyAccess::WriteOnly)
                failAt(static_cast<std::uint32_t>(x->imm), MessageCode::PropertyWriteOnly,
                       spell(x->member->name));
        };
        if (m_tok.is(Tok::Dot)) {
            readable(e);
            advance();
            std::uint32_t mpos = m_tok.offset;
            NameId name;
            if (m_tok.kind == Tok::Ident) {
                name = m_tok.name;
                advance();
            } else {
                name = expectIdent();
            }
            const Type* t = e->type;
            if (t->kind == TK::Record) {
                int f = t->fieldIndex(name);
                if (f < 0)
                    failAt(mpos, MessageCode::UnknownIdentifier, spell(name));
                Expr* x = newExpr(EK::Field, t->fields[static_cast<std::size_t>(f)].type, mpos);
                x->a = e;
                x->imm = f;
                x->depth = e->depth + 1;
                e = x;
            } else if (t->kind == TK::Class) {
                e = parseMemberAccess(e, t->cls, name, mpos, statement);
            } else if (t->kind == TK::ClassRef) {
                const Member* m = t->cls->find(name);
                if (!m || m->kind != Member::Kind::Method)
                    failAt(mpos, MessageCode::NotAMember, t->cls->spelling + "\n" + spell(name));
                e = parseMemberAccess(nullptr, t->cls, name, mpos, statement);
            } else {
                failAt(pos, MessageCode::Custom, "Record, object or class type required");
            }
        } else if (m_tok.is(Tok::LBracket)) {
            readable(e);
            const Type* t = e->type;
            if (t->kind == TK::Class) {
                const Member* dp = t->cls->findDefault();
                if (!dp)
                    failAt(pos, MessageCode::Custom, "Array type required");
                advance();
                std::vector<Expr*> args;
                parseArgList(args, Tok::RBracket);
                if (args.size() != dp->indexTypes.size())
                    failAt(pos, MessageCode::InvalidNumberOfParameters);
                Expr* x = newExpr(EK::Prop, dp->type, e->pos);
                x->imm = pos;
                x->a = e;
                x->member = dp;
                x->nargs = static_cast<std::uint32_t>(args.size());
                x->args = m_arena.array<Expr>(args.size());
                std::uint32_t depth = e->depth + 1;
                for (std::size_t i = 0; i < args.size(); ++i) {
                    x->args[i] = convert(args[i], dp->indexTypes[i], args[i]->pos);
                    depth = std::max(depth, x->args[i]->depth + 1);
                }
                x->depth = depth;
                e = x;
                continue;
            }
            advance();
            for (;;) {
                t = e->type;
                Expr* ix = parseExpr();
                Expr* x = nullptr;
                if (t->kind == TK::Array) {
                    x = newExpr(EK::Index, t->elem, pos);
                    x->b =
                        convert(ix, t->indexType->kind == TK::Integer ? m_env.tInt64 : t->indexType, ix->pos);
                    x->imm = t->low;
                    if (ix->kind == EK::Const) {
                        std::int64_t v = constValue(ix).rawInt();
                        if (v < t->low || v > t->high)
                            failAt(ix->pos, MessageCode::ConstantOutOfRange);
                    }
                } else if (t->kind == TK::DynArray || t->kind == TK::OpenArray) {
                    x = newExpr(EK::Index, t->elem, pos);
                    x->b = convert(ix, m_env.tInt64, ix->pos);
                    x->imm = 0;
                } else if (t->kind == TK::String) {
                    x = newExpr(EK::StrIndex, m_env.tChar, pos);
                    x->b = convert(ix, m_env.tInt64, ix->pos);
                } else if (t->kind == TK::Variant) {
                    failAt(pos, MessageCode::NotSupported, "Variant array");
                } else {
                    failAt(pos, MessageCode::Custom, "Array type required");
                }
                x->a = e;
                x->pos = e->pos;
                x->depth = std::max(e->depth, x->b->depth) + 1;
                e = x;
                if (accept(Tok::Comma))
                    continue;
                expect(Tok::RBracket);
                break;
            }
        } else if (m_tok.is(Tok::LParen) && e->type->kind == TK::Proc && e->kind != EK::ProcAddr) {
            readable(e);
            advance();
            std::vector<Expr*> args;
            parseArgList(args, Tok::RParen);
            const Signature& sig = e->type->sig;
            Expr* x = newExpr(EK::ProcCall, sig.result ? sig.result : m_env.tVoid, e->pos);
            x->a = e;
            x->args = checkArgs(sig, args, pos, x->nargs);
            std::uint32_t depth = e->depth + 1;
            for (std::uint32_t i = 0; i < x->nargs; ++i)
                depth = std::max(depth, x->args[i]->depth + 1);
            x->depth = depth;
            e = x;
        } else if (m_tok.is(Tok::Caret)) {
            fail(MessageCode::NotSupported, "pointer");
        } else {
            break;
        }
    }
    if (!statement && e->kind == EK::Prop && e->member->access == PropertyAccess::WriteOnly)
        failAt(static_cast<std::uint32_t>(e->imm), MessageCode::PropertyWriteOnly, spell(e->member->name));
    return e;
}

Expr* Parser::parseTypecast(const Type* to, std::uint32_t pos)
{
    expect(Tok::LParen);
    Expr* e = parseExpr();
    expect(Tok::RParen);
    const Type* from = e->type;
    Expr* r = nullptr;
    auto retype = [&] {
        if (e->kind == EK::Const) {
            Expr* c = makeConst(to, constValue(e), pos);
            return c;
        }
        Expr* x = newExpr(EK::Conv, to, pos);
        x->op = static_cast<std::uint8_t>(Conv::None);
        x->a = e;
        x->depth = e->depth + 1;
        return x;
    };
    switch (to->kind) {
    case TK::Class:
        if (from->kind == TK::Class || from->kind == TK::Nil)
            r = retype();
        break;
    case TK::Integer:
    case TK::Char:
    case TK::Bool:
    case TK::Enum:
        if (from->isOrdinal()) {
            if (e->kind == EK::Const) {
                std::int64_t v = constValue(e).rawInt();
                if (to->kind == TK::Bool)
                    r = makeConst(to, Value::boolean(v != 0), pos);
                else
                    r = makeConst(to, Value::integer(wrapIntKind(v, to->ik)), pos);
            } else {
                Expr* x = newExpr(EK::Conv, to, pos);
                x->op = static_cast<std::uint8_t>(Conv::Narrow);
                x->imm = to->kind == TK::Bool ? 255 : static_cast<std::int64_t>(to->ik);
                x->a = e;
                x->depth = e->depth + 1;
                r = x;
            }
        } else if (from->kind == TK::Variant) {
            r = convert(e, to, pos);
        }
        break;
    default:
        r = tryConvert(e, to);
        break;
    }
    if (!r)
        failAt(pos, MessageCode::TypeMismatch);
    r->pos = pos;
    return r;
}

} // namespace pascal
