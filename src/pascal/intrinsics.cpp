// Parser: the routines the compiler builds in itself (Length, Inc, Low, High, Ord, Exit ...), whose
// parameters take more than one type.
#include "pascal/parser.h"

namespace pascal {

static std::int64_t sizeOfType(const Type* t)
{
    switch (t->kind) {
    case TK::Integer:
        switch (t->ik) {
        case IntKind::S8:
        case IntKind::U8:
            return 1;
        case IntKind::S16:
        case IntKind::U16:
            return 2;
        case IntKind::S32:
        case IntKind::U32:
            return 4;
        case IntKind::S64:
            return 8;
        }
        return 4;
    case TK::Char:
        return 1;
    case TK::Bool:
        return t->longBool ? 4 : 1;
    case TK::Enum:
        return t->high > 255 ? (t->high > 65535 ? 4 : 2) : 1;
    case TK::Float:
        switch (t->fk) {
        case FloatKind::Single:
            return 4;
        case FloatKind::Double:
        case FloatKind::Currency:
            return 8;
        case FloatKind::Extended:
            return 10;
        }
        return 8;
    case TK::Variant:
        return 16;
    case TK::Set:
        return 32;
    case TK::Array:
        return (t->high - t->low + 1) * sizeOfType(t->elem);
    case TK::Record: {
        std::int64_t n = 0;
        for (const Field& f : t->fields)
            n += sizeOfType(f.type);
        return n;
    }
    case TK::Proc:
        return t->sig.ofObject ? 8 : 4;
    default:
        return 4;
    }
}

Expr* Parser::parseIntrinsic(Intrinsic id, std::uint32_t pos, bool statement)
{
    std::vector<Expr*> args;
    bool parens = accept(Tok::LParen);
    if (parens)
        parseArgList(args, Tok::RParen);
    auto count = [&](std::size_t lo, std::size_t hi) {
        if (args.size() < lo || args.size() > hi)
            failAt(pos, MessageCode::InvalidNumberOfParameters);
    };
    auto make = [&](const Type* type) {
        Expr* e = newExpr(EK::Intrinsic, type, pos);
        e->op = static_cast<std::uint8_t>(id);
        e->nargs = static_cast<std::uint32_t>(args.size());
        e->args = m_arena.array<Expr>(args.size());
        std::uint32_t depth = 1;
        for (std::size_t i = 0; i < args.size(); ++i) {
            e->args[i] = args[i];
            depth = std::max(depth, args[i]->depth + 1);
        }
        e->depth = depth;
        return e;
    };
    auto mismatch = [&](Expr* a) -> Expr* { failAt(a ? a->pos : pos, MessageCode::TypeMismatch); };
    auto typeOf = [&](Expr* a) -> const Type* {
        if (a->kind == EK::TypeRef)
            return a->sym->type;
        if (a->kind == EK::ClassRef)
            return a->klass->type;
        return a->type;
    };
    auto noTypeArgs = [&] {
        for (Expr* a : args)
            if (a->kind == EK::TypeRef || a->kind == EK::ClassRef)
                failAt(a->pos, MessageCode::TypeMismatch);
    };
    switch (id) {
    case Intrinsic::Exit:
        count(0, 1);
        if (!args.empty()) {
            if (!m_ctx || !m_ctx->result)
                failAt(pos, MessageCode::InvalidNumberOfParameters);
            args[0] = convert(args[0], m_ctx->result->type, args[0]->pos);
            m_ctx->resultAssigned = true;
        }
        if (!statement)
            failAt(pos, MessageCode::TypeMismatch);
        return make(m_env.tVoid);
    case Intrinsic::Break:
    case Intrinsic::Continue:
        count(0, 0);
        if (!statement)
            failAt(pos, MessageCode::TypeMismatch);
        return make(m_env.tVoid);
    case Intrinsic::Length:
    case Intrinsic::GetArrayLength: {
        count(1, 1);
        noTypeArgs();
        Expr* a = args[0];
        const Type* t = a->type;
        if (a->kind == EK::Const && t->kind == TK::String)
            return makeConst(m_env.tInteger,
                             Value::integer(static_cast<std::int64_t>(constValue(a).length())), pos);
        if (t->kind == TK::Char)
            return makeConst(m_env.tInteger, Value::integer(1), pos);
        if (t->kind == TK::Array)
            return makeConst(m_env.tInteger, Value::integer(t->high - t->low + 1), pos);
        if (t->kind == TK::Variant)
            args[0] = convert(a, m_env.tString, a->pos);
        else if (t->kind != TK::String && t->kind != TK::DynArray && t->kind != TK::OpenArray)
            return mismatch(a);
        return make(m_env.tInteger);
    }
    case Intrinsic::SetLength:
    case Intrinsic::SetArrayLength: {
        count(2, 2);
        noTypeArgs();
        Expr* a = args[0];
        if (a->type->kind != TK::String && a->type->kind != TK::DynArray)
            return mismatch(a);
        requireLvalue(a);
        if (a->kind == EK::Prop)
            failAt(a->pos, MessageCode::VariableExpected);
        args[1] = convert(args[1], m_env.tInt64, args[1]->pos);
        if (!statement)
            failAt(pos, MessageCode::TypeMismatch);
        return make(m_env.tVoid);
    }
    case Intrinsic::Inc:
    case Intrinsic::Dec: {
        count(1, 2);
        noTypeArgs();
        Expr* a = args[0];
        if (!a->type->isOrdinal())
            return mismatch(a);
        requireLvalue(a);
        if (args.size() == 2)
            args[1] = convert(args[1], m_env.tInt64, args[1]->pos);
        if (!statement)
            failAt(pos, MessageCode::TypeMismatch);
        return make(m_env.tVoid);
    }
    case Intrinsic::Succ:
    case Intrinsic::Pred: {
        count(1, 1);
        noTypeArgs();
        Expr* a = args[0];
        if (!a->type->isOrdinal())
            return mismatch(a);
        if (a->kind == EK::Const) {
            std::int64_t v = constValue(a).rawInt() + (id == Intrinsic::Succ ? 1 : -1);
            return makeConst(a->type, a->type->kind == TK::Bool ? Value::boolean(v != 0) : Value::integer(v),
                             pos);
        }
        return make(a->type);
    }
    case Intrinsic::Low:
    case Intrinsic::High: {
        count(1, 1);
        Expr* a = args[0];
        const Type* t = typeOf(a);
        bool low = id == Intrinsic::Low;
        if (t->kind == TK::Array) {
            const Type* it = t->indexType;
            Value v = Value::integer(low ? t->low : t->high);
            return makeConst(it->kind == TK::Integer ? m_env.tInteger : it,
                             it->kind == TK::Bool ? Value::boolean(v.rawInt()) : v, pos);
        }
        if (t->isOrdinal()) {
            std::int64_t lo = t->low, hi = t->high;
            if (t->kind == TK::Integer && a->kind != EK::TypeRef && a->kind != EK::Var)
                (void)0;
            Value v =
                t->kind == TK::Bool ? Value::boolean(low ? false : true) : Value::integer(low ? lo : hi);
            return makeConst(t, v, pos);
        }
        if (t->kind == TK::DynArray || t->kind == TK::OpenArray || t->kind == TK::String) {
            if (a->kind == EK::TypeRef)
                return mismatch(a);
            if (low)
                return makeConst(m_env.tInteger, Value::integer(t->kind == TK::String ? 1 : 0), pos);
            return make(m_env.tInteger);
        }
        return mismatch(a);
    }
    case Intrinsic::Ord: {
        count(1, 1);
        noTypeArgs();
        Expr* a = args[0];
        if (a->type->kind == TK::Variant)
            a = args[0] = convert(a, m_env.tInt64, a->pos);
        if (!a->type->isOrdinal())
            return mismatch(a);
        const Type* rt = a->type->kind == TK::Integer && a->type->ik == IntKind::S64   ? m_env.tInt64
                         : a->type->kind == TK::Integer && a->type->ik == IntKind::U32 ? m_env.tCardinal
                                                                                       : m_env.tInteger;
        if (a->kind == EK::Const)
            return makeConst(rt, Value::integer(constValue(a).rawInt()), pos);
        Expr* e = newExpr(EK::Conv, rt, pos);
        e->op = static_cast<std::uint8_t>(Conv::None);
        e->a = a;
        e->depth = a->depth + 1;
        return e;
    }
    case Intrinsic::Chr: {
        count(1, 1);
        noTypeArgs();
        Expr* a = args[0];
        if (a->type->kind == TK::Variant)
            a = convert(a, m_env.tInteger, a->pos);
        if (a->type->kind != TK::Integer)
            return mismatch(a);
        if (a->kind == EK::Const)
            return makeConst(m_env.tChar, Value::integer(static_cast<std::uint8_t>(constValue(a).rawInt())),
                             pos);
        Expr* e = newExpr(EK::Conv, m_env.tChar, pos);
        e->op = static_cast<std::uint8_t>(Conv::Narrow);
        e->imm = static_cast<std::int64_t>(IntKind::U8);
        e->a = a;
        e->depth = a->depth + 1;
        return e;
    }
    case Intrinsic::Abs:
    case Intrinsic::Sqr: {
        count(1, 1);
        noTypeArgs();
        Expr* a = args[0];
        if (a->type->kind == TK::Variant)
            a = args[0] = convert(a, m_env.tExtended, a->pos);
        if (a->type->kind == TK::Integer) {
            const Type* rt =
                a->type->ik == IntKind::S64 || a->type->ik == IntKind::U32 ? m_env.tInt64 : m_env.tInteger;
            args[0] = convert(a, rt, a->pos);
            if (args[0]->kind == EK::Const) {
                std::int64_t v = constValue(args[0]).rawInt();
                std::uint64_t u = static_cast<std::uint64_t>(v);
                std::uint64_t r = id == Intrinsic::Abs ? (v < 0 ? 0 - u : u) : u * u;
                std::int64_t rv = static_cast<std::int64_t>(r);
                if (rt == m_env.tInteger)
                    rv = static_cast<std::int32_t>(rv);
                return makeConst(rt, Value::integer(rv), pos);
            }
            return make(rt);
        }
        if (a->type->kind == TK::Float) {
            args[0] = convert(a, m_env.tExtended, a->pos);
            return make(m_env.tExtended);
        }
        return mismatch(a);
    }
    case Intrinsic::SizeOf: {
        count(1, 1);
        return makeConst(m_env.tInteger, Value::integer(sizeOfType(typeOf(args[0]))), pos);
    }
    case Intrinsic::Assigned: {
        count(1, 1);
        noTypeArgs();
        TK k = args[0]->type->kind;
        if (k != TK::Class && k != TK::Proc && k != TK::Pointer && k != TK::DynArray && k != TK::Nil)
            return mismatch(args[0]);
        return make(m_env.tBoolean);
    }
    case Intrinsic::Random: {
        count(0, 1);
        noTypeArgs();
        if (args.empty())
            return make(m_env.tExtended);
        args[0] = convert(args[0], m_env.tInteger, args[0]->pos);
        return make(m_env.tInteger);
    }
    }
    (void)parens;
    failAt(pos, MessageCode::SyntaxError);
}

} // namespace pascal
