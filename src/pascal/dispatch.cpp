// The interpreter's dispatch loop: one switch over the instructions, frames pushed and popped on the
// value stack without recursion, and exceptions sent to the innermost try block of the run.
#include "pascal/interpreter.h"
#include "pascal/types.h"
#include "pascal/variant_ops.h"
#include "pascal/vm_helpers.h"

#include <cmath>
#include <cstring>

namespace pascal {

using namespace vm;

// --- the dispatch loop ----------------------------------------------------------------------------

void Interpreter::execute(std::size_t baseDepth)
{
    const Instr* code = m_code;
    const Instr* pc = code + m_frames.back().rc->entry;
    Value* R = m_frames.back().base;
    const Value* K = m_program->constants.data();
    std::size_t handlerMark = m_handlers.size();
    std::size_t excMark = m_exceptions.size();
    for (;;) {
        try {
            for (;;) {
                const Instr* in = pc++;
                switch (in->op) {
                case OP_NOP:
                    break;
                case OP_MOV:
                    R[in->a] = R[in->b];
                    break;
                case OP_LOADK:
                    R[in->a] = K[in->d];
                    break;
                case OP_LOADI:
                    R[in->a].setInt(in->d);
                    break;
                case OP_LOADG:
                    R[in->a] = m_globals[static_cast<std::size_t>(in->d)];
                    break;
                case OP_STOREG:
                    m_globals[static_cast<std::size_t>(in->d)] = R[in->a];
                    break;
                case OP_LOADDEF:
                    R[in->a] = m_defaults[static_cast<std::size_t>(in->d)];
                    break;
                case OP_CLRSLOT:
                    R[in->a].clear();
                    break;
                case OP_REFL: {
                    Value r = Value::reference(&R[in->b]);
                    R[in->a] = r;
                    break;
                }
                case OP_REFG:
                    R[in->a] = Value::reference(&m_globals[static_cast<std::size_t>(in->d)]);
                    break;
                case OP_DEREF:
                    R[in->a] = *deref(R[in->b]);
                    break;
                case OP_STOREREF:
                    *deref(R[in->a]) = R[in->b];
                    break;
                case OP_REFFLD: {
                    Value* target = deref(R[in->b]);
                    recordOf(*target);
                    RecRep* rec = rep::uniqueRec(*target);
                    R[in->a] = Value::reference(&field(rec, in->d));
                    break;
                }
                case OP_REFIDXS:
                case OP_REFIDXD: {
                    Value* target = deref(R[in->b]);
                    ArrRep* a = arrayOf(*target);
                    if (a && in->op == OP_REFIDXS)
                        a = rep::uniqueArr(*target);
                    R[in->a] = Value::reference(&element(a, R[in->c].rawInt() - in->d));
                    break;
                }
                case OP_GETFLD: {
                    Value v = field(recordOf(R[in->b]), in->d);
                    R[in->a] = std::move(v);
                    break;
                }
                case OP_GETIDX: {
                    Value v = element(arrayOf(R[in->b]), R[in->c].rawInt() - in->d);
                    R[in->a] = std::move(v);
                    break;
                }
                case OP_GETCHR: {
                    std::string_view s = sv(R[in->b]);
                    std::int64_t i = R[in->c].rawInt();
                    if (i < 1 || i > static_cast<std::int64_t>(s.size()))
                        fail("Index out of range");
                    R[in->a].setInt(static_cast<unsigned char>(s[static_cast<std::size_t>(i - 1)]));
                    break;
                }
                case OP_SETFLD: {
                    Value& target = R[in->a];
                    recordOf(target);
                    Value v = R[in->b];
                    field(rep::uniqueRec(target), in->d) = std::move(v);
                    break;
                }
                case OP_SETIDXS:
                case OP_SETIDXD: {
                    Value& target = R[in->a];
                    ArrRep* a = arrayOf(target);
                    Value v = R[in->c];
                    if (a && in->op == OP_SETIDXS)
                        a = rep::uniqueArr(target);
                    element(a, R[in->b].rawInt() - in->d) = std::move(v);
                    break;
                }
                case OP_SETCHR:
                case OP_SETCHRREF: {
                    Value& target = in->op == OP_SETCHR ? R[in->a] : *deref(R[in->a]);
                    std::size_t len = sv(target).size();
                    std::int64_t i = R[in->b].rawInt();
                    if (i < 1 || i > static_cast<std::int64_t>(len))
                        fail("Index out of range");
                    StrRep* s = rep::uniqueStr(target, len);
                    s->data()[i - 1] = static_cast<char>(R[in->c].rawInt());
                    break;
                }
                case OP_I2F:
                    R[in->a].setFloat(static_cast<double>(R[in->b].rawInt()));
                    break;
                case OP_NARROW:
                    if (in->d == 255)
                        R[in->a].setBool(R[in->b].rawInt() != 0);
                    else
                        R[in->a].setTagged(R[in->b].tag() == Tag::Bool ? Tag::Int : R[in->b].tag(),
                                           wrap(R[in->b].rawInt(), in->d));
                    break;
                case OP_TOSINGLE:
                    R[in->a].setFloat(static_cast<float>(R[in->b].rawFloat()));
                    break;
                case OP_CHR2S: {
                    char c = static_cast<char>(R[in->b].rawInt());
                    setString(R[in->a], rep::makeStr(std::string_view(&c, 1)));
                    break;
                }
                case OP_FROMVAR: {
                    Value v = R[in->b];
                    fromVariant(v, m_program->types[static_cast<std::size_t>(in->d)]);
                    R[in->a] = std::move(v);
                    break;
                }
#define INT_OP(NAME, EXPR)                                                                                   \
    case OP_##NAME: {                                                                                        \
        std::uint64_t x = static_cast<std::uint64_t>(R[in->b].rawInt());                                     \
        std::uint64_t y = static_cast<std::uint64_t>(R[in->c].rawInt());                                     \
        (void)x;                                                                                             \
        (void)y;                                                                                             \
        R[in->a].setInt(EXPR);                                                                               \
        break;                                                                                               \
    }
                    INT_OP(ADD32, i32(x + y))
                    INT_OP(SUB32, i32(x - y))
                    INT_OP(MUL32, i32(x * y))
                    INT_OP(ADDU32, u32(x + y))
                    INT_OP(SUBU32, u32(x - y))
                    INT_OP(MULU32, u32(x * y))
                    INT_OP(ADD64, static_cast<std::int64_t>(x + y))
                    INT_OP(SUB64, static_cast<std::int64_t>(x - y))
                    INT_OP(MUL64, static_cast<std::int64_t>(x * y))
                    INT_OP(ANDI, static_cast<std::int64_t>(x & y))
                    INT_OP(ORI, static_cast<std::int64_t>(x | y))
                    INT_OP(XORI, static_cast<std::int64_t>(x ^ y))
                    INT_OP(SHL32, i32(x << (y & 31)))
                    INT_OP(SHLU32, u32(x << (y & 31)))
                    INT_OP(SHR32, static_cast<std::int64_t>(static_cast<std::uint32_t>(x) >> (y & 31)))
                    INT_OP(SHL64, static_cast<std::int64_t>(x << (y & 63)))
                    INT_OP(SHR64, static_cast<std::int64_t>(x >> (y & 63)))
#undef INT_OP
                case OP_DIV32:
                case OP_DIV64:
                case OP_MOD64: {
                    std::int64_t x = R[in->b].rawInt(), y = R[in->c].rawInt();
                    if (y == 0)
                        fail("Division by zero");
                    std::int64_t r;
                    if (y == -1)
                        r = in->op == OP_MOD64 ? 0
                                               : static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(x));
                    else
                        r = in->op == OP_MOD64 ? x % y : x / y;
                    R[in->a].setInt(in->op == OP_DIV32 ? i32(static_cast<std::uint64_t>(r)) : r);
                    break;
                }
                case OP_ADD32K:
                    R[in->a].setInt(i32(static_cast<std::uint64_t>(R[in->b].rawInt()) +
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d))));
                    break;
                case OP_SUB32K:
                    R[in->a].setInt(i32(static_cast<std::uint64_t>(R[in->b].rawInt()) -
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d))));
                    break;
                case OP_MUL32K:
                    R[in->a].setInt(i32(static_cast<std::uint64_t>(R[in->b].rawInt()) *
                                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d))));
                    break;
                case OP_ADD64K: {
                    Value& dst = R[in->a];
                    std::int64_t v = static_cast<std::int64_t>(
                        static_cast<std::uint64_t>(R[in->b].rawInt()) +
                        static_cast<std::uint64_t>(static_cast<std::int64_t>(in->d)));
                    Tag t = R[in->b].tag();
                    dst.setTagged(t == Tag::Bool || t == Tag::Int ? t : Tag::Int, v);
                    break;
                }
                case OP_MOD32K: {
                    std::int64_t y = in->d;
                    if (y == 0)
                        fail("Division by zero");
                    R[in->a].setInt(y == -1 ? 0 : R[in->b].rawInt() % y);
                    break;
                }
                case OP_NEG32:
                    R[in->a].setInt(i32(0 - static_cast<std::uint64_t>(R[in->b].rawInt())));
                    break;
                case OP_NEG64:
                    R[in->a].setInt(
                        static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(R[in->b].rawInt())));
                    break;
                case OP_NOTI:
                    R[in->a].setInt(~R[in->b].rawInt());
                    break;
                case OP_NOTU32:
                    R[in->a].setInt(u32(~static_cast<std::uint64_t>(R[in->b].rawInt())));
                    break;
                case OP_ABS32: {
                    std::int64_t v = R[in->b].rawInt();
                    R[in->a].setInt(
                        i32(v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v)));
                    break;
                }
                case OP_ABS64: {
                    std::int64_t v = R[in->b].rawInt();
                    R[in->a].setInt(static_cast<std::int64_t>(v < 0 ? 0 - static_cast<std::uint64_t>(v)
                                                                    : static_cast<std::uint64_t>(v)));
                    break;
                }
                case OP_EQ:
                    R[in->a].setBool(R[in->b].rawInt() == R[in->c].rawInt());
                    break;
                case OP_NE:
                    R[in->a].setBool(R[in->b].rawInt() != R[in->c].rawInt());
                    break;
                case OP_LT:
                    R[in->a].setBool(R[in->b].rawInt() < R[in->c].rawInt());
                    break;
                case OP_LE:
                    R[in->a].setBool(R[in->b].rawInt() <= R[in->c].rawInt());
                    break;
                case OP_GT:
                    R[in->a].setBool(R[in->b].rawInt() > R[in->c].rawInt());
                    break;
                case OP_GE:
                    R[in->a].setBool(R[in->b].rawInt() >= R[in->c].rawInt());
                    break;
                case OP_BAND:
                    R[in->a].setBool(R[in->b].rawInt() != 0 && R[in->c].rawInt() != 0);
                    break;
                case OP_BOR:
                    R[in->a].setBool(R[in->b].rawInt() != 0 || R[in->c].rawInt() != 0);
                    break;
                case OP_BXOR:
                    R[in->a].setBool((R[in->b].rawInt() != 0) != (R[in->c].rawInt() != 0));
                    break;
                case OP_BNOT:
                    R[in->a].setBool(R[in->b].rawInt() == 0);
                    break;
                case OP_ADDF:
                    R[in->a].setFloat(R[in->b].rawFloat() + R[in->c].rawFloat());
                    break;
                case OP_SUBF:
                    R[in->a].setFloat(R[in->b].rawFloat() - R[in->c].rawFloat());
                    break;
                case OP_MULF:
                    R[in->a].setFloat(R[in->b].rawFloat() * R[in->c].rawFloat());
                    break;
                case OP_DIVF: {
                    double y = R[in->c].rawFloat();
                    if (y == 0)
                        fail("Division by zero");
                    R[in->a].setFloat(R[in->b].rawFloat() / y);
                    break;
                }
                case OP_NEGF:
                    R[in->a].setFloat(-R[in->b].rawFloat());
                    break;
                case OP_ABSF:
                    R[in->a].setFloat(std::fabs(R[in->b].rawFloat()));
                    break;
                case OP_EQF:
                    R[in->a].setBool(R[in->b].rawFloat() == R[in->c].rawFloat());
                    break;
                case OP_NEF:
                    R[in->a].setBool(R[in->b].rawFloat() != R[in->c].rawFloat());
                    break;
                case OP_LTF:
                    R[in->a].setBool(R[in->b].rawFloat() < R[in->c].rawFloat());
                    break;
                case OP_LEF:
                    R[in->a].setBool(R[in->b].rawFloat() <= R[in->c].rawFloat());
                    break;
                case OP_GTF:
                    R[in->a].setBool(R[in->b].rawFloat() > R[in->c].rawFloat());
                    break;
                case OP_GEF:
                    R[in->a].setBool(R[in->b].rawFloat() >= R[in->c].rawFloat());
                    break;
                case OP_CONCAT: {
                    std::string_view x = sv(R[in->b]), y = sv(R[in->c]);
                    if (x.size() + y.size() > kMaxStringLength)
                        fail("Out of memory");
                    StrRep* s = nullptr;
                    if (x.size() + y.size()) {
                        s = rep::newStr(x.size() + y.size(), x.size() + y.size());
                        if (!x.empty())
                            std::memcpy(s->data(), x.data(), x.size());
                        if (!y.empty())
                            std::memcpy(s->data() + x.size(), y.data(), y.size());
                    }
                    setString(R[in->a], s);
                    break;
                }
                case OP_APPEND: {
                    Value& dst = R[in->a];
                    sv(dst);
                    if (&dst == &R[in->b]) {
                        std::string copy(sv(R[in->b]));
                        rep::appendStr(dst, copy);
                    } else {
                        rep::appendStr(dst, sv(R[in->b]));
                    }
                    break;
                }
