// Code generator: assignments, expressions, intrinsic routines and calls.
#include "pascal/codegen.h"
#include "pascal/parser.h"

#include <cstring>

namespace pascal {

// --- assignments ----------------------------------------------------------------------------------

void CodeGen::assign(Expr* target, Expr* value)
{
    if (isLocal(target)) {
        int slot = target->sym->index;
        // S := S + X + Y: appended in place (the operands are taken before the first append)
        if (value->kind == EK::Binary && value->cls == OpClass::Str &&
            static_cast<BinOp>(value->op) == BinOp::Add) {
            std::vector<Expr*> parts;
            Expr* e = value;
            while (e->kind == EK::Binary && e->cls == OpClass::Str &&
                   static_cast<BinOp>(e->op) == BinOp::Add) {
                parts.push_back(e->b);
                e = e->a;
            }
            while (e->kind == EK::Conv && static_cast<Conv>(e->op) == Conv::None)
                e = e->a;
            if (e->kind == EK::Var && e->sym == target->sym) {
                std::vector<int> slots;
                for (std::size_t i = parts.size(); i-- > 0;)
                    slots.push_back(any(parts[i]));
                for (int s : slots)
                    emit(OP_APPEND, slot, s);
                return;
            }
        }
        to(value, slot);
        return;
    }
    int v = any(value);
    storeTo(target, v);
}

void CodeGen::storeTo(Expr* target, int v)
{
    at(target->pos);
    switch (target->kind) {
    case EK::Var:
        switch (target->sym->vk) {
        case VarKind::Global:
            emit(OP_STOREG, v, 0, 0, target->sym->index);
            return;
        case VarKind::VarParam:
            emit(OP_STOREREF, target->sym->index, v);
            return;
        default:
            if (target->sym->index != v)
                emit(OP_MOV, target->sym->index, v);
            return;
        }
    case EK::Conv:
        storeTo(target->a, v);
        return;
    case EK::Field:
        if (isLocal(target->a)) {
            emit(OP_SETFLD, target->a->sym->index, v, 0, static_cast<std::int32_t>(target->imm));
        } else {
            int r = ref(target->a);
            int t = temp();
            emit(OP_REFFLD, t, r, 0, static_cast<std::int32_t>(target->imm));
            emit(OP_STOREREF, t, v);
        }
        return;
    case EK::Index: {
        bool dyn = target->a->type->kind != TK::Array;
        int ix = any(target->b);
        at(target->pos);
        if (isLocal(target->a)) {
            emit(dyn ? OP_SETIDXD : OP_SETIDXS, target->a->sym->index, ix, v,
                 static_cast<std::int32_t>(target->imm));
        } else if (dyn && target->a->kind != EK::Var) {
            int base = any(target->a);
            emit(OP_SETIDXD, base, ix, v, static_cast<std::int32_t>(target->imm));
        } else {
            int r = ref(target->a);
            int t = temp();
            emit(dyn ? OP_REFIDXD : OP_REFIDXS, t, r, ix, static_cast<std::int32_t>(target->imm));
            emit(OP_STOREREF, t, v);
        }
        return;
    }
    case EK::StrIndex: {
        int ix = any(target->b);
        at(target->pos);
        if (isLocal(target->a)) {
            emit(OP_SETCHR, target->a->sym->index, ix, v);
        } else {
            int r = ref(target->a);
            emit(OP_SETCHRREF, r, ix, v);
        }
        return;
    }
    case EK::Prop: {
        int base = m_next;
        reserve(static_cast<int>(target->nargs) + 2);
        to(target->a, base);
        for (std::uint32_t i = 0; i < target->nargs; ++i)
            to(target->args[i], base + 1 + static_cast<int>(i));
        emit(OP_MOV, base + 1 + static_cast<int>(target->nargs), v);
        at(target->pos);
        emit(OP_PSET, base, static_cast<int>(target->nargs) + 2, 0,
             importFor(ImportKind::PropSet, target->member, nullptr));
        return;
    }
    default:
        throw CompileError{MessageCode::VariableExpected, {}, target->pos};
    }
}

int CodeGen::ref(Expr* e)
{
    // Index values are taken before the chain of references is built, so no script code runs while
    // a reference into a block is held.
    switch (e->kind) {
    case EK::Var: {
        int t;
        switch (e->sym->vk) {
        case VarKind::VarParam:
            return e->sym->index;
        case VarKind::Global:
            t = temp();
            emit(OP_REFG, t, 0, 0, e->sym->index);
            return t;
        default:
            t = temp();
            emit(OP_REFL, t, e->sym->index);
            return t;
        }
    }
    case EK::Conv:
        return ref(e->a);
    case EK::Field: {
        int r = ref(e->a);
        int t = temp();
        emit(OP_REFFLD, t, r, 0, static_cast<std::int32_t>(e->imm));
        return t;
    }
    case EK::Index: {
        bool dyn = e->a->type->kind != TK::Array;
        int ix = any(e->b);
        int r;
        if (dyn && e->a->kind != EK::Var && !(e->a->kind == EK::Field || e->a->kind == EK::Index)) {
            int base = any(e->a);
            r = temp();
            emit(OP_REFL, r, base);
        } else {
            r = ref(e->a);
        }
        int t = temp();
        emit(dyn ? OP_REFIDXD : OP_REFIDXS, t, r, ix, static_cast<std::int32_t>(e->imm));
        return t;
    }
    default:
        throw CompileError{MessageCode::VariableExpected, {}, e->pos};
    }
}

// --- expressions ----------------------------------------------------------------------------------

int CodeGen::any(Expr* e)
{
    if (isLocal(e))
        return e->sym->index;
    if (e->kind == EK::Conv && static_cast<Conv>(e->op) == Conv::None)
        return any(e->a);
    if (e->kind == EK::Call || e->kind == EK::Method || e->kind == EK::ProcCall)
        return call(e, -1);
    int t = temp();
    to(e, t);
    return t;
}

void CodeGen::to(Expr* e, int dst)
{
    at(e->pos);
    switch (e->kind) {
    case EK::Const: {
        const Value& v = m_parser->constant(e->constIndex);
        if (v.tag() == Tag::Int && v.rawInt() >= INT32_MIN && v.rawInt() <= INT32_MAX)
            emit(OP_LOADI, dst, 0, 0, static_cast<std::int32_t>(v.rawInt()));
        else
            emit(OP_LOADK, dst, 0, 0, constant(v));
        return;
    }
    case EK::Var:
        switch (e->sym->vk) {
        case VarKind::Global:
            emit(OP_LOADG, dst, 0, 0, e->sym->index);
            return;
        case VarKind::VarParam:
            emit(OP_DEREF, dst, e->sym->index);
            return;
        default:
            if (e->sym->index != dst)
                emit(OP_MOV, dst, e->sym->index);
            return;
        }
    case EK::Field: {
        int mark = m_next;
        int b = any(e->a);
        emit(OP_GETFLD, dst, b, 0, static_cast<std::int32_t>(e->imm));
        m_next = mark;
        return;
    }
    case EK::Index: {
        int mark = m_next;
        int b = any(e->a);
        int ix = any(e->b);
        at(e->pos);
        emit(OP_GETIDX, dst, b, ix, static_cast<std::int32_t>(e->imm));
        m_next = mark;
        return;
    }
    case EK::StrIndex: {
        int mark = m_next;
        int b = any(e->a);
        int ix = any(e->b);
        at(e->pos);
        emit(OP_GETCHR, dst, b, ix);
        m_next = mark;
        return;
    }
    case EK::Call:
    case EK::Method:
    case EK::ProcCall:
    case EK::Prop:
        call(e, dst);
        return;
    case EK::Unary: {
        int mark = m_next;
        int a = any(e->a);
        at(e->pos);
        auto op = static_cast<UnOp>(e->op);
        switch (e->cls) {
        case OpClass::Var:
            emit(op == UnOp::Neg ? OP_VNEG : OP_VNOT, dst, a);
            break;
        case OpClass::Float:
            emit(OP_NEGF, dst, a);
            break;
        case OpClass::Bool:
            emit(OP_BNOT, dst, a);
            break;
        case OpClass::I64:
            emit(op == UnOp::Neg ? OP_NEG64 : OP_NOTI, dst, a);
            break;
        case OpClass::U32:
            emit(op == UnOp::Neg ? OP_NEG64 : OP_NOTU32, dst, a);
            break;
        default:
            emit(op == UnOp::Neg ? OP_NEG32 : OP_NOTI, dst, a);
            break;
        }
        m_next = mark;
        return;
    }
    case EK::Binary:
        binaryTo(e, dst);
        return;
    case EK::Conv:
        convTo(e, dst);
        return;
    case EK::SetCons: {
        if (e->flag) // constant elements beyond a set's 0..255
            throw CompileError{MessageCode::ConstantOutOfRange, {}, static_cast<std::uint32_t>(e->imm)};
        if (e->constIndex >= 0) {
            emit(OP_LOADK, dst, 0, 0, constant(m_parser->constant(e->constIndex)));
            return;
        }
        int mark = m_next;
        int t = dst;
        bool alias = false;
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            if (e->args[i] && isLocal(e->args[i]) && e->args[i]->sym->index == dst)
                alias = true;
        if (alias)
            t = temp();
        emit(OP_SNEW, t);
        for (std::uint32_t i = 0; i < e->nargs; i += 2) {
            int lo = any(e->args[i]);
            if (e->args[i + 1]) {
                int hi = any(e->args[i + 1]);
                emit(OP_SADDR, t, lo, hi);
            } else {
                emit(OP_SADD, t, lo);
            }
        }
        if (t != dst)
            emit(OP_MOV, dst, t);
        m_next = mark;
        return;
    }
    case EK::ArrayCons: {
        int mark = m_next;
        int base = m_next;
        reserve(static_cast<int>(e->nargs));
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            to(e->args[i], base + static_cast<int>(i));
        at(e->pos);
        emit(OP_MKARR, dst, base, static_cast<int>(e->nargs));
        m_next = mark;
        return;
    }
    case EK::ProcAddr: {
        Routine* r = e->routine;
        Value v;
        if (r->kind == RoutineKind::Script)
            v = Value::proc(ProcKind::Script, static_cast<std::uint32_t>(r->id));
        else if (r->kind == RoutineKind::Host || r->kind == RoutineKind::Native)
            throw CompileError{MessageCode::NotSupported, "@ of a host routine", e->pos};
        else
            throw CompileError{MessageCode::NotSupported, "@ of an external routine", e->pos};
        emit(OP_LOADK, dst, 0, 0, constant(v));
        return;
    }
    case EK::Is:
    case EK::As: {
        int mark = m_next;
        int a = any(e->a);
        at(e->pos);
        emit(e->kind == EK::Is ? OP_ISCLS : OP_ASCLS, dst, a, 0, classIndex(e->klass));
        m_next = mark;
        return;
    }
    case EK::Intrinsic:
        intrinsicTo(e, dst);
        return;
    default:
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    }
}

void CodeGen::binaryTo(Expr* e, int dst)
{
    auto op = static_cast<BinOp>(e->op);
    if (e->flag) {
        // short-circuit and / or
        std::vector<std::uint32_t> out;
        to(e->a, dst);
        out.push_back(emit(op == BinOp::And ? OP_JF : OP_JT, dst));
        to(e->b, dst);
        patchAll(out, here());
        return;
    }
    int mark = m_next;
    // immediate forms for the common integer cases
    if ((e->cls == OpClass::I32 || e->cls == OpClass::I64) && e->b->kind == EK::Const &&
        (op == BinOp::Add || op == BinOp::Sub || op == BinOp::Mul ||
         (op == BinOp::Mod && e->cls == OpClass::I32))) {
        std::int64_t k = m_parser->constant(e->b->constIndex).rawInt();
        if (k >= INT32_MIN && k <= INT32_MAX && !(op == BinOp::Mod && k == 0)) {
            int a = any(e->a);
            at(e->pos);
            std::uint16_t o;
            if (e->cls == OpClass::I32)
                o = op == BinOp::Add   ? OP_ADD32K
                    : op == BinOp::Sub ? OP_SUB32K
                    : op == BinOp::Mul ? OP_MUL32K
                                       : OP_MOD32K;
            else if (op == BinOp::Add || op == BinOp::Sub)
                o = OP_ADD64K, k = op == BinOp::Sub ? -k : k;
            else
                o = 0;
            if (o) {
                if (o == OP_SUB32K && k == INT32_MIN)
                    o = 0;
            }
            if (o) {
                emit(o, dst, a, 0, static_cast<std::int32_t>(k));
                m_next = mark;
                return;
            }
            m_next = mark;
        }
    }
    int a = any(e->a);
    int b = any(e->b);
    at(e->pos);
    std::uint16_t o = OP_NOP;
    switch (e->cls) {
    case OpClass::I32:
    case OpClass::U32:
    case OpClass::I64: {
        bool w32 = e->cls == OpClass::I32, u32 = e->cls == OpClass::U32;
        switch (op) {
        case BinOp::Add:
            o = w32 ? OP_ADD32 : u32 ? OP_ADDU32 : OP_ADD64;
            break;
        case BinOp::Sub:
            o = w32 ? OP_SUB32 : u32 ? OP_SUBU32 : OP_SUB64;
            break;
        case BinOp::Mul:
            o = w32 ? OP_MUL32 : u32 ? OP_MULU32 : OP_MUL64;
            break;
        case BinOp::IDiv:
            o = w32 ? OP_DIV32 : OP_DIV64;
            break;
        case BinOp::Mod:
            o = OP_MOD64;
            break;
        case BinOp::And:
            o = OP_ANDI;
            break;
        case BinOp::Or:
            o = OP_ORI;
            break;
        case BinOp::Xor:
            o = OP_XORI;
            break;
        case BinOp::Shl:
            o = w32 ? OP_SHL32 : u32 ? OP_SHLU32 : OP_SHL64;
            break;
        case BinOp::Shr:
            o = (w32 || u32) ? OP_SHR32 : OP_SHR64;
            break;
        default:
            break;
        }
        break;
    }
    case OpClass::Bool:
        o = op == BinOp::And ? OP_BAND : op == BinOp::Or ? OP_BOR : OP_BXOR;
        break;
    case OpClass::Float:
        switch (op) {
        case BinOp::Add:
            o = OP_ADDF;
            break;
        case BinOp::Sub:
            o = OP_SUBF;
            break;
        case BinOp::Mul:
            o = OP_MULF;
            break;
        case BinOp::FDiv:
            o = OP_DIVF;
            break;
        case BinOp::Eq:
            o = OP_EQF;
            break;
        case BinOp::Ne:
            o = OP_NEF;
            break;
        case BinOp::Lt:
            o = OP_LTF;
            break;
        case BinOp::Le:
            o = OP_LEF;
            break;
        case BinOp::Gt:
            o = OP_GTF;
            break;
        case BinOp::Ge:
            o = OP_GEF;
            break;
        default:
            break;
        }
        break;
    case OpClass::Raw:
        switch (op) {
        case BinOp::Eq:
            o = OP_EQ;
            break;
        case BinOp::Ne:
            o = OP_NE;
            break;
        case BinOp::Lt:
            o = OP_LT;
            break;
        case BinOp::Le:
            o = OP_LE;
            break;
        case BinOp::Gt:
            o = OP_GT;
            break;
        case BinOp::Ge:
            o = OP_GE;
            break;
        default:
            break;
        }
        break;
    case OpClass::Str:
        switch (op) {
        case BinOp::Add:
            o = OP_CONCAT;
            break;
        case BinOp::Eq:
            o = OP_EQS;
            break;
        case BinOp::Ne:
            o = OP_NES;
            break;
        case BinOp::Lt:
            o = OP_LTS;
            break;
        case BinOp::Le:
            o = OP_LES;
            break;
        case BinOp::Gt:
            o = OP_GTS;
            break;
        case BinOp::Ge:
            o = OP_GES;
            break;
        default:
            break;
        }
        break;
    case OpClass::Set:
        switch (op) {
        case BinOp::Add:
            o = OP_SUNION;
            break;
        case BinOp::Sub:
            o = OP_SDIFF;
            break;
        case BinOp::Mul:
            o = OP_SINTER;
            break;
        case BinOp::Eq:
            o = OP_SEQ;
            break;
        case BinOp::Ne:
            o = OP_SNE;
            break;
        case BinOp::Le:
            o = OP_SLE;
            break;
        case BinOp::Ge:
            o = OP_SGE;
            break;
        case BinOp::In:
            o = OP_SIN;
            break;
        default:
            break;
        }
        break;
    case OpClass::Var:
        emit(OP_VBIN, dst, a, b, static_cast<std::int32_t>(op));
        m_next = mark;
        return;
    }
    if (o == OP_NOP)
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    emit(o, dst, a, b);
    m_next = mark;
}

void CodeGen::convTo(Expr* e, int dst)
{
    auto c = static_cast<Conv>(e->op);
    if (c == Conv::None) {
        to(e->a, dst);
        return;
    }
    int mark = m_next;
    int a = any(e->a);
    at(e->pos);
    switch (c) {
    case Conv::IntToFloat:
        emit(OP_I2F, dst, a);
        break;
    case Conv::Narrow:
        emit(OP_NARROW, dst, a, 0, static_cast<std::int32_t>(e->imm));
        break;
    case Conv::FloatToSingle:
        emit(OP_TOSINGLE, dst, a);
        break;
    case Conv::CharToStr:
        emit(OP_CHR2S, dst, a);
        break;
    case Conv::ToVariant:
        if (e->a->type->kind == TK::Char)
            emit(OP_CHR2S, dst, a);
        else if (a != dst)
            emit(OP_MOV, dst, a);
        break;
    case Conv::FromVariant:
        emit(OP_FROMVAR, dst, a, 0, rtType(e->type));
        break;
    default:
        break;
    }
    m_next = mark;
}

void CodeGen::intrinsicTo(Expr* e, int dst)
{
    auto id = static_cast<Intrinsic>(e->op);
    int mark = m_next;
    switch (id) {
    case Intrinsic::Length:
    case Intrinsic::GetArrayLength: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(e->args[0]->type->kind == TK::String ? OP_LENS : OP_LENA, dst, a);
        break;
    }
    case Intrinsic::High: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(e->args[0]->type->kind == TK::String ? OP_LENS : OP_LENA, dst, a);
        emit(OP_ADD64K, dst, dst, 0, -1);
        break;
    }
    case Intrinsic::SetLength:
    case Intrinsic::SetArrayLength: {
        Expr* target = e->args[0];
        int n = any(e->args[1]);
        int r = ref(target);
        at(e->pos);
        if (target->type->kind == TK::String)
            emit(OP_SETLENS, r, n);
        else
            emit(OP_SETLENA, r, n, 0, rtType(target->type->elem));
        break;
    }
    case Intrinsic::Inc:
    case Intrinsic::Dec: {
        Expr* target = e->args[0];
        const Type* t = target->type;
        bool sub = id == Intrinsic::Dec;
        std::int64_t k = 1;
        bool constStep = e->nargs == 1 || e->args[1]->kind == EK::Const;
        if (e->nargs == 2 && constStep)
            k = m_parser->constant(e->args[1]->constIndex).rawInt();
        int v;
        bool local = isLocal(target);
        v = local ? target->sym->index : temp();
        if (!local)
            to(target, v);
        at(e->pos);
        if (constStep && k >= INT32_MIN + 1 && k <= INT32_MAX) {
            emit(OP_ADD64K, v, v, 0, static_cast<std::int32_t>(sub ? -k : k));
        } else {
            int s = any(e->args[1]);
            emit(sub ? OP_SUB64 : OP_ADD64, v, v, s);
        }
        IntKind ik = t->kind == TK::Integer ? t->ik : (t->kind == TK::Char ? IntKind::U8 : t->ik);
        if (t->kind == TK::Bool)
            emit(OP_NARROW, v, v, 0, 255);
        else if (ik != IntKind::S64)
            emit(OP_NARROW, v, v, 0, static_cast<std::int32_t>(ik));
        if (!local)
            storeTo(target, v);
        break;
    }
    case Intrinsic::Succ:
    case Intrinsic::Pred: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(OP_ADD64K, dst, a, 0, id == Intrinsic::Succ ? 1 : -1);
        const Type* t = e->type;
        if (t->kind == TK::Bool)
            emit(OP_NARROW, dst, dst, 0, 255);
        else if (t->ik != IntKind::S64)
            emit(OP_NARROW, dst, dst, 0,
                 static_cast<std::int32_t>(t->kind == TK::Char ? IntKind::U8 : t->ik));
        break;
    }
    case Intrinsic::Abs: {
        int a = any(e->args[0]);
        at(e->pos);
        if (e->type->kind == TK::Float)
            emit(OP_ABSF, dst, a);
        else
            emit(e->type->ik == IntKind::S64 ? OP_ABS64 : OP_ABS32, dst, a);
        break;
    }
    case Intrinsic::Sqr: {
        int a = any(e->args[0]);
        at(e->pos);
        if (e->type->kind == TK::Float)
            emit(OP_MULF, dst, a, a);
        else
            emit(e->type->ik == IntKind::S64 ? OP_MUL64 : OP_MUL32, dst, a, a);
        break;
    }
    case Intrinsic::Assigned: {
        int a = any(e->args[0]);
        at(e->pos);
        emit(OP_ASSIGNED, dst, a);
        break;
    }
    case Intrinsic::Random: {
        if (e->nargs == 0) {
            emit(OP_RANDF, dst);
        } else {
            int a = any(e->args[0]);
            at(e->pos);
            emit(OP_RANDI, dst, a);
        }
        break;
    }
    default:
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    }
    m_next = mark;
}

