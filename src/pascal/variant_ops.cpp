// Variant arithmetic and conversions, following what Delphi's variants do with simple values: strings
// take part in arithmetic as numbers, Null makes arithmetic Null, Unassigned counts as 0 or ''.
#include "pascal/variant_ops.h"

#include "pascal/ast.h"
#include "pascal/runtime_error.h"
#include "pascal/types.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace pascal {

std::string variantTypeName(const Value& v)
{
    switch (v.tag()) {
    case Tag::Empty:
        return "Empty";
    case Tag::Null:
        return "Null";
    case Tag::Bool:
        return "Boolean";
    case Tag::Int:
        return "Int64";
    case Tag::Float:
        return "Double";
    case Tag::Str:
        return "String";
    case Tag::Object:
        return "Dispatch";
    default:
        return "Unknown";
    }
}

[[noreturn]] static void cannotConvert(const Value& v, const char* to)
{
    throw RuntimeError("Could not convert variant of type (" + variantTypeName(v) + ") into type (" + to +
                       ")");
}

static bool parseNumber(std::string_view s, double& f, std::int64_t& i, bool& isInt)
{
    std::string t(s);
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    std::size_t p = 0;
    while (p < t.size() && t[p] == ' ')
        ++p;
    t = t.substr(p);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (end && *end == '\0' && errno == 0) {
        i = v;
        f = static_cast<double>(v);
        isInt = true;
        return true;
    }
    end = nullptr;
    double d = std::strtod(t.c_str(), &end);
    if (end && *end == '\0') {
        f = d;
        isInt = false;
        return true;
    }
    return false;
}

// A numeric view of a variant: integer or floating.
struct Num {
    bool isInt;
    std::int64_t i;
    double f;
};

static Num toNum(const Value& v, const char* forType)
{
    switch (v.tag()) {
    case Tag::Empty:
        return {true, 0, 0};
    case Tag::Bool:
        return {true, v.rawInt() ? -1 : 0, v.rawInt() ? -1.0 : 0.0};
    case Tag::Int:
        return {true, v.rawInt(), static_cast<double>(v.rawInt())};
    case Tag::Float:
        return {false, 0, v.rawFloat()};
    case Tag::Str: {
        Num n{};
        if (!parseNumber(v.str(), n.f, n.i, n.isInt))
            cannotConvert(v, forType);
        return n;
    }
    default:
        cannotConvert(v, forType);
    }
}

Value variantBinary(int opCode, const Value& a, const Value& b)
{
    auto op = static_cast<BinOp>(opCode);
    bool compare = op == BinOp::Eq || op == BinOp::Ne || op == BinOp::Lt || op == BinOp::Le ||
                   op == BinOp::Gt || op == BinOp::Ge;
    if (a.isNull() || b.isNull()) {
        if (compare) {
            bool both = a.isNull() && b.isNull();
            if (op == BinOp::Eq)
                return Value::boolean(both);
            if (op == BinOp::Ne)
                return Value::boolean(!both);
            return Value::boolean(false);
        }
        return Value::null();
    }
    bool as = a.tag() == Tag::Str || a.tag() == Tag::Empty;
    bool bs = b.tag() == Tag::Str || b.tag() == Tag::Empty;
    if ((a.tag() == Tag::Str && bs) || (b.tag() == Tag::Str && as)) {
        if (op == BinOp::Add) {
            std::string s(a.str());
            s += b.str();
            return Value::string(s);
        }
        if (compare) {
            int c = compareBytes(a.str(), b.str());
            switch (op) {
            case BinOp::Eq:
                return Value::boolean(c == 0);
            case BinOp::Ne:
                return Value::boolean(c != 0);
            case BinOp::Lt:
                return Value::boolean(c < 0);
            case BinOp::Le:
                return Value::boolean(c <= 0);
            case BinOp::Gt:
                return Value::boolean(c > 0);
            default:
                return Value::boolean(c >= 0);
            }
        }
    }
    if (a.tag() == Tag::Object || b.tag() == Tag::Object) {
        if (op == BinOp::Eq || op == BinOp::Ne) {
            bool eq = a.tag() == b.tag() && a.rawInt() == b.rawInt();
            return Value::boolean(op == BinOp::Eq ? eq : !eq);
        }
        throw RuntimeError("Invalid variant operation");
    }
    bool logical = a.tag() == Tag::Bool && b.tag() == Tag::Bool;
    if (logical && (op == BinOp::And || op == BinOp::Or || op == BinOp::Xor)) {
        bool x = a.rawInt() != 0, y = b.rawInt() != 0;
        return Value::boolean(op == BinOp::And ? (x && y) : op == BinOp::Or ? (x || y) : (x != y));
    }
    Num x = toNum(a, "Double"), y = toNum(b, "Double");
    bool ints = x.isInt && y.isInt;
    auto ux = static_cast<std::uint64_t>(x.i), uy = static_cast<std::uint64_t>(y.i);
    switch (op) {
    case BinOp::Add:
        return ints ? Value::integer(static_cast<std::int64_t>(ux + uy)) : Value::real(x.f + y.f);
    case BinOp::Sub:
        return ints ? Value::integer(static_cast<std::int64_t>(ux - uy)) : Value::real(x.f - y.f);
    case BinOp::Mul:
        return ints ? Value::integer(static_cast<std::int64_t>(ux * uy)) : Value::real(x.f * y.f);
    case BinOp::FDiv:
        if (y.f == 0)
            throw RuntimeError("Division by zero");
        return Value::real(x.f / y.f);
    case BinOp::IDiv:
    case BinOp::Mod: {
        std::int64_t p = x.isInt ? x.i : static_cast<std::int64_t>(std::llround(x.f));
        std::int64_t q = y.isInt ? y.i : static_cast<std::int64_t>(std::llround(y.f));
        if (q == 0)
            throw RuntimeError("Division by zero");
        if (q == -1)
            return Value::integer(
                op == BinOp::Mod ? 0 : static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(p)));
        return Value::integer(op == BinOp::IDiv ? p / q : p % q);
    }
    case BinOp::And:
    case BinOp::Or:
    case BinOp::Xor:
    case BinOp::Shl:
    case BinOp::Shr: {
        if (!ints)
            throw RuntimeError("Invalid variant operation");
        switch (op) {
        case BinOp::And:
            return Value::integer(x.i & y.i);
        case BinOp::Or:
            return Value::integer(x.i | y.i);
        case BinOp::Xor:
            return Value::integer(x.i ^ y.i);
        case BinOp::Shl:
            return Value::integer(static_cast<std::int64_t>(ux << (uy & 63)));
        default:
            return Value::integer(static_cast<std::int64_t>(ux >> (uy & 63)));
        }
    }
    case BinOp::Eq:
        return Value::boolean(ints ? x.i == y.i : x.f == y.f);
    case BinOp::Ne:
        return Value::boolean(ints ? x.i != y.i : x.f != y.f);
    case BinOp::Lt:
        return Value::boolean(ints ? x.i < y.i : x.f < y.f);
    case BinOp::Le:
        return Value::boolean(ints ? x.i <= y.i : x.f <= y.f);
    case BinOp::Gt:
        return Value::boolean(ints ? x.i > y.i : x.f > y.f);
    case BinOp::Ge:
        return Value::boolean(ints ? x.i >= y.i : x.f >= y.f);
    default:
        throw RuntimeError("Invalid variant operation");
    }
}

