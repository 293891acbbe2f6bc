// Helpers of the interpreter's loop: checked access to the blocks behind values. Each check costs one
// compare and keeps a damaged value from being read as something it is not.
#pragma once

#include "pascal/runtime_error.h"
#include "pascal/value.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace pascal::vm {

inline constexpr std::size_t kStackSlots = std::size_t(1) << 18;
inline constexpr std::size_t kMaxFrames = 20000;

[[noreturn]] inline void fail(const char* message)
{
    throw RuntimeError(message);
}

inline std::string_view sv(const Value& v)
{
    if (v.tag() == Tag::Str) {
        StrRep* s = v.rawStr();
        return s ? s->view() : std::string_view();
    }
    if (v.tag() == Tag::Empty)
        return {};
    fail("Invalid string value");
}

inline Value* deref(const Value& v)
{
    if (v.tag() != Tag::Ref || !v.rawRef())
        fail("Invalid reference");
    return v.rawRef();
}

inline std::int64_t wrap(std::int64_t v, int kind)
{
    switch (kind) {
    case 0:
        return static_cast<std::int8_t>(v);
    case 1:
        return static_cast<std::uint8_t>(v);
    case 2:
        return static_cast<std::int16_t>(v);
    case 3:
        return static_cast<std::uint16_t>(v);
    case 4:
        return static_cast<std::int32_t>(v);
    case 5:
        return static_cast<std::uint32_t>(v);
    default:
        return v;
    }
}

inline std::int64_t i32(std::uint64_t v)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}
inline std::int64_t u32(std::uint64_t v)
{
    return static_cast<std::uint32_t>(v);
}

inline SetRep* setOf(const Value& v)
{
    if (v.tag() != Tag::Set && v.tag() != Tag::Empty)
        fail("Invalid set value");
    return v.tag() == Tag::Set ? v.rawSet() : nullptr;
}

inline void bitsOf(const Value& v, std::uint64_t out[4])
{
    SetRep* s = setOf(v);
    if (s)
        std::memcpy(out, s->bits, 32);
    else
        std::memset(out, 0, 32);
}

inline void setBits(Value& dst, const std::uint64_t bits[4])
{
    SetRep* s = rep::newSet();
    std::memcpy(s->bits, bits, 32);
    dst.adoptSet(s);
}

inline ArrRep* arrayOf(const Value& v)
{
    if (v.tag() != Tag::Array)
        fail("Invalid array value");
    return v.rawArr();
}

inline RecRep* recordOf(const Value& v)
{
    if (v.tag() != Tag::Record || !v.rawRec())
        fail("Invalid record value");
    return v.rawRec();
}

inline Value& element(ArrRep* a, std::int64_t index)
{
    if (!a || index < 0 || index >= static_cast<std::int64_t>(a->len))
        fail("Index out of range");
    return a->elems()[index];
}

inline Value& field(RecRep* r, std::int64_t index)
{
    if (index < 0 || index >= static_cast<std::int64_t>(r->n))
        fail("Invalid record field");
    return r->fields()[index];
}

inline void checkFloat(double f)
{
    if (std::isnan(f))
        fail("Invalid floating point operation");
}

inline void setString(Value& dst, StrRep* s)
{
    dst.adoptStr(s);
}

[[noreturn]] inline void typeMismatchIn(const std::string& what)
{
    throw RuntimeError("Type mismatch in " + what);
}

} // namespace pascal::vm
