// Text encoding rules shared by every reader and writer of stored files.
//
// Inside the standard-C++ layers text is UTF-8 in std::string. Files written here carry UTF-8 (the
// system code page on Linux). Files made on Windows carry Windows-1252 text, so a reader takes bytes
// that are valid UTF-8 as UTF-8 and anything else as Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace platform {

bool isValidUtf8(std::string_view bytes);
bool isPlainAscii(std::string_view bytes);

// Windows-1252 bytes to UTF-8 (the five unassigned bytes map to the C1 controls of the same value).
std::string windows1252ToUtf8(std::string_view bytes);

// Bytes of an "ANSI" text from a stored file: valid UTF-8 stays, anything else is Windows-1252.
std::string ansiToUtf8(std::string_view bytes);

// UTF-16 (the component stream's wide strings) to and from UTF-8. Unpaired surrogates and invalid
// UTF-8 sequences become U+FFFD, so no input can make these fail.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

// Case-insensitive comparison and folding for ASCII letters, as names of keys, classes and
// properties compare in the system.
bool equalsNoCase(std::string_view a, std::string_view b);
std::string toUpperAscii(std::string_view s);
std::string toLowerAscii(std::string_view s);

} // namespace platform
