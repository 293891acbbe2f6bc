// One typed value of the component stream, held in memory.
//
// Values are what the form streams carry for a property and what the component tree keeps for
// properties that no class metadata knows, so that a form made by another writer survives a round
// trip. Text is UTF-8 whatever tag it came with; the tag is kept so that it is written back the same
// way. Binary payloads are kept as bytes in `text`.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

// The one-byte tags of the typed-value encoding.
enum class ValueTag : std::uint8_t {
    Null = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
};

constexpr std::uint8_t kLastValueTag = 20;

// "Int8", "LString" ... for messages; "?" for a byte that is no tag.
const char* valueTagName(ValueTag tag);

struct CollectionItem;

struct Value {
    ValueTag tag = ValueTag::Null;
    std::int64_t integer = 0;               // Int8, Int16, Int32, Int64; Currency as value x 10000
    double real = 0;                        // Extended, Single, Date
    std::string text;                       // strings (UTF-8), Ident, Binary bytes
    std::vector<std::string> elements;      // Set
    std::vector<Value> items;               // List
    std::vector<CollectionItem> collection; // Collection

    static Value null();
    static Value nil();
    static Value boolean(bool b);
    // Tag chosen as the stream writer would: the smallest of Int8, Int16, Int32, else Int64.
    static Value integerValue(std::int64_t v);
    // String (UTF-8); the stream writer decides String, LString or WString when it writes it.
    static Value string(std::string_view utf8);
    static Value ident(std::string_view name);
    static Value extended(double v);
    static Value single(float v);
    static Value currency(std::int64_t scaled);
    static Value date(double days);
    static Value binary(std::string_view bytes);
    static Value set(std::vector<std::string> names);
    static Value list(std::vector<Value> values);

    bool isInteger() const;
    bool isString() const;
    bool isBoolean() const { return tag == ValueTag::False || tag == ValueTag::True; }
    bool isFloat() const;

    bool operator==(const Value& other) const;
};

// A property inside a collection item (or any name/value pair of a record): a possibly dotted name
// and its value.
struct NamedValue {
    std::string name;
    Value value;
    bool operator==(const NamedValue&) const = default;
};

// One item of a Collection value: its optional order number, then its properties.
struct CollectionItem {
    std::optional<std::int64_t> order;
    std::vector<NamedValue> properties;
    bool operator==(const CollectionItem&) const = default;
};

inline Value Value::null()
{
    return Value{};
}

} // namespace vcl
