// The encoding of script lines inside a project file: every 3 bytes become 4 characters of 6 bits
// each, most significant first; 0 is written as '`', 1..63 as 0x20 + value, and a short final group
// is filled up with '~'.
#pragma once

#include <string>
#include <string_view>

namespace project {

std::string encodeLine(std::string_view bytes);

// Accepts any text: missing tildes are assumed at the end, a group stops at its first tilde, and
// characters outside the alphabet contribute their low 6 bits as the stored readers always did.
std::string decodeLine(std::string_view encoded);

} // namespace project
