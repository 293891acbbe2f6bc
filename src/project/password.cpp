// Password check value; see password.h.
#include "project/password.h"

#include "platform/text_encoding.h"

#include <optional>
#include <string>

namespace project {

int32_t PasswordChecksum(std::string_view text)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < text.size(); ++i)
        sum += static_cast<unsigned char>(text[i]) * (i % 2 == 0 ? 3u : 7u);
    return static_cast<int32_t>(sum);
}

namespace {

// The Windows-1252 bytes of a UTF-8 text, or nothing when a character has no such byte.
std::optional<std::string> toWindows1252(std::string_view utf8)
{
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    if (!platform::isValidUtf8(utf8) || platform::isPlainAscii(utf8))
        return std::nullopt;
    std::string out;
    for (const char16_t c : platform::utf8ToUtf16(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i)
            if (high[i] == c)
                found = i;
        if (found < 0)
            return std::nullopt;
        out += static_cast<char>(0x80 + found);
    }
    return out;
}

} // namespace

bool passwordAccepted(bool isProtected, int32_t checkValue, std::string_view entered)
{
    // Only the combination of the flag and a non-zero value guards the file; a value without the
    // flag asks for a password and takes whatever is entered.
    if (checkValue == 0 || !isProtected || PasswordChecksum(entered) == checkValue)
        return true;
    const auto ansi = toWindows1252(entered);
    return ansi && PasswordChecksum(*ansi) == checkValue;
}

} // namespace project
