// Password check value; see password.h.
#include "project/password.h"

namespace project {

int32_t PasswordChecksum(std::string_view text)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < text.size(); ++i)
        sum += static_cast<unsigned char>(text[i]) * (i % 2 == 0 ? 3u : 7u);
    return static_cast<int32_t>(sum);
}

bool passwordAccepted(bool isProtected, int32_t checkValue, std::string_view entered)
{
    // Only the combination of the flag and a non-zero value guards the file; a value without the
    // flag asks for a password and takes whatever is entered.
    return checkValue == 0 || !isProtected || PasswordChecksum(entered) == checkValue;
}

} // namespace project
