// The engine's own routines: strings, numbers and variants, with the texts and rules of Delphi's
// run-time library where scripts can see them (messages of failed conversions, banker's rounding of
// Round, 1-based Copy and Pos).
#include "pascal/natives.h"

#include "pascal/interpreter.h"
#include "pascal/runtime_error.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace pascal {

namespace {

std::string_view S(const Value& v)
{
    if (v.tag() == Tag::Ref)
        return S(*v.rawRef());
    return v.str();
}
std::int64_t I(const Value& v)
{
    return v.tag() == Tag::Ref ? I(*v.rawRef()) : v.rawInt();
}
double F(const Value& v)
{
    return v.tag() == Tag::Ref ? F(*v.rawRef()) : v.rawFloat();
}
Value& target(Value& v)
{
    if (v.tag() != Tag::Ref || !v.rawRef())
        throw RuntimeError("Invalid reference");
    return *v.rawRef();
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

void nPos(Interpreter&, Value* a, Value& r)
{
    std::string_view sub = S(a[0]), s = S(a[1]);
    if (sub.empty()) {
        r = Value::integer(0);
        return;
    }
    auto p = s.find(sub);
    r = Value::integer(p == std::string_view::npos ? 0 : static_cast<std::int64_t>(p + 1));
}

void nCopy(Interpreter&, Value* a, Value& r)
{
    std::string_view s = S(a[0]);
    std::int64_t index = I(a[1]), count = I(a[2]);
    if (index < 1)
        index = 1;
    if (count <= 0 || index > static_cast<std::int64_t>(s.size())) {
        r = Value::string("");
        return;
    }
    std::size_t from = static_cast<std::size_t>(index - 1);
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), s.size() - from);
    r = Value::string(s.substr(from, n));
}

void nDelete(Interpreter&, Value* a, Value&)
{
    Value& t = target(a[0]);
    std::string s(t.str());
    std::int64_t index = I(a[1]), count = I(a[2]);
    if (index < 1 || index > static_cast<std::int64_t>(s.size()) || count <= 0)
        return;
    s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
    t = Value::string(s);
}

void nInsert(Interpreter&, Value* a, Value&)
{
    std::string src(S(a[0]));
    Value& t = target(a[1]);
    std::string s(t.str());
    std::int64_t index = I(a[2]);
    if (index < 1)
        index = 1;
    if (index > static_cast<std::int64_t>(s.size()) + 1)
        index = static_cast<std::int64_t>(s.size()) + 1;
    if (s.size() + src.size() > kMaxStringLength)
        throw RuntimeError("Out of memory");
    s.insert(static_cast<std::size_t>(index - 1), src);
    t = Value::string(s);
}

void nUpper(Interpreter&, Value* a, Value& r)
{
    std::string s(S(a[0]));
    for (char& c : s)
        c = upper(c);
    r = Value::string(s);
}

void nLower(Interpreter&, Value* a, Value& r)
{
    std::string s(S(a[0]));
    for (char& c : s)
        c = lower(c);
    r = Value::string(s);
}

// The letters with a case partner beyond ASCII that scripts meet in their texts: Latin-1, Latin
// Extended-A, Greek and Cyrillic. Returns the code point unchanged when it has no partner.
char32_t caseOf(char32_t c, bool toUpper)
{
    if (toUpper) {
        if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
            (c >= 0x430 && c <= 0x44F))
            return c - 0x20;
        if (c == 0xFF)
            return 0x178;
        if (c >= 0x450 && c <= 0x45F)
            return c - 0x50;
    } else {
        if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
            (c >= 0x410 && c <= 0x42F))
            return c + 0x20;
        if (c == 0x178)
            return 0xFF;
        if (c >= 0x400 && c <= 0x40F)
            return c + 0x50;
    }
    // Latin Extended-A pairs: upper, then lower; the upper one is even except in two runs
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    const bool paired = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || oddUpper;
    if (!paired)
        return c;
    const bool isUpper = ((c & 1) != 0) == oddUpper;
    if (isUpper == toUpper)
        return c;
    return toUpper ? c - 1 : c + 1; // the lower letter follows its upper one
}