Value variantUnary(bool negate, const Value& a)
{
    if (a.isNull())
        return Value::null();
    if (!negate && a.tag() == Tag::Bool)
        return Value::boolean(a.rawInt() == 0);
    Num x = toNum(a, "Double");
    if (negate)
        return x.isInt ? Value::integer(static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(x.i)))
                       : Value::real(-x.f);
    if (!x.isInt)
        throw RuntimeError("Invalid variant operation");
    return Value::integer(~x.i);
}

void fromVariant(Value& v, const RtType& t)
{
    switch (t.kind) {
    case RtKind::Integer:
    case RtKind::Enum:
    case RtKind::Char: {
        if (t.kind == RtKind::Char && v.tag() == Tag::Str) {
            std::string_view s = v.str();
            v.setInt(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
            return;
        }
        if (v.isNull())
            cannotConvert(v, "Integer");
        Num n = toNum(v, "Integer");
        std::int64_t i = n.i;
        if (!n.isInt) {
            if (!(n.f > -9.2e18 && n.f < 9.2e18))
                cannotConvert(v, "Integer");
            i = static_cast<std::int64_t>(std::nearbyint(n.f));
        }
        v.setInt(t.kind == RtKind::Integer ? wrapIntKind(i, static_cast<IntKind>(t.intKind)) : i);
        return;
    }
    case RtKind::Bool: {
        if (v.tag() == Tag::Str) {
            std::string_view s = v.str();
            if (s.size() == 4 && (s[0] == 'T' || s[0] == 't')) {
                v.setBool(true);
                return;
            }
            if (s.size() == 5 && (s[0] == 'F' || s[0] == 'f')) {
                v.setBool(false);
                return;
            }
        }
        if (v.isNull())
            cannotConvert(v, "Boolean");
        Num n = toNum(v, "Boolean");
        v.setBool(n.isInt ? n.i != 0 : n.f != 0);
        return;
    }
    case RtKind::Float: {
        if (v.isNull())
            cannotConvert(v, "Double");
        Num n = toNum(v, "Double");
        v.setFloat(n.isInt ? static_cast<double>(n.i) : n.f);
        return;
    }
    case RtKind::String:
        if (v.isNull())
            cannotConvert(v, "String");
        if (v.tag() == Tag::Object)
            cannotConvert(v, "String");
        v = Value::string(v.asString());
        return;
    case RtKind::Variant:
        return;
    default:
        cannotConvert(v, t.name.c_str());
    }
}

} // namespace pascal