// --- calls ----------------------------------------------------------------------------------------

void CodeGen::args(const Signature& sig, Expr** a, std::uint32_t n, int base,
                   std::vector<std::pair<Expr*, int>>& writeBack)
{
    for (std::uint32_t i = 0; i < n; ++i) {
        const Param& p = sig.params[i];
        int slot = base + static_cast<int>(i);
        Expr* x = a[i];
        if (p.mode == ParamMode::Var || p.mode == ParamMode::Out) {
            Expr* v = x;
            while (v->kind == EK::Conv && static_cast<Conv>(v->op) == Conv::None)
                v = v->a;
            if (v->kind == EK::Var) {
                switch (v->sym->vk) {
                case VarKind::VarParam:
                    emit(OP_MOV, slot, v->sym->index);
                    break;
                case VarKind::Global:
                    emit(OP_REFG, slot, 0, 0, v->sym->index);
                    break;
                default:
                    emit(OP_REFL, slot, v->sym->index);
                    break;
                }
            } else {
                // fields, elements and characters go by copy-in, copy-out
                int w = -1;
                for (auto& [e, s] : writeBack)
                    if (e == x)
                        w = s;
                emit(OP_REFL, slot, w);
            }
        } else {
            to(x, slot);
        }
    }
}

int CodeGen::call(Expr* e, int dst)
{
    int mark = m_next;
    // copy-in temporaries of var arguments that are no plain variables live below the argument block
    std::vector<std::pair<Expr*, int>> writeBack;
    const Signature* sig = nullptr;
    if (e->kind == EK::Call)
        sig = &e->routine->sig;
    else if (e->kind == EK::Method)
        sig = &e->member->sig;
    else if (e->kind == EK::ProcCall)
        sig = &e->a->type->sig;
    if (sig) {
        for (std::uint32_t i = 0; i < e->nargs; ++i) {
            const Param& p = sig->params[i];
            if (p.mode != ParamMode::Var && p.mode != ParamMode::Out)
                continue;
            Expr* v = e->args[i];
            while (v->kind == EK::Conv && static_cast<Conv>(v->op) == Conv::None)
                v = v->a;
            if (v->kind == EK::Var)
                continue;
            int w = temp();
            to(e->args[i], w);
            writeBack.emplace_back(e->args[i], w);
        }
    }
    int proc = -1;
    if (e->kind == EK::ProcCall)
        proc = any(e->a);
    int base = m_next;
    int result = base;
    at(e->pos);
    switch (e->kind) {
    case EK::Call: {
        Routine* r = e->routine;
        reserve(static_cast<int>(e->nargs) + 1);
        args(r->sig, e->args, e->nargs, base, writeBack);
        at(e->pos);
        switch (r->kind) {
        case RoutineKind::Script:
            emit(OP_CALL, base, 0, 0, r->id);
            break;
        case RoutineKind::External:
            emit(OP_CALLX, base, static_cast<int>(e->nargs), 0, r->id);
            break;
        case RoutineKind::Native:
        case RoutineKind::Host:
            emit(OP_CALLH, base, static_cast<int>(e->nargs), 0, importRoutine(*r));
            break;
        }
        break;
    }
    case EK::Method: {
        if (!e->a) {
            reserve(static_cast<int>(e->nargs) + 1);
            args(e->member->sig, e->args, e->nargs, base, writeBack);
            at(e->pos);
            emit(OP_CTOR, base, static_cast<int>(e->nargs), classIndex(e->klass),
                 importFor(ImportKind::Constructor, e->member, e->klass));
        } else {
            reserve(static_cast<int>(e->nargs) + 1);
            to(e->a, base);
            args(e->member->sig, e->args, e->nargs, base + 1, writeBack);
            at(e->pos);
            emit(OP_CALLM, base, static_cast<int>(e->nargs), 0,
                 importFor(ImportKind::Method, e->member, nullptr));
        }
        break;
    }
    case EK::ProcCall: {
        reserve(static_cast<int>(e->nargs) + 1);
        args(*sig, e->args, e->nargs, base, writeBack);
        at(e->pos);
        emit(OP_CALLP, base, static_cast<int>(e->nargs), proc);
        break;
    }
    case EK::Prop: {
        reserve(static_cast<int>(e->nargs) + 1);
        to(e->a, base);
        for (std::uint32_t i = 0; i < e->nargs; ++i)
            to(e->args[i], base + 1 + static_cast<int>(i));
        at(e->pos);
        emit(OP_PGET, base, base, static_cast<int>(e->nargs),
             importFor(ImportKind::PropGet, e->member, nullptr));
        break;
    }
    default:
        throw CompileError{MessageCode::TypeMismatch, {}, e->pos};
    }
    for (auto& [x, w] : writeBack)
        storeTo(x, w);
    if (dst >= 0) {
        if (dst != result)
            emit(OP_MOV, dst, result);
        m_next = mark;
        return dst;
    }
    if (writeBack.empty() && proc < 0) {
        m_next = result + 1;
        return result;
    }
    // keep the result above the temporaries that are released
    m_next = mark;
    int t = temp();
    if (t != result)
        emit(OP_MOV, t, result);
    return t;
}

} // namespace pascal