// AnsiUpperCase and AnsiLowerCase: letters of the texts' own alphabets too. Bytes that are not a
// two-byte UTF-8 sequence pass through as they are.
std::string ansiCase(std::string_view s, bool toUpper)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += toUpper ? upper(s[i]) : lower(s[i]);
            continue;
        }
        const auto b2 = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0u;
        if (b < 0xC2 || b > 0xDF || (b2 & 0xC0) != 0x80) {
            out += s[i];
            continue;
        }
        const char32_t c = caseOf((static_cast<char32_t>(b & 0x1F) << 6) | (b2 & 0x3F), toUpper);
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
        ++i;
    }
    return out;
}

void nAnsiUpper(Interpreter&, Value* a, Value& r)
{
    r = Value::string(ansiCase(S(a[0]), true));
}

void nAnsiLower(Interpreter&, Value* a, Value& r)
{
    r = Value::string(ansiCase(S(a[0]), false));
}

void trimImpl(Value* a, Value& r, bool left, bool right)
{
    std::string_view s = S(a[0]);
    while (left && !s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (right && !s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    r = Value::string(s);
}
void nTrim(Interpreter&, Value* a, Value& r)
{
    trimImpl(a, r, true, true);
}
void nTrimLeft(Interpreter&, Value* a, Value& r)
{
    trimImpl(a, r, true, false);
}
void nTrimRight(Interpreter&, Value* a, Value& r)
{
    trimImpl(a, r, false, true);
}

void nStringOfChar(Interpreter&, Value* a, Value& r)
{
    std::int64_t n = I(a[1]);
    if (n <= 0) {
        r = Value::string("");
        return;
    }
    if (static_cast<std::uint64_t>(n) > kMaxStringLength)
        throw RuntimeError("Out of memory");
    r = Value::string(std::string(static_cast<std::size_t>(n), static_cast<char>(I(a[0]))));
}

void nCompareStr(Interpreter&, Value* a, Value& r)
{
    std::string_view x = S(a[0]), y = S(a[1]);
    std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        int d = static_cast<unsigned char>(x[i]) - static_cast<unsigned char>(y[i]);
        if (d) {
            r = Value::integer(d);
            return;
        }
    }
    r = Value::integer(static_cast<std::int64_t>(x.size()) - static_cast<std::int64_t>(y.size()));
}

void nCompareText(Interpreter&, Value* a, Value& r)
{
    std::string_view x = S(a[0]), y = S(a[1]);
    std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        int d = static_cast<unsigned char>(upper(x[i])) - static_cast<unsigned char>(upper(y[i]));
        if (d) {
            r = Value::integer(d);
            return;
        }
    }
    r = Value::integer(static_cast<std::int64_t>(x.size()) - static_cast<std::int64_t>(y.size()));
}

void nIntToStr(Interpreter&, Value* a, Value& r)
{
    char buf[24];
    std::int64_t v = I(a[0]);
    char* p = buf + sizeof buf;
    std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0)
        *--p = '-';
    r.adoptStr(rep::makeStr(std::string_view(p, static_cast<std::size_t>(buf + sizeof buf - p))));
}

