// Checker: type compatibility, implicit conversions, operators and constant folding.
#include "pascal/parser.h"

#include <cmath>
#include <cstring>

namespace pascal {

namespace {

constexpr std::uint32_t kMaxExprDepth = 4000;

std::int64_t wrapInt(std::int64_t v, IntKind k)
{
    switch (k) {
    case IntKind::S8:
        return static_cast<std::int8_t>(v);
    case IntKind::U8:
        return static_cast<std::uint8_t>(v);
    case IntKind::S16:
        return static_cast<std::int16_t>(v);
    case IntKind::U16:
        return static_cast<std::uint16_t>(v);
    case IntKind::S32:
        return static_cast<std::int32_t>(v);
    case IntKind::U32:
        return static_cast<std::uint32_t>(v);
    case IntKind::S64:
        return v;
    }
    return v;
}

std::int64_t kindLow(IntKind k)
{
    switch (k) {
    case IntKind::S8:
        return -128;
    case IntKind::U8:
        return 0;
    case IntKind::S16:
        return -32768;
    case IntKind::U16:
        return 0;
    case IntKind::S32:
        return INT32_MIN;
    case IntKind::U32:
        return 0;
    case IntKind::S64:
        return INT64_MIN;
    }
    return 0;
}

std::int64_t kindHigh(IntKind k)
{
    switch (k) {
    case IntKind::S8:
        return 127;
    case IntKind::U8:
        return 255;
    case IntKind::S16:
        return 32767;
    case IntKind::U16:
        return 65535;
    case IntKind::S32:
        return INT32_MAX;
    case IntKind::U32:
        return UINT32_MAX;
    case IntKind::S64:
        return INT64_MAX;
    }
    return 0;
}

bool fitsIn(IntKind from, IntKind to)
{
    return kindLow(to) <= kindLow(from) && kindHigh(from) <= kindHigh(to);
}

OpClass intClass(const Type* t)
{
    if (t->ik == IntKind::S64)
        return OpClass::I64;
    if (t->ik == IntKind::U32)
        return OpClass::U32;
    return OpClass::I32;
}

bool isSimple(const Type* t)
{
    switch (t->kind) {
    case TK::Integer:
    case TK::Char:
    case TK::Bool:
    case TK::Enum:
    case TK::Float:
    case TK::String:
    case TK::Variant:
        return true;
    default:
        return false;
    }
}

} // namespace

std::int64_t wrapIntKind(std::int64_t v, IntKind k)
{
    return wrapInt(v, k);
}

Expr* Parser::newExpr(EK kind, const Type* type, std::uint32_t pos)
{
    Expr* e = m_arena.make<Expr>();
    e->kind = kind;
    e->type = type;
    e->pos = pos;
    return e;
}

Expr* Parser::makeConst(const Type* type, Value v, std::uint32_t pos)
{
    Expr* e = newExpr(EK::Const, type, pos);
    m_consts.push_back(std::move(v));
    e->constIndex = static_cast<int>(m_consts.size() - 1);
    return e;
}

Expr* Parser::makeVar(Symbol* s, std::uint32_t pos)
{
    s->used = true;
    Expr* e = newExpr(EK::Var, s->type, pos);
    e->sym = s;
    return e;
}

bool Parser::sameType(const Type* a, const Type* b) const
{
    if (a == b)
        return true;
    if (a->kind != b->kind)
        return false;
    switch (a->kind) {
    case TK::Integer:
        return a->ik == b->ik;
    case TK::Char:
    case TK::String:
    case TK::Variant:
    case TK::Pointer:
    case TK::Nil:
        return true;
    case TK::Bool:
        return a->longBool == b->longBool;
    case TK::Float:
        return a->fk == b->fk;
    case TK::Enum: {
        const Type* x = a->ordBase ? a->ordBase : a;
        const Type* y = b->ordBase ? b->ordBase : b;
        return x == y || x->enumNames == y->enumNames;
    }
    case TK::Set:
        return sameType(a->elem, b->elem) || commonOrdinal(a->elem, b->elem) != nullptr;
    case TK::DynArray:
    case TK::OpenArray:
        return sameType(a->elem, b->elem);
    case TK::Array:
        return a->low == b->low && a->high == b->high && sameType(a->elem, b->elem) &&
               a->indexType->kind == b->indexType->kind;
    case TK::Class:
        return a->cls == b->cls;
    case TK::Proc:
        return procCompatible(a->sig, b->sig);
    default:
        return false;
    }
}

// Handlers are matched to event types by the shape of their parameters. Integers, floats and booleans
// of another size count as the same: the values travel as 64-bit values either way, and the event types
// of the script interface were declared while names such as Word meant other sizes than they mean in
// the handlers written for them.
static bool sameKindOfNumber(const Type* a, const Type* b)
{
    return a->kind == b->kind && (a->kind == TK::Integer || a->kind == TK::Float || a->kind == TK::Bool);
}

bool Parser::procCompatible(const Signature& t, const Signature& s) const
{
    if (t.params.size() != s.params.size())
        return false;
    if ((t.result == nullptr) != (s.result == nullptr))
        return false;
    if (t.result && !sameType(t.result, s.result) && !sameKindOfNumber(t.result, s.result))
        return false;
    for (std::size_t i = 0; i < t.params.size(); ++i) {
        const Param& a = t.params[i];
        const Param& b = s.params[i];
        bool aRef = a.mode == ParamMode::Var || a.mode == ParamMode::Out;
        bool bRef = b.mode == ParamMode::Var || b.mode == ParamMode::Out;
        if (aRef != bRef)
            return false;
        if (!sameType(a.type, b.type) && !sameKindOfNumber(a.type, b.type))
            return false;
    }
    return true;
}

const Type* Parser::commonOrdinal(const Type* a, const Type* b) const
{
    if (a->kind == TK::Integer && b->kind == TK::Integer)
        return resultIntType(a, b);
    if (a->kind != b->kind)
        return nullptr;
    if (a->kind == TK::Enum)
        return sameType(a, b) ? (a->ordBase ? a->ordBase : a) : nullptr;
    if (a->kind == TK::Char)
        return m_env.tChar;
    if (a->kind == TK::Bool)
        return m_env.tBoolean;
    return nullptr;
}

const Type* Parser::resultIntType(const Type* a, const Type* b) const
{
    if (a->ik == IntKind::S64 || b->ik == IntKind::S64)
        return m_env.tInt64;
    bool ua = a->ik == IntKind::U32, ub = b->ik == IntKind::U32;
    if (ua && ub)
        return m_env.tCardinal;
    if (ua || ub)
        return m_env.tInt64;
    return m_env.tInteger;
}

Expr* Parser::wrapConst(Expr* e, const Type* to, std::uint32_t pos)
{
    // Conversions of constants are made now, so constant expressions stay constant.
    const Value& v = m_consts[static_cast<std::size_t>(e->constIndex)];
    switch (to->kind) {
    case TK::Integer:
    case TK::Char:
    case TK::Enum:
        return makeConst(to, Value::integer(wrapInt(v.rawInt(), to->ik)), pos);
    case TK::Bool:
        return makeConst(to, Value::boolean(v.rawInt() != 0), pos);
    case TK::Float:
        if (e->type->kind == TK::Integer)
            return makeConst(to, Value::real(static_cast<double>(v.rawInt())), pos);
        if (to->fk == FloatKind::Single)
            return makeConst(to, Value::real(static_cast<float>(v.rawFloat())), pos);
        return makeConst(to, v, pos);
    case TK::String:
        if (e->type->kind == TK::Char)
            return makeConst(to, Value::string(std::string(1, static_cast<char>(v.rawInt()))), pos);
        return makeConst(to, v, pos);
    case TK::Variant:
        if (e->type->kind == TK::Char)
            return makeConst(to, Value::string(std::string(1, static_cast<char>(v.rawInt()))), pos);
        if (e->type->kind == TK::Bool)
            return makeConst(to, Value::boolean(v.rawInt() != 0), pos);
        if (e->type->kind == TK::Nil)
            return makeConst(to, Value::null(), pos);
        return makeConst(to, v, pos);
    default: {
        Expr* r = makeConst(to, v, pos);
        return r;
    }
    }
}

Expr* Parser::tryConvert(Expr* e, const Type* to)
{
    const Type* from = e->type;
    if (from == to)
        return e;
    std::uint32_t pos = e->pos;
    auto conv = [&](Conv c, std::int64_t imm = 0) {
        if (e->kind == EK::Const && c != Conv::FromVariant && c != Conv::None)
            return wrapConst(e, to, pos);
        Expr* r = newExpr(EK::Conv, to, pos);
        r->op = static_cast<std::uint8_t>(c);
        r->a = e;
        r->imm = imm;
        r->depth = e->depth + 1;
        return r;
    };
    auto retype = [&] {
        if (e->kind == EK::Const)
            return wrapConst(e, to, pos);
        Expr* r = newExpr(EK::Conv, to, pos);
        r->op = static_cast<std::uint8_t>(Conv::None);
        r->a = e;
        r->depth = e->depth + 1;
        return r;
    };
    if (from->kind == TK::Variant && to->kind != TK::Variant) {
        if (isSimple(to))
            return conv(Conv::FromVariant);
        return nullptr;
    }
    switch (to->kind) {
    case TK::Integer:
        if (from->kind != TK::Integer)
            return nullptr;
        if (e->kind == EK::Const)
            return wrapConst(e, to, pos);
        if (fitsIn(from->ik, to->ik))
            return retype();
        return conv(Conv::Narrow, static_cast<std::int64_t>(to->ik));
    case TK::Char:
        if (from->kind == TK::Char)
            return retype();
        if (from->kind == TK::String && e->kind == EK::Const) {
            const Value& v = m_consts[static_cast<std::size_t>(e->constIndex)];
            if (v.length() == 1)
                return makeConst(to, Value::integer(static_cast<unsigned char>(v.str()[0])), pos);
        }
        return nullptr;
    case TK::Bool:
        if (from->kind == TK::Bool)
            return retype();
        return nullptr;
    case TK::Enum:
        if (from->kind == TK::Enum && sameType(from, to))
            return retype();
        return nullptr;
    case TK::Float:
        if (from->kind == TK::Integer)
            return conv(Conv::IntToFloat);
        if (from->kind == TK::Float) {
            if (to->fk == FloatKind::Single && from->fk != FloatKind::Single)
                return conv(Conv::FloatToSingle);
            return retype();
        }
        return nullptr;
    case TK::String:
        if (from->kind == TK::String)
            return retype();
        if (from->kind == TK::Char)
            return conv(Conv::CharToStr);
        if (from->kind == TK::Nil)
            return makeConst(to, Value::string(""), pos);
        return nullptr;
    case TK::Variant:
        if (isSimple(from) || from->kind == TK::Class)
            return conv(Conv::ToVariant);
        if (from->kind == TK::Nil)
            return makeConst(to, Value::null(), pos);
        return nullptr;
    case TK::Pointer:
        if (from->kind == TK::Pointer)
            return retype();
        if (from->kind == TK::Nil) {
            Value v;
            v.setTagged(Tag::Pointer, 0);
            return makeConst(to, std::move(v), pos);
        }
        return nullptr;
    case TK::Set:
        if (from->kind != TK::Set)
            return nullptr;
        if (e->kind == EK::SetCons && e->flag)
            failAt(static_cast<std::uint32_t>(e->imm), MessageCode::ConstantOutOfRange);
        if (e->kind == EK::SetCons && e->constIndex >= 0 &&
            (from->elem == nullptr || sameType(from->elem, to->elem) || commonOrdinal(from->elem, to->elem)))
            return makeConst(to, m_consts[static_cast<std::size_t>(e->constIndex)], pos);
        if (from->elem == nullptr || sameType(from->elem, to->elem) || commonOrdinal(from->elem, to->elem))
            return retype();
        return nullptr;
    case TK::Array:
    case TK::Record:
        return sameType(from, to) ? retype() : nullptr;
    case TK::DynArray:
        if (from->kind == TK::Nil)
            return makeConst(to, Value::emptyArray(), pos);
        if (from->kind == TK::DynArray && sameType(from->elem, to->elem))
            return retype();
        return nullptr;
    case TK::OpenArray:
        if ((from->kind == TK::Array || from->kind == TK::DynArray || from->kind == TK::OpenArray) &&
            (sameType(from->elem, to->elem) || to->arrayOfConst))
            return retype();
        return nullptr;
    case TK::Proc:
        if (from->kind == TK::Nil)
            return makeConst(to, Value::proc(ProcKind::Nil, 0), pos);
        if (from->kind == TK::Proc && procCompatible(to->sig, from->sig))
            return retype();
        return nullptr;
    case TK::Class:
        if (from->kind == TK::Nil)
            return makeConst(to, Value::nilObject(), pos);
        if (from->kind == TK::Class && from->cls->descendsFrom(to->cls))
            return retype();
        return nullptr;
    default:
        return nullptr;
    }
}

Expr* Parser::convert(Expr* e, const Type* to, std::uint32_t pos)
{
    Expr* r = tryConvert(e, to);
    if (!r)
        failAt(pos, MessageCode::TypeMismatch);
    return r;
}

Expr* Parser::toBoolean(Expr* e)
{
    if (e->type->kind == TK::Bool)
        return e;
    if (e->type->kind == TK::Variant)
        return convert(e, m_env.tBoolean, e->pos);
    failAt(e->pos, MessageCode::TypeMismatch);
}

bool Parser::isLvalue(const Expr* e) const
{
    switch (e->kind) {
    case EK::Var:
        return true;
    case EK::Field:
    case EK::StrIndex:
        return isLvalue(e->a);
    case EK::Index:
        return e->a->type->kind == TK::DynArray || isLvalue(e->a);
    case EK::Conv:
        return static_cast<Conv>(e->op) == Conv::None && isLvalue(e->a);
    default:
        return false;
    }
}

void Parser::markWritten(Expr* e)
{
    while (e && e->kind != EK::Var)
        e = e->a;
    if (!e)
        return;
    e->flag = true;
    if (m_ctx && e->sym == m_ctx->result)
        m_ctx->resultAssigned = true;
}

void Parser::requireLvalue(Expr* e)
{
    if (!isLvalue(e))
        failAt(e->pos, MessageCode::VariableExpected);
    markWritten(e);
}

// --- operators ------------------------------------------------------------------------------------

static bool isStringish(const Type* t)
{
    return t->kind == TK::String || t->kind == TK::Char;
}
static bool isRawComparable(const Type* t)
{
    return t->kind == TK::Class || t->kind == TK::Nil || t->kind == TK::Proc || t->kind == TK::Pointer;
}

Expr* Parser::binary(BinOp op, Expr* l, Expr* r, std::uint32_t pos, bool shortCircuit)
{
    std::uint32_t depth = std::max(l->depth, r->depth) + 1;
    if (depth > kMaxExprDepth)
        failAt(pos, MessageCode::NestingTooDeep);
    const Type* lt = l->type;
    const Type* rt = r->type;
    const Type* result = nullptr;
    OpClass cls = OpClass::I32;
    bool compare = op == BinOp::Eq || op == BinOp::Ne || op == BinOp::Lt || op == BinOp::Le ||
                   op == BinOp::Gt || op == BinOp::Ge;
    auto mismatch = [&]() -> Expr* { failAt(pos, MessageCode::TypeMismatch); };

    if ((lt->kind == TK::Variant || rt->kind == TK::Variant) && op != BinOp::In) {
        if (!(isSimple(lt) || lt->kind == TK::Nil) || !(isSimple(rt) || rt->kind == TK::Nil))
            return mismatch();
        l = convert(l, m_env.tVariant, pos);
        r = convert(r, m_env.tVariant, pos);
        cls = OpClass::Var;
        result = compare ? m_env.tBoolean : m_env.tVariant;
    } else {
        switch (op) {
        case BinOp::Add:
        case BinOp::Sub:
        case BinOp::Mul:
            if (lt->kind == TK::Integer && rt->kind == TK::Integer) {
                result = resultIntType(lt, rt);
                cls = intClass(result);
            } else if (lt->isNumeric() && rt->isNumeric()) {
                result = m_env.tExtended;
                cls = OpClass::Float;
            } else if (op == BinOp::Add && isStringish(lt) && isStringish(rt)) {
                result = m_env.tString;
                cls = OpClass::Str;
            } else if (lt->kind == TK::Set && rt->kind == TK::Set) {
                if (lt->elem && rt->elem && !commonOrdinal(lt->elem, rt->elem))
                    return mismatch();
                result = lt->elem ? lt : rt;
                cls = OpClass::Set;
            } else {
                return mismatch();
            }
            break;
        case BinOp::FDiv:
            if (!lt->isNumeric() || !rt->isNumeric())
                return mismatch();
            result = m_env.tExtended;
            cls = OpClass::Float;
            break;
        case BinOp::IDiv:
        case BinOp::Mod:
        case BinOp::Shl:
        case BinOp::Shr:
            if (lt->kind != TK::Integer || rt->kind != TK::Integer)
                return mismatch();
            result = (op == BinOp::Shl || op == BinOp::Shr) ? (lt->ik == IntKind::S64   ? m_env.tInt64
                                                               : lt->ik == IntKind::U32 ? m_env.tCardinal
                                                                                        : m_env.tInteger)
                                                            : resultIntType(lt, rt);
            cls = intClass(result);
            break;
        case BinOp::And:
        case BinOp::Or:
        case BinOp::Xor:
            if (lt->kind == TK::Bool && rt->kind == TK::Bool) {
                result = m_env.tBoolean;
                cls = OpClass::Bool;
            } else if (lt->kind == TK::Integer && rt->kind == TK::Integer) {
                result = resultIntType(lt, rt);
                cls = intClass(result);
            } else {
                return mismatch();
            }
            break;
        case BinOp::In:
            if (!lt->isOrdinal() && lt->kind != TK::Variant)
                return mismatch();
            if (rt->kind != TK::Set)
                return mismatch();
            if (lt->kind == TK::Variant)
                l = convert(l, m_env.tInteger, pos);
            else if (rt->elem && !commonOrdinal(l->type, rt->elem))
                return mismatch();
            result = m_env.tBoolean;
            cls = OpClass::Set;
            break;
        default: // comparisons
            result = m_env.tBoolean;
            if (lt->kind == TK::Integer && rt->kind == TK::Integer) {
                cls = OpClass::Raw;
            } else if (lt->isNumeric() && rt->isNumeric()) {
                cls = OpClass::Float;
            } else if (isStringish(lt) && isStringish(rt)) {
                cls = (lt->kind == TK::Char && rt->kind == TK::Char) ? OpClass::Raw : OpClass::Str;
            } else if (lt->kind == TK::Bool && rt->kind == TK::Bool) {
                cls = OpClass::Raw;
            } else if (lt->kind == TK::Enum && rt->kind == TK::Enum && sameType(lt, rt)) {
                cls = OpClass::Raw;
            } else if (lt->kind == TK::Set && rt->kind == TK::Set &&
                       (op == BinOp::Eq || op == BinOp::Ne || op == BinOp::Le || op == BinOp::Ge)) {
                if (lt->elem && rt->elem && !commonOrdinal(lt->elem, rt->elem))
                    return mismatch();
                cls = OpClass::Set;
            } else if (isRawComparable(lt) && isRawComparable(rt) && (op == BinOp::Eq || op == BinOp::Ne)) {
                if (lt->kind != rt->kind && lt->kind != TK::Nil && rt->kind != TK::Nil)
                    return mismatch();
                if (lt->kind == TK::Nil && rt->kind != TK::Nil)
                    l = convert(l, rt, pos);
                else if (rt->kind == TK::Nil && lt->kind != TK::Nil)
                    r = convert(r, lt, pos);
                cls = OpClass::Raw;
            } else {
                return mismatch();
            }
        }
        // operand conversions
        if (cls == OpClass::Float) {
            l = convert(l, m_env.tExtended, pos);
            r = convert(r, m_env.tExtended, pos);
        } else if (cls == OpClass::Str) {
            l = convert(l, m_env.tString, pos);
            r = convert(r, m_env.tString, pos);
        }
    }
    auto asConst = [&](Expr* x) {
        if (x->kind == EK::SetCons && x->flag)
            failAt(static_cast<std::uint32_t>(x->imm), MessageCode::ConstantOutOfRange);
        if (x->kind == EK::SetCons && x->constIndex >= 0)
            return makeConst(x->type, m_consts[static_cast<std::size_t>(x->constIndex)], x->pos);
        return x;
    };
    l = asConst(l);
    r = asConst(r);
    Expr* e = newExpr(EK::Binary, result, pos);
    e->op = static_cast<std::uint8_t>(op);
    e->cls = cls;
    e->a = l;
    e->b = r;
    e->flag = shortCircuit && cls == OpClass::Bool && (op == BinOp::And || op == BinOp::Or);
    e->depth = depth;
    if (l->kind == EK::Const && r->kind == EK::Const)
        return fold(e);
    return e;
}

Expr* Parser::unary(UnOp op, Expr* e, std::uint32_t pos)
{
    const Type* t = e->type;
    Expr* r = newExpr(EK::Unary, t, pos);
    r->op = static_cast<std::uint8_t>(op);
    r->a = e;
    r->depth = e->depth + 1;
    if (t->kind == TK::Variant) {
        r->cls = OpClass::Var;
    } else if (op == UnOp::Neg) {
        if (t->kind == TK::Integer) {
            r->type = t->ik == IntKind::S64 || t->ik == IntKind::U32 ? m_env.tInt64 : m_env.tInteger;
            r->cls = intClass(r->type);
        } else if (t->kind == TK::Float) {
            r->type = m_env.tExtended;
            r->cls = OpClass::Float;
        } else {
            failAt(pos, MessageCode::TypeMismatch);
        }
    } else {
        if (t->kind == TK::Bool) {
            r->type = m_env.tBoolean;
            r->cls = OpClass::Bool;
        } else if (t->kind == TK::Integer) {
            r->type = t->ik == IntKind::S64   ? m_env.tInt64
                      : t->ik == IntKind::U32 ? m_env.tCardinal
                                              : m_env.tInteger;
            r->cls = intClass(r->type);
        } else {
            failAt(pos, MessageCode::TypeMismatch);
        }
    }
    if (e->kind == EK::Const)
        return fold(r);
    return r;
}

// --- constant folding -----------------------------------------------------------------------------

static std::int64_t wrapClass(std::int64_t v, OpClass c)
{
    if (c == OpClass::I32)
        return static_cast<std::int32_t>(v);
    if (c == OpClass::U32)
        return static_cast<std::uint32_t>(v);
    return v;
}

int compareBytes(std::string_view a, std::string_view b)
{
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

Expr* Parser::fold(Expr* e)
{
    if (e->cls == OpClass::Var)
        return e; // variants are left to the run time
    if (e->kind == EK::Unary) {
        const Value& a = m_consts[static_cast<std::size_t>(e->a->constIndex)];
        auto op = static_cast<UnOp>(e->op);
        switch (e->cls) {
        case OpClass::Float:
            return makeConst(e->type, Value::real(-a.rawFloat()), e->pos);
        case OpClass::Bool:
            return makeConst(e->type, Value::boolean(a.rawInt() == 0), e->pos);
        default: {
            std::uint64_t v = static_cast<std::uint64_t>(a.rawInt());
            std::uint64_t r = op == UnOp::Neg ? 0 - v : ~v;
            return makeConst(e->type, Value::integer(wrapClass(static_cast<std::int64_t>(r), e->cls)),
                             e->pos);
        }
        }
    }
    const Value& a = m_consts[static_cast<std::size_t>(e->a->constIndex)];
    const Value& b = m_consts[static_cast<std::size_t>(e->b->constIndex)];
    auto op = static_cast<BinOp>(e->op);
    std::uint32_t pos = e->pos;
    auto boolean = [&](bool v) { return makeConst(m_env.tBoolean, Value::boolean(v), pos); };
    switch (e->cls) {
    case OpClass::I32:
    case OpClass::U32:
    case OpClass::I64:
    case OpClass::Bool: {
        std::uint64_t x = static_cast<std::uint64_t>(a.rawInt()), y = static_cast<std::uint64_t>(b.rawInt());
        std::int64_t sx = a.rawInt(), sy = b.rawInt();
        std::uint64_t r = 0;
        switch (op) {
        case BinOp::Add:
            r = x + y;
            break;
        case BinOp::Sub:
            r = x - y;
            break;
        case BinOp::Mul:
            r = x * y;
            break;
        case BinOp::IDiv:
        case BinOp::Mod:
            if (sy == 0)
                failAt(pos, MessageCode::DivisionByZero);
            if (sy == -1)
                r = op == BinOp::IDiv ? 0 - x : 0;
            else
                r = static_cast<std::uint64_t>(op == BinOp::IDiv ? sx / sy : sx % sy);
            break;
        case BinOp::And:
            r = x & y;
            break;
        case BinOp::Or:
            r = x | y;
            break;
        case BinOp::Xor:
            r = x ^ y;
            break;
        case BinOp::Shl:
            r = x << (y & (e->cls == OpClass::I64 ? 63 : 31));
            break;
        case BinOp::Shr:
            if (e->cls == OpClass::I64)
                r = x >> (y & 63);
            else
                r = static_cast<std::uint32_t>(x) >> (y & 31);
            break;
        default:
            return e;
        }
        if (e->cls == OpClass::Bool)
            return boolean(r != 0);
        return makeConst(e->type, Value::integer(wrapClass(static_cast<std::int64_t>(r), e->cls)), pos);
    }
    case OpClass::Float: {
        double x = a.rawFloat(), y = b.rawFloat();
        switch (op) {
        case BinOp::Add:
            return makeConst(e->type, Value::real(x + y), pos);
        case BinOp::Sub:
            return makeConst(e->type, Value::real(x - y), pos);
        case BinOp::Mul:
            return makeConst(e->type, Value::real(x * y), pos);
        case BinOp::FDiv:
            if (y == 0)
                failAt(pos, MessageCode::DivisionByZero);
            return makeConst(e->type, Value::real(x / y), pos);
        case BinOp::Eq:
            return boolean(x == y);
        case BinOp::Ne:
            return boolean(x != y);
        case BinOp::Lt:
            return boolean(x < y);
        case BinOp::Le:
            return boolean(x <= y);
        case BinOp::Gt:
            return boolean(x > y);
        case BinOp::Ge:
            return boolean(x >= y);
        default:
            return e;
        }
    }
    case OpClass::Raw: {
        std::int64_t x = a.rawInt(), y = b.rawInt();
        switch (op) {
        case BinOp::Eq:
            return boolean(x == y);
        case BinOp::Ne:
            return boolean(x != y);
        case BinOp::Lt:
            return boolean(x < y);
        case BinOp::Le:
            return boolean(x <= y);
        case BinOp::Gt:
            return boolean(x > y);
        case BinOp::Ge:
            return boolean(x >= y);
        default:
            return e;
        }
    }
    case OpClass::Str: {
        if (op == BinOp::Add) {
            std::string s(a.str());
            s += b.str();
            if (s.size() > kMaxStringLength)
                failAt(pos, MessageCode::DataTypeTooLarge);
            return makeConst(m_env.tString, Value::string(s), pos);
        }
        int c = compareBytes(a.str(), b.str());
        switch (op) {
        case BinOp::Eq:
            return boolean(c == 0);
        case BinOp::Ne:
            return boolean(c != 0);
        case BinOp::Lt:
            return boolean(c < 0);
        case BinOp::Le:
            return boolean(c <= 0);
        case BinOp::Gt:
            return boolean(c > 0);
        case BinOp::Ge:
            return boolean(c >= 0);
        default:
            return e;
        }
    }
    case OpClass::Set: {
        if (op == BinOp::In) {
            std::int64_t x = a.rawInt();
            return boolean(x >= 0 && x <= 255 && b.setContains(static_cast<int>(x)));
        }
        std::uint64_t xa[4] = {}, xb[4] = {};
        if (a.rawSet())
            std::memcpy(xa, a.rawSet()->bits, sizeof xa);
        if (b.rawSet())
            std::memcpy(xb, b.rawSet()->bits, sizeof xb);
        std::uint64_t r[4];
        bool eq = true, le = true, ge = true;
        for (int i = 0; i < 4; ++i) {
            eq = eq && xa[i] == xb[i];
            le = le && (xa[i] & ~xb[i]) == 0;
            ge = ge && (xb[i] & ~xa[i]) == 0;
            r[i] = op == BinOp::Add ? (xa[i] | xb[i]) : op == BinOp::Sub ? (xa[i] & ~xb[i]) : (xa[i] & xb[i]);
        }
        switch (op) {
        case BinOp::Eq:
            return boolean(eq);
        case BinOp::Ne:
            return boolean(!eq);
        case BinOp::Le:
            return boolean(le);
        case BinOp::Ge:
            return boolean(ge);
        case BinOp::Add:
        case BinOp::Sub:
        case BinOp::Mul: {
            Value v;
            SetRep* s = rep::newSet();
            std::memcpy(s->bits, r, sizeof r);
            v.adoptSet(s);
            return makeConst(e->type, std::move(v), pos);
        }
        default:
            return e;
        }
    }
    default:
        return e;
    }
}

} // namespace pascal
