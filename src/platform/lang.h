// Message texts by key: the current language file's section Custom_Messages, with the built-in
// English text as the default. Every text the system shows is looked up here at the moment it is
// shown, so it follows the language chosen last.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// The text of a message key in the current language, path macros expanded (%n is a line break).
// A key present with an empty value gives an empty text; a missing key or file gives the English
// text. At most 1023 characters are taken from the language file.
std::string GetLangString(std::string_view key);
// The same with an explicit English default, for keys outside the built-in table.
std::string GetLangString(std::string_view key, std::string_view english);
// The same lookup without macro expansion (the splash window's texts).
std::string langStringRaw(std::string_view key, std::string_view english);

// A value of a language file as every lookup takes it: at most 1023 characters, never cutting a
// character in two.
std::string clipLookup(std::string value);

// The built-in English text of a key (empty for an unknown key). Keys compare without regard to case.
std::string_view englishText(std::string_view key);

struct MessageText {
    std::string_view key;
    std::string_view english; // line breaks are real CR LF
};
// Every message key of the system with its English text, in alphabetical order.
std::span<const MessageText> englishMessages();

// The language file that GetLangString reads (empty path: English only).
void setCurrentLanguageFile(const std::filesystem::path& file);
std::filesystem::path currentLanguageFile();

// Fills %s, %d and %u of a message with `args` in order ("%%" is a percent sign). A placeholder
// without an argument is left as it is.
std::string formatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace platform