bool parseInt(std::string_view text, std::int64_t& out)
{
    std::string s(text);
    std::size_t p = 0;
    while (p < s.size() && s[p] == ' ')
        ++p;
    bool neg = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) {
        neg = s[p] == '-';
        ++p;
    }
    int base = 10;
    if (p < s.size() && s[p] == '$') {
        base = 16;
        ++p;
    } else if (p + 1 < s.size() && s[p] == '0' && (s[p + 1] == 'x' || s[p + 1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (p >= s.size())
        return false;
    std::uint64_t v = 0;
    for (; p < s.size(); ++p) {
        int d;
        char c = s[p];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (v > (UINT64_MAX - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base))
            return false;
        v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    }
    if (base == 10 && v > static_cast<std::uint64_t>(INT64_MAX) + (neg ? 1 : 0))
        return false;
    out = neg ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
    return true;
}

[[noreturn]] void notInteger(std::string_view s)
{
    throw RuntimeError("'" + std::string(s) + "' is not a valid integer value");
}

void nStrToInt(Interpreter&, Value* a, Value& r)
{
    std::int64_t v;
    if (!parseInt(S(a[0]), v) || v < INT32_MIN || v > UINT32_MAX)
        notInteger(S(a[0]));
    r = Value::integer(static_cast<std::int32_t>(v));
}

void nStrToIntDef(Interpreter&, Value* a, Value& r)
{
    std::int64_t v;
    if (!parseInt(S(a[0]), v) || v < INT32_MIN || v > UINT32_MAX)
        r = Value::integer(I(a[1]));
    else
        r = Value::integer(static_cast<std::int32_t>(v));
}

void nStrToInt64(Interpreter&, Value* a, Value& r)
{
    std::int64_t v;
    if (!parseInt(S(a[0]), v))
        notInteger(S(a[0]));
    r = Value::integer(v);
}

void nStrToFloat(Interpreter&, Value* a, Value& r)
{
    std::string s(S(a[0]));
    std::size_t p = 0;
    while (p < s.size() && s[p] == ' ')
        ++p;
    char* end = nullptr;
    double v = std::strtod(s.c_str() + p, &end);
    while (end && *end == ' ')
        ++end;
    if (p >= s.size() || !end || *end != '\0' || std::isnan(v))
        throw RuntimeError("'" + s + "' is not a valid floating point value");
    r = Value::real(v);
}

void nFloatToStr(Interpreter&, Value* a, Value& r)
{
    r = Value::string(formatFloat(F(a[0])));
}

double checked(double v)
{
    if (std::isnan(v))
        throw RuntimeError("Invalid floating point operation");
    return v;
}

void nSqrt(Interpreter&, Value* a, Value& r)
{
    r = Value::real(checked(std::sqrt(F(a[0]))));
}
void nSin(Interpreter&, Value* a, Value& r)
{
    r = Value::real(checked(std::sin(F(a[0]))));
}
void nCos(Interpreter&, Value* a, Value& r)
{
    r = Value::real(checked(std::cos(F(a[0]))));
}
void nArcTan(Interpreter&, Value* a, Value& r)
{
    r = Value::real(checked(std::atan(F(a[0]))));
}
void nExp(Interpreter&, Value* a, Value& r)
{
    r = Value::real(std::exp(F(a[0])));
}
void nLn(Interpreter&, Value* a, Value& r)
{
    double x = F(a[0]);
    if (!(x > 0))
        throw RuntimeError("Invalid floating point operation");
    r = Value::real(std::log(x));
}
void nInt(Interpreter&, Value* a, Value& r)
{
    r = Value::real(std::trunc(F(a[0])));
}
void nFrac(Interpreter&, Value* a, Value& r)
{
    double x = F(a[0]);
    r = Value::real(x - std::trunc(x));
}

std::int64_t toInt64(double x)
{
    if (!(x > -9.223372036854775e18 && x < 9.223372036854775e18))
        throw RuntimeError("Invalid floating point operation");
    return static_cast<std::int64_t>(x);
}
void nRound(Interpreter&, Value* a, Value& r)
{
    r = Value::integer(toInt64(std::nearbyint(F(a[0]))));
}
void nTrunc(Interpreter&, Value* a, Value& r)
{
    r = Value::integer(toInt64(std::trunc(F(a[0]))));
}
void nPi(Interpreter&, Value*, Value& r)
{
    r = Value::real(3.14159265358979323846);
}
void nRandomize(Interpreter& vm, Value*, Value&)
{
    vm.random().seed(std::random_device{}());
}

void nVarIsEmpty(Interpreter&, Value* a, Value& r)
{
    r = Value::boolean(a[0].tag() == Tag::Empty);
}
void nVarIsNull(Interpreter&, Value* a, Value& r)
{
    r = Value::boolean(a[0].tag() == Tag::Null);
}
void nNull(Interpreter&, Value*, Value& r)
{
    r = Value::null();
}
void nUnassigned(Interpreter&, Value*, Value& r)
{
    r = Value();
}
void nRaiseException(Interpreter&, Value* a, Value&)
{
    throw RuntimeError(std::string(S(a[0])));
}
void nGetExceptionMessage(Interpreter& vm, Value*, Value& r)
{
    r = Value::string(vm.exceptionMessage());
}

// --- fallbacks for routines hosts commonly declare --------------------------------------------------

void nIntToHex(Interpreter&, Value* a, Value& r)
{
    char buf[32];
    std::int64_t digits = I(a[1]);
    if (digits < 0)
        digits = 0;
    if (digits > 16)
        digits = 16;
    std::uint64_t v = static_cast<std::uint64_t>(I(a[0]));
    if (I(a[0]) >= INT32_MIN && I(a[0]) < 0)
        v &= 0xFFFFFFFFu;
    std::snprintf(buf, sizeof buf, "%0*llX", static_cast<int>(digits), static_cast<unsigned long long>(v));
    r = Value::string(buf);
}
void nRandomRange(Interpreter& vm, Value* a, Value& r)
{
    std::int64_t n = I(a[0]);
    r = Value::integer(n <= 0 ? 0 : std::uniform_int_distribution<std::int64_t>(0, n - 1)(vm.random()));
}
void nOdd(Interpreter&, Value* a, Value& r)
{
    r = Value::boolean((I(a[0]) & 1) != 0);
}
void nSameText(Interpreter& vm, Value* a, Value& r)
{
    Value c;
    nCompareText(vm, a, c);
    r = Value::boolean(c.rawInt() == 0);
}
void nBoolToStr(Interpreter&, Value* a, Value& r)
{
    r = Value::string(I(a[0]) ? "True" : "False");
}
void nStrToBool(Interpreter&, Value* a, Value& r)
{
    std::string s(S(a[0]));
    for (char& c : s)
        c = upper(c);
    if (s == "TRUE" || s == "YES" || s == "1")
        r = Value::boolean(true);
    else if (s == "FALSE" || s == "NO" || s == "0")
        r = Value::boolean(false);
    else {
        std::int64_t v;
        if (!parseInt(s, v))
            throw RuntimeError("'" + std::string(S(a[0])) + "' is not a valid boolean value");
        r = Value::boolean(v != 0);
    }
}

// The decimal digits of x as Delphi's text conversions see them: 18 significant digits, the first
// standing for 10^exp10.
struct Decimal {
    std::string digits; // 18 digits, no sign
    int exp10 = 0;
    bool negative = false;
};

Decimal decimalOf(double x)
{
    Decimal d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", x);
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits += *p;
    if (*p == 'e')
        d.exp10 = std::atoi(p + 1);
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero as Delphi's Format does (2.5 gives 3).
// A carry into a new leading digit raises exp10.
void roundDigits(Decimal& d, int keep)
{
    if (keep < 0) {
        d.digits.assign(1, '0');
        return;
    }
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    for (; i >= 0; --i) {
        if (d.digits[static_cast<std::size_t>(i)] != '9') {
            ++d.digits[static_cast<std::size_t>(i)];
            break;
        }
        d.digits[static_cast<std::size_t>(i)] = '0';
    }
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exp10;
    }
}

// %f, %n, %m: fixed notation with `decimals` digits after the point.
std::string fixedText(double x, int decimals)
{
    Decimal d = decimalOf(x);
    if (x == 0)
        d.exp10 = 0;
    roundDigits(d, d.exp10 + 1 + decimals);
    auto digit = [&](int power) { // the digit standing for 10^power
        const int k = d.exp10 - power;
        return k >= 0 && k < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(k)] : '0';
    };
    std::string out;
    for (int power = std::max(d.exp10, 0); power >= 0; --power)
        out += digit(power);
    if (decimals > 0) {
        out += '.';
        for (int power = -1; power >= -decimals; --power)
            out += digit(power);
    }
    const bool zero = out.find_first_not_of("0.") == std::string::npos;
    return (d.negative && !zero ? "-" : "") + out;
}

// %e: `digits` significant digits, an exponent of at least three digits ("1.23450000000000E+003").
std::string scientificText(double x, int digits)
{
    Decimal d = decimalOf(x);
    roundDigits(d, digits);
    if (x == 0)
        d.exp10 = 0;
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += '.';
        out.append(d.digits, 1, std::string::npos);
    }
    char ex[16];
    std::snprintf(ex, sizeof ex, "E%c%03d", d.exp10 < 0 ? '-' : '+', std::abs(d.exp10));
    return out + ex;
}

