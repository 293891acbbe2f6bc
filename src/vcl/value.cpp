// Construction and comparison of typed values.
#include "vcl/value.h"

#include <cstring>

namespace vcl {

const char* valueTagName(ValueTag tag)
{
    static const char* const names[] = {"Null",    "List",  "Int8",       "Int16",  "Int32",    "Extended",
                                        "String",  "Ident", "False",      "True",   "Binary",   "Set",
                                        "LString", "Nil",   "Collection", "Single", "Currency", "Date",
                                        "WString", "Int64", "UTF8String"};
    const auto i = static_cast<std::uint8_t>(tag);
    return i <= kLastValueTag ? names[i] : "?";
}

Value Value::nil()
{
    Value v;
    v.tag = ValueTag::Nil;
    return v;
}

Value Value::boolean(bool b)
{
    Value v;
    v.tag = b ? ValueTag::True : ValueTag::False;
    return v;
}

Value Value::integerValue(std::int64_t i)
{
    Value v;
    v.integer = i;
    if (i >= -128 && i <= 127)
        v.tag = ValueTag::Int8;
    else if (i >= -32768 && i <= 32767)
        v.tag = ValueTag::Int16;
    else if (i >= INT32_MIN && i <= INT32_MAX)
        v.tag = ValueTag::Int32;
    else
        v.tag = ValueTag::Int64;
    return v;
}

Value Value::string(std::string_view utf8)
{
    Value v;
    v.tag = ValueTag::String;
    v.text = utf8;
    return v;
}

Value Value::ident(std::string_view name)
{
    Value v;
    v.tag = ValueTag::Ident;
    v.text = name;
    return v;
}

Value Value::extended(double d)
{
    Value v;
    v.tag = ValueTag::Extended;
    v.real = d;
    return v;
}

Value Value::single(float f)
{
    Value v;
    v.tag = ValueTag::Single;
    v.real = f;
    return v;
}

Value Value::currency(std::int64_t scaled)
{
    Value v;
    v.tag = ValueTag::Currency;
    v.integer = scaled;
    return v;
}

Value Value::date(double days)
{
    Value v;
    v.tag = ValueTag::Date;
    v.real = days;
    return v;
}

Value Value::binary(std::string_view bytes)
{
    Value v;
    v.tag = ValueTag::Binary;
    v.text = bytes;
    return v;
}

Value Value::set(std::vector<std::string> names)
{
    Value v;
    v.tag = ValueTag::Set;
    v.elements = std::move(names);
    return v;
}

Value Value::list(std::vector<Value> values)
{
    Value v;
    v.tag = ValueTag::List;
    v.items = std::move(values);
    return v;
}

bool Value::isInteger() const
{
    return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32 ||
           tag == ValueTag::Int64;
}

bool Value::isString() const
{
    return tag == ValueTag::String || tag == ValueTag::LString || tag == ValueTag::WString ||
           tag == ValueTag::Utf8String;
}

bool Value::isFloat() const
{
    return tag == ValueTag::Extended || tag == ValueTag::Single || tag == ValueTag::Date;
}

bool Value::operator==(const Value& o) const
{
    if (tag != o.tag)
        return false;
    switch (tag) {
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
    case ValueTag::Int64:
    case ValueTag::Currency:
        return integer == o.integer;
    case ValueTag::Extended:
    case ValueTag::Single:
    case ValueTag::Date:
        // Bit equality, so that NaN payloads and signed zeros compare as the stream holds them.
        return std::memcmp(&real, &o.real, sizeof real) == 0;
    case ValueTag::String:
    case ValueTag::LString:
    case ValueTag::WString:
    case ValueTag::Utf8String:
    case ValueTag::Ident:
    case ValueTag::Binary:
        return text == o.text;
    case ValueTag::Set:
        return elements == o.elements;
    case ValueTag::List:
        return items == o.items;
    case ValueTag::Collection:
        return collection == o.collection;
    default:
        return true;
    }
}

} // namespace vcl