#define STR_CMP(NAME, COND)                                                                                  \
    case OP_##NAME: {                                                                                        \
        int c = compareBytes(sv(R[in->b]), sv(R[in->c]));                                                    \
        R[in->a].setBool(COND);                                                                              \
        break;                                                                                               \
    }
                    STR_CMP(EQS, c == 0)
                    STR_CMP(NES, c != 0)
                    STR_CMP(LTS, c < 0)
                    STR_CMP(LES, c <= 0)
                    STR_CMP(GTS, c > 0)
                    STR_CMP(GES, c >= 0)
#undef STR_CMP
                case OP_LENS:
                    R[in->a].setInt(static_cast<std::int64_t>(sv(R[in->b]).size()));
                    break;
                case OP_LENA: {
                    ArrRep* a = arrayOf(R[in->b]);
                    R[in->a].setInt(a ? a->len : 0);
                    break;
                }
                case OP_SUNION:
                case OP_SDIFF:
                case OP_SINTER: {
                    std::uint64_t x[4], y[4], r[4];
                    bitsOf(R[in->b], x);
                    bitsOf(R[in->c], y);
                    for (int i = 0; i < 4; ++i)
                        r[i] = in->op == OP_SUNION  ? (x[i] | y[i])
                               : in->op == OP_SDIFF ? (x[i] & ~y[i])
                                                    : (x[i] & y[i]);
                    setBits(R[in->a], r);
                    break;
                }
                case OP_SEQ:
                case OP_SNE:
                case OP_SLE:
                case OP_SGE: {
                    std::uint64_t x[4], y[4];
                    bitsOf(R[in->b], x);
                    bitsOf(R[in->c], y);
                    bool eq = true, le = true, ge = true;
                    for (int i = 0; i < 4; ++i) {
                        eq = eq && x[i] == y[i];
                        le = le && (x[i] & ~y[i]) == 0;
                        ge = ge && (y[i] & ~x[i]) == 0;
                    }
                    R[in->a].setBool(in->op == OP_SEQ   ? eq
                                     : in->op == OP_SNE ? !eq
                                     : in->op == OP_SLE ? le
                                                        : ge);
                    break;
                }
                case OP_SIN: {
                    std::int64_t e = R[in->b].rawInt();
                    SetRep* s = setOf(R[in->c]);
                    R[in->a].setBool(s && e >= 0 && e <= 255 && ((s->bits[e >> 6] >> (e & 63)) & 1));
                    break;
                }
                case OP_SNEW:
                    R[in->a].adoptSet(rep::newSet());
                    break;
                case OP_SADD:
                case OP_SADDR: {
                    Value& dst = R[in->a];
                    std::int64_t lo = R[in->b].rawInt();
                    std::int64_t hi = in->op == OP_SADDR ? R[in->c].rawInt() : lo;
                    SetRep* s = setOf(dst);
                    if (!s || s->refs != 1) {
                        std::uint64_t bits[4];
                        bitsOf(dst, bits);
                        setBits(dst, bits);
                        s = dst.rawSet();
                    }
                    if (lo < 0)
                        lo = 0;
                    if (hi > 255)
                        hi = 255;
                    for (std::int64_t k = lo; k <= hi; ++k)
                        s->bits[k >> 6] |= std::uint64_t(1) << (k & 63);
                    break;
                }
                case OP_VBIN: {
                    Value r = variantBinary(in->d, R[in->b], R[in->c]);
                    R[in->a] = std::move(r);
                    break;
                }
                case OP_VNEG:
                case OP_VNOT: {
                    Value r = variantUnary(in->op == OP_VNEG, R[in->b]);
                    R[in->a] = std::move(r);
                    break;
                }
                case OP_ISCLS:
                case OP_ASCLS: {
                    const Value& v = R[in->b];
                    HostObject* o = v.asObject();
                    if (in->op == OP_ISCLS) {
                        R[in->a].setBool(o && isA(o, in->d));
                    } else {
                        if (o && !isA(o, in->d))
                            fail("Invalid type cast");
                        Value copy = v;
                        R[in->a] = std::move(copy);
                    }
                    break;
                }
                case OP_ASSIGNED: {
                    const Value& v = R[in->b];
                    bool r = v.tag() == Tag::Proc ? !v.isNilProc() : v.rawInt() != 0;
                    if (v.tag() == Tag::Object && v.asObject() && v.asObject()->freed())
                        r = true;
                    R[in->a].setBool(r);
                    break;
                }
                case OP_JMP:
                    if (in->d <= in - code && --m_budget == 0)
                        fail("Execution limit exceeded");
                    pc = code + in->d;
                    break;
                case OP_JT:
                    if (R[in->a].rawInt() != 0)
                        pc = code + in->d;
                    break;
                case OP_JF:
                    if (R[in->a].rawInt() == 0) {
                        if (in->d <= in - code && --m_budget == 0)
                            fail("Execution limit exceeded");
                        pc = code + in->d;
                    }
                    break;