// Integers print as the 32-bit values they are when they fit one (%u and %x of -1 give 4294967295 and
// FFFFFFFF), as 64-bit ones otherwise.
std::uint64_t unsignedOf(std::int64_t v)
{
    if (v < 0 && v >= INT32_MIN)
        return static_cast<std::uint32_t>(v);
    return static_cast<std::uint64_t>(v);
}

void nFormat(Interpreter&, Value* a, Value& r)
{
    std::string_view f = S(a[0]);
    const Value& arr = a[1].tag() == Tag::Ref ? *a[1].rawRef() : a[1];
    std::size_t argc = arr.length();
    std::size_t next = 0;
    std::string out;
    auto invalid = [&]() {
        return RuntimeError("Format '" + std::string(f) + "' invalid or incompatible with argument");
    };
    for (std::size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        // a number, or * for the next argument
        auto number = [&](std::size_t& k) {
            long v = -1;
            if (k < f.size() && f[k] == '*') {
                ++k;
                if (next >= argc || arr.element(next).tag() != Tag::Int)
                    throw invalid();
                const std::int64_t n = arr.element(next++).rawInt();
                return n < 0 ? -1L : static_cast<long>(std::min<std::int64_t>(n, 100000));
            }
            while (k < f.size() && f[k] >= '0' && f[k] <= '9' && v < 100000)
                v = (v < 0 ? 0 : v * 10) + (f[k++] - '0');
            return v;
        };
        std::size_t save = j;
        long idx = -1;
        if (j < f.size() && f[j] != '*')
            idx = number(j);
        if (idx >= 0 && j < f.size() && f[j] == ':') {
            next = static_cast<std::size_t>(idx);
            ++j;
        } else {
            j = save;
        }
        bool left = false;
        if (j < f.size() && f[j] == '-') {
            left = true;
            ++j;
        }
        long width = number(j);
        long prec = -1;
        if (j < f.size() && f[j] == '.') {
            ++j;
            prec = number(j);
            if (prec < 0)
                prec = 0;
        }
        if (j >= f.size())
            throw invalid();
        char type = lower(f[j]);
        i = j;
        if (next >= argc)
            throw invalid();
        const Value& v = arr.element(next++);
        std::string piece;
        char buf[64];
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            if (v.tag() != Tag::Int)
                throw invalid();
            const int digits = prec > 0 ? static_cast<int>(std::min(prec, 40L)) : 1;
            if (type == 'd')
                std::snprintf(buf, sizeof buf, "%.*lld", digits, static_cast<long long>(v.rawInt()));
            else
                std::snprintf(buf, sizeof buf, type == 'u' ? "%.*llu" : "%.*llX", digits,
                              static_cast<unsigned long long>(unsignedOf(v.rawInt())));
            piece = buf;
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            if (v.tag() != Tag::Float && v.tag() != Tag::Int)
                throw invalid();
            double x = v.asFloat();
            if (x != x || x - x != 0) { // NaN and the infinities print as FloatToStr gives them
                piece = formatFloat(x);
                break;
            }
            if (type == 'g') {
                piece = formatFloat(x, prec < 0 ? 15 : static_cast<int>(prec));
            } else if (type == 'e') {
                piece = scientificText(x, static_cast<int>(prec < 0 ? 15 : std::clamp(prec, 1L, 18L)));
            } else {
                piece = fixedText(x, static_cast<int>(prec < 0 ? 2 : std::min(prec, 60L)));
            }
            if (type == 'n' || type == 'm') {
                auto dot = piece.find('.');
                std::string ip = piece.substr(0, dot == std::string::npos ? piece.size() : dot);
                std::string rest = dot == std::string::npos ? std::string() : piece.substr(dot);
                std::string grouped;
                std::size_t start = (!ip.empty() && ip[0] == '-') ? 1 : 0;
                for (std::size_t k = start; k < ip.size(); ++k) {
                    if (k > start && (ip.size() - k) % 3 == 0)
                        grouped += ',';
                    grouped += ip[k];
                }
                piece = (start ? "-" : "") + grouped + rest;
            }
            break;
        }
        case 's':
            piece = v.asString();
            if (prec >= 0 && piece.size() > static_cast<std::size_t>(prec))
                piece.resize(static_cast<std::size_t>(prec));
            break;
        default:
            throw invalid();
        }
        if (width > 0 && piece.size() < static_cast<std::size_t>(width)) {
            std::string pad(static_cast<std::size_t>(width) - piece.size(), ' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
        if (out.size() > kMaxStringLength)
            throw RuntimeError("Out of memory");
    }
    r = Value::string(out);
}

} // namespace

