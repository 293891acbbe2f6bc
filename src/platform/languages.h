// The language files of the install directory (language/*.lng), what their General section says
// about them, applying one as the current language, and the check that warns when a language file
// was written for an older program version. The translation of windows lives with the windows.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Every *.lng file of `languageDir`, full paths, ordered by file name.
std::vector<std::filesystem::path> languageFiles(const std::filesystem::path& languageDir);

// <installDir>/language/<Language setting>.lng: the file the studio starts with.
std::filesystem::path startupLanguageFile(const std::filesystem::path& installDir);

struct LanguageInfo {
    std::string name;     // General/Name; empty when absent
    std::string version;  // General/Version; the program version when absent
    std::string helpFile; // General/HelpFile, path macros not yet expanded
    std::string author;   // General/Author
    std::string email;    // General/E-mail
    std::string whatsNew; // General/WhatsNew
    // The name shown for the current language: Name, or "English" when absent.
    std::string displayName() const { return name.empty() ? "English" : name; }
};

inline constexpr std::string_view kDefaultHelpFile = "%SRCDIR%/documentation/lmbhelp.hlp";

LanguageInfo readLanguageInfo(const std::filesystem::path& file);

// The flag picture beside a language file (<dir>/<stem>.bmp), or an empty path when there is none.
std::filesystem::path languageFlag(const std::filesystem::path& file);

// What applying a language decides outside the windows: the current language file for
// GetLangString, and, when the file exists, the name and help file, and the Language setting.
struct AppliedLanguage {
    bool found = false;
    std::string name = "English";
    std::string helpFile; // expanded
};
AppliedLanguage applyLanguage(const std::filesystem::path& file);

// Whether the language warning is due for `file`: the file exists, the LangWarn setting is on,
// and its Version is older than the program's. Never throws.
bool languageWarningDue(const std::filesystem::path& file);
// The text area of the language warning: Name, SLANGISOLD, STRYTOUPDATELANG,
// IFNOTTHENREQUESTUPDATE, with empty lines between (CR LF line ends).
std::string languageWarningText(const std::filesystem::path& file);

// Texts of window sections that the program knows without a window to read them from.
struct WindowText {
    std::string_view section;
    std::string_view key;
    std::string_view english;
};
std::span<const WindowText> builtInWindowTexts();

// The complete English language file (General, Custom_Messages, the window texts above).
std::string englishLanguageFile();

} // namespace platform