#define JCMP(NAME, OP)                                                                                       \
    case OP_##NAME:                                                                                          \
        if (R[in->a].rawInt() OP R[in->b].rawInt()) {                                                        \
            if (in->d <= in - code && --m_budget == 0)                                                       \
                fail("Execution limit exceeded");                                                            \
            pc = code + in->d;                                                                               \
        }                                                                                                    \
        break;                                                                                               \
    case OP_##NAME##K:                                                                                       \
        if (R[in->a].rawInt() OP static_cast<std::int16_t>(in->b)) {                                         \
            if (in->d <= in - code && --m_budget == 0)                                                       \
                fail("Execution limit exceeded");                                                            \
            pc = code + in->d;                                                                               \
        }                                                                                                    \
        break;
                    JCMP(JEQ, ==)
                    JCMP(JNE, !=)
                    JCMP(JLT, <)
                    JCMP(JLE, <=)
                    JCMP(JGT, >)
                    JCMP(JGE, >=)
#undef JCMP
                case OP_FORPREP:
                    if (R[in->a].rawInt() > R[in->b].rawInt())
                        pc = code + in->d;
                    break;
                case OP_FORPREPD:
                    if (R[in->a].rawInt() < R[in->b].rawInt())
                        pc = code + in->d;
                    break;
                case OP_FORLOOP: {
                    Value& c = R[in->a];
                    if (c.rawInt() < R[in->b].rawInt()) {
                        if (--m_budget == 0)
                            fail("Execution limit exceeded");
                        ++c.rawInt();
                        pc = code + in->d;
                    }
                    break;
                }
                case OP_FORLOOPD: {
                    Value& c = R[in->a];
                    if (c.rawInt() > R[in->b].rawInt()) {
                        if (--m_budget == 0)
                            fail("Execution limit exceeded");
                        --c.rawInt();
                        pc = code + in->d;
                    }
                    break;
                }
                case OP_CALL: {
                    if (--m_budget == 0)
                        fail("Execution limit exceeded");
                    R = enter(static_cast<std::uint32_t>(in->d), R + in->a, pc);
                    pc = code + m_frames.back().rc->entry;
                    break;
                }
                case OP_CALLP: {
                    const Value& p = R[in->c];
                    if (p.procKind() != ProcKind::Script)
                        fail("Nil procedure called");
                    if (p.procIndex() >= m_program->routines.size() ||
                        m_program->routines[p.procIndex()].params.size() != in->b)
                        fail("Invalid procedure value");
                    if (--m_budget == 0)
                        fail("Execution limit exceeded");
                    R = enter(p.procIndex(), R + in->a, pc);
                    pc = code + m_frames.back().rc->entry;
                    break;
                }
                case OP_CALLH:
                case OP_CALLN:
                    callHost(static_cast<std::uint32_t>(in->d), R + in->a, in->b, nullptr, {});
                    break;
                case OP_CALLM: {
                    Value* self = R + in->a;
                    HostObject* o = self->asObject();
                    if (!o) {
                        // Free on nil does nothing, as in Delphi: a finally block may free an
                        // object whose creation failed
                        if (isFreeMethod(static_cast<std::uint32_t>(in->d)))
                            break;
                        fail("Nil object reference");
                    }
                    if (o->freed())
                        fail("Object already freed");
                    callHost(static_cast<std::uint32_t>(in->d), self + 1, in->b, self, {});
                    break;
                }
                case OP_CTOR:
                    callHost(static_cast<std::uint32_t>(in->d), R + in->a, in->b, nullptr,
                             m_program->classes[in->c].name);
                    break;
                case OP_CALLX:
                    callExternal(static_cast<std::uint32_t>(in->d), R + in->a, in->b);
                    break;
                case OP_PGET: {
                    Value* self = R + in->b;
                    HostObject* o = self->asObject();
                    if (!o)
                        fail("Nil object reference");
                    if (o->freed())
                        fail("Object already freed");
                    callHost(static_cast<std::uint32_t>(in->d), self + 1, in->c, self, {});
                    if (in->a != in->b) {
                        Value v = std::move(*self);
                        R[in->a] = std::move(v);
                    }
                    break;
                }
                case OP_PSET: {
                    Value* self = R + in->a;
                    HostObject* o = self->asObject();
                    if (!o)
                        fail("Nil object reference");
                    if (o->freed())
                        fail("Object already freed");
                    callHost(static_cast<std::uint32_t>(in->d), self + 1, in->b - 1, self, {});
                    break;
                }
                case OP_RET: {
                    const Instr* ret = m_frames.back().ret;
                    leaveFrame();
                    if (m_frames.size() <= baseDepth) {
                        m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                        return;
                    }
                    pc = ret;
                    R = m_frames.back().base;
                    break;
                }
                case OP_TRY:
                    m_handlers.push_back(Handler{m_frames.size() - 1, code + in->d, m_exceptions.size()});
                    break;
                case OP_POPTRY:
                    if (m_handlers.size() > handlerMark)
                        m_handlers.pop_back();
                    break;
                case OP_ENDEXC:
                    if (m_exceptions.size() > excMark)
                        m_exceptions.pop_back();
                    break;
                case OP_RERAISE: {
                    if (m_exceptions.size() <= excMark)
                        fail("Re-raise outside an exception handler");
                    RuntimeError e = m_exceptions.back();
                    m_exceptions.pop_back();
                    throw e;
                }
                case OP_MKARR: {
                    ArrRep* a = rep::newArr(in->c);
                    Value v;
                    v.adoptArr(a);
                    for (int i = 0; i < in->c; ++i)
                        a->elems()[i] = R[in->b + i];
                    R[in->a] = std::move(v);
                    break;
                }
                case OP_SETLENS: {
                    Value* target = deref(R[in->a]);
                    std::int64_t n = R[in->b].rawInt();
                    if (n < 0)
                        n = 0;
                    if (static_cast<std::uint64_t>(n) > kMaxStringLength)
                        fail("Out of memory");
                    std::size_t old = sv(*target).size();
                    if (n == 0) {
                        target->adoptStr(nullptr);
                        break;
                    }
                    StrRep* s = rep::uniqueStr(*target, static_cast<std::size_t>(n));
                    if (static_cast<std::size_t>(n) > old)
                        std::memset(s->data() + old, 0, static_cast<std::size_t>(n) - old);
                    s->len = static_cast<std::uint32_t>(n);
                    s->data()[n] = '\0';
                    break;
                }
                case OP_SETLENA: {
                    Value* target = deref(R[in->a]);
                    std::int64_t n = R[in->b].rawInt();
                    if (n < 0)
                        n = 0;
                    if (static_cast<std::uint64_t>(n) > kMaxArrayLength)
                        fail("Out of memory");
                    ArrRep* old = arrayOf(*target);
                    if (n == 0) {
                        target->adoptArr(nullptr);
                        break;
                    }
                    ArrRep* a = rep::newArr(static_cast<std::size_t>(n));
                    Value v;
                    v.adoptArr(a);
                    std::size_t keep = old ? std::min<std::size_t>(old->len, static_cast<std::size_t>(n)) : 0;
                    for (std::size_t i = 0; i < keep; ++i)
                        a->elems()[i] = old->elems()[i];
                    const Value& def = m_defaults[static_cast<std::size_t>(in->d)];
                    for (std::size_t i = keep; i < static_cast<std::size_t>(n); ++i)
                        a->elems()[i] = def;
                    *target = std::move(v);
                    break;
                }
                case OP_RANDF:
                    R[in->a].setFloat(std::uniform_real_distribution<double>(0.0, 1.0)(m_random));
                    break;
                case OP_RANDI: {
                    std::int64_t n = R[in->b].rawInt();
                    R[in->a].setInt(n <= 0 ? 0
                                           : std::uniform_int_distribution<std::int64_t>(0, n - 1)(m_random));
                    break;
                }
                default:
                    fail("Invalid instruction");
                }
            }
        } catch (RuntimeError& e) {
            attachPosition(e, pc - 1);
            if (!dispatchException(e, baseDepth, pc, R)) {
                while (m_frames.size() > baseDepth)
                    leaveFrame();
                m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                while (m_exceptions.size() > excMark)
                    m_exceptions.pop_back();
                throw;
            }
        } catch (const Halt&) {
            while (m_frames.size() > baseDepth)
                leaveFrame();
            m_handlers.resize(std::min(m_handlers.size(), handlerMark));
            while (m_exceptions.size() > excMark)
                m_exceptions.pop_back();
            throw;
        } catch (const std::bad_alloc&) {
            RuntimeError e("Out of memory");
            attachPosition(e, pc - 1);
            if (!dispatchException(e, baseDepth, pc, R)) {
                while (m_frames.size() > baseDepth)
                    leaveFrame();
                m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                while (m_exceptions.size() > excMark)
                    m_exceptions.pop_back();
                throw e;
            }
        } catch (const std::exception& ex) {
            RuntimeError e(ex.what());
            attachPosition(e, pc - 1);
            if (!dispatchException(e, baseDepth, pc, R)) {
                while (m_frames.size() > baseDepth)
                    leaveFrame();
                m_handlers.resize(std::min(m_handlers.size(), handlerMark));
                while (m_exceptions.size() > excMark)
                    m_exceptions.pop_back();
                throw e;
            }
        }
    }
}

} // namespace pascal