const std::vector<NativeDef>& nativeTable()
{
    static const std::vector<NativeDef> table = {
        {"function Pos(const SubStr, S: String): Integer", "POS", nPos, true},
        {"function Copy(const S: String; Index, Count: Integer): String", "COPY", nCopy, true},
        {"procedure Delete(var S: String; Index, Count: Integer)", "DELETE", nDelete, true},
        {"procedure Insert(const Source: String; var S: String; Index: Integer)", "INSERT", nInsert, true},
        {"function UpperCase(const S: String): String", "UPPERCASE", nUpper, true},
        {"function LowerCase(const S: String): String", "LOWERCASE", nLower, true},
        {"function AnsiUpperCase(const S: String): String", "ANSIUPPERCASE", nAnsiUpper, true},
        {"function AnsiLowerCase(const S: String): String", "ANSILOWERCASE", nAnsiLower, true},
        {"function Trim(const S: String): String", "TRIM", nTrim, true},
        {"function TrimLeft(const S: String): String", "TRIMLEFT", nTrimLeft, true},
        {"function TrimRight(const S: String): String", "TRIMRIGHT", nTrimRight, true},
        {"function StringOfChar(Ch: Char; Count: Integer): String", "STRINGOFCHAR", nStringOfChar, true},
        {"function CompareStr(const S1, S2: String): Integer", "COMPARESTR", nCompareStr, true},
        {"function CompareText(const S1, S2: String): Integer", "COMPARETEXT", nCompareText, true},
        {"function IntToStr(Value: Int64): String", "INTTOSTR", nIntToStr, true},
        {"function StrToInt(const S: String): Integer", "STRTOINT", nStrToInt, true},
        {"function StrToIntDef(const S: String; Default: Integer): Integer", "STRTOINTDEF", nStrToIntDef,
         true},
        {"function StrToInt64(const S: String): Int64", "STRTOINT64", nStrToInt64, true},
        {"function StrToFloat(const S: String): Extended", "STRTOFLOAT", nStrToFloat, true},
        {"function FloatToStr(Value: Extended): String", "FLOATTOSTR", nFloatToStr, true},
        {"function Sqrt(X: Extended): Extended", "SQRT", nSqrt, true},
        {"function Sin(X: Extended): Extended", "SIN", nSin, true},
        {"function Cos(X: Extended): Extended", "COS", nCos, true},
        {"function ArcTan(X: Extended): Extended", "ARCTAN", nArcTan, true},
        {"function Exp(X: Extended): Extended", "EXP", nExp, true},
        {"function Ln(X: Extended): Extended", "LN", nLn, true},
        {"function Int(X: Extended): Extended", "INT", nInt, true},
        {"function Frac(X: Extended): Extended", "FRAC", nFrac, true},
        {"function Round(X: Extended): Int64", "ROUND", nRound, true},
        {"function Trunc(X: Extended): Int64", "TRUNC", nTrunc, true},
        {"function Pi: Extended", "PI", nPi, true},
        {"procedure Randomize", "RANDOMIZE", nRandomize, true},
        {"function VarIsEmpty(const V: Variant): Boolean", "VARISEMPTY", nVarIsEmpty, true},
        {"function VarIsNull(const V: Variant): Boolean", "VARISNULL", nVarIsNull, true},
        {"function Null: Variant", "NULL", nNull, true},
        {"function Unassigned: Variant", "UNASSIGNED", nUnassigned, true},
        {"procedure RaiseException(const Msg: String)", "RAISEEXCEPTION", nRaiseException, true},
        {"function GetExceptionMessage: String", "GETEXCEPTIONMESSAGE", nGetExceptionMessage, true},
        {"function IntToHex(Value: Int64; Digits: Integer): String", "INTTOHEX", nIntToHex, false},
        {"function Odd(X: Int64): Boolean", "ODD", nOdd, false},
        {"function Random(Range: Integer): Integer", "RANDOM", nRandomRange, false},
        {"function SameText(const S1, S2: String): Boolean", "SAMETEXT", nSameText, false},
        {"function BoolToStr(B: Boolean): String", "BOOLTOSTR", nBoolToStr, false},
        {"function StrToBool(const S: String): Boolean", "STRTOBOOL", nStrToBool, false},
        {"function Format(const Fmt: String; const Args: array of const): String", "FORMAT", nFormat, false},
    };
    return table;
}

int findNative(std::string_view upperName)
{
    const auto& t = nativeTable();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (upperName == t[i].name)
            return static_cast<int>(i);
    return -1;
}

} // namespace pascal
