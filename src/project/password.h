// The password check value stored in a protected project file instead of the password itself.
#pragma once

#include <cstdint>
#include <string_view>

namespace project {

// Sum of the text's bytes, those at odd positions (1st, 3rd …) times 3 and the others times 7,
// wrapping at 32 bits. Empty text gives 0; "abc" gives 1274.
int32_t PasswordChecksum(std::string_view text);

// The check made when a protected file is opened: true when the entered text may open it. The
// entered text is UTF-8; a file made on Windows summed the password's Windows-1252 bytes, so those
// are accepted as well when the text has such a form.
bool passwordAccepted(bool isProtected, int32_t checkValue, std::string_view entered);

} // namespace project
