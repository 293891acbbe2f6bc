// Message texts by key: the current language file's section Custom_Messages, with the built-in
// English text as the default.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// The text of a message key in the current language, path macros expanded (%n is a line break).
std::string GetLangString(std::string_view key);

// The built-in English text of a key (empty for an unknown key).
std::string_view englishText(std::string_view key);

// The language file that GetLangString reads (empty path: English only).
void setCurrentLanguageFile(const std::filesystem::path& file);
std::filesystem::path currentLanguageFile();

} // namespace platform
