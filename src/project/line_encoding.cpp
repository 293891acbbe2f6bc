// Script line encoding; see line_encoding.h.
#include "project/line_encoding.h"

#include <cstdint>

namespace project {
namespace {

char sixBits(uint32_t v)
{
    v &= 0x3F;
    return v == 0 ? '`' : static_cast<char>(0x20 + v);
}

uint32_t valueOf(char c)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(c) - 0x20) & 0x3F;
}

} // namespace

std::string encodeLine(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t g = uint32_t(static_cast<unsigned char>(bytes[i])) << 16 |
                           uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                           uint32_t(static_cast<unsigned char>(bytes[i + 2]));
        out += sixBits(g >> 18);
        out += sixBits(g >> 12);
        out += sixBits(g >> 6);
        out += sixBits(g);
    }
    const size_t rest = bytes.size() - i;
    if (rest == 1) {
        const uint32_t g = uint32_t(static_cast<unsigned char>(bytes[i])) << 16;
        out += sixBits(g >> 18);
        out += sixBits(g >> 12);
        out += "~~";
    } else if (rest == 2) {
        const uint32_t g = uint32_t(static_cast<unsigned char>(bytes[i])) << 16 |
                           uint32_t(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += sixBits(g >> 18);
        out += sixBits(g >> 12);
        out += sixBits(g >> 6);
        out += '~';
    }
    return out;
}

std::string decodeLine(std::string_view encoded)
{
    std::string out;
    out.reserve(encoded.size() / 4 * 3 + 3);
    for (size_t i = 0; i < encoded.size(); i += 4) {
        char group[4] = {'~', '~', '~', '~'};
        for (size_t k = 0; k < 4 && i + k < encoded.size(); ++k)
            group[k] = encoded[i + k];
        // The count of characters before the first tilde decides how many bytes the group holds.
        int used = 0;
        while (used < 4 && group[used] != '~')
            ++used;
        uint32_t g = 0;
        for (int k = 0; k < used; ++k)
            g |= valueOf(group[k]) << (18 - 6 * k);
        if (used >= 2)
            out += static_cast<char>(g >> 16);
        if (used >= 3)
            out += static_cast<char>(g >> 8);
        if (used >= 4)
            out += static_cast<char>(g);
    }
    return out;
}

} // namespace project
