// Helpers for the component model tests: readable values and byte differences in failure messages.
#pragma once

#include "vcl/value.h"

#include <ostream>
#include <string>

namespace vcl {

inline void PrintTo(const Value& v, std::ostream* os)
{
    *os << valueTagName(v.tag);
    switch (v.tag) {
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
    case ValueTag::Int64:
    case ValueTag::Currency:
        *os << " " << v.integer;
        break;
    case ValueTag::Extended:
    case ValueTag::Single:
    case ValueTag::Date:
        *os << " " << v.real;
        break;
    case ValueTag::Set:
        *os << " [";
        for (const auto& e : v.elements)
            *os << e << " ";
        *os << "]";
        break;
    case ValueTag::List:
        *os << " (" << v.items.size() << " items)";
        break;
    default:
        if (!v.text.empty())
            *os << " '" << v.text.substr(0, 60) << "'";
        break;
    }
}

} // namespace vcl

namespace vcltest {

// Empty when equal, else the first differing offset with a few bytes of context on both sides.
inline std::string firstDifference(const std::string& a, const std::string& b)
{
    if (a == b)
        return {};
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const std::size_t from = i > 24 ? i - 24 : 0;
    auto show = [&](const std::string& s) {
        std::string out;
        for (std::size_t k = from; k < std::min(s.size(), i + 24); ++k) {
            const unsigned char c = static_cast<unsigned char>(s[k]);
            if (c >= 32 && c < 127)
                out.push_back(static_cast<char>(c));
            else
                out += "\\x" + std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15];
        }
        return out;
    };
    return "offset " + std::to_string(i) + " of " + std::to_string(a.size()) + "/" +
           std::to_string(b.size()) + ":\n  " + show(a) + "\n  " + show(b);
}

} // namespace vcltest
