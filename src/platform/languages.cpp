// Language files and the language version check; see languages.h.
#include "platform/languages.h"

#include "platform/ini_file.h"
#include "platform/lang.h"
#include "platform/path_macros.h"
#include "platform/settings.h"
#include "platform/text_encoding.h"
#include "platform/version.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace platform {

std::vector<fs::path> languageFiles(const fs::path& languageDir)
{
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(languageDir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fec;
        if (equalsNoCase(it->path().extension().string(), ".lng") && it->is_regular_file(fec))
            out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

fs::path startupLanguageFile(const fs::path& installDir)
{
    const fs::path dir = installDir / "language";
    const std::string name = settings::general::Language.read() + ".lng";
    const fs::path exact = dir / name;
    std::error_code ec;
    if (fs::exists(exact, ec))
        return exact;
    // Names compare without regard to case, as on the system the language files come from:
    // "Deutsch" finds Deutsch.LNG.
    for (const fs::path& file : languageFiles(dir)) {
        if (equalsNoCase(file.filename().string(), name))
            return file;
    }
    return exact;
}

LanguageInfo readLanguageInfo(const fs::path& file)
{
    IniFile ini;
    ini.load(file);
    const auto read = [&ini](const char* key, std::string_view def) {
        return clipLookup(ini.readString("General", key, def));
    };
    LanguageInfo info;
    info.name = read("Name", "");
    info.version = read("Version", programVersion());
    info.helpFile = read("HelpFile", kDefaultHelpFile);
    info.author = read("Author", "");
    info.email = read("E-mail", "");
    info.whatsNew = read("WhatsNew", "");
    return info;
}

fs::path languageFlag(const fs::path& file)
{
    fs::path flag = file;
    flag.replace_extension(".bmp");
    std::error_code ec;
    return fs::is_regular_file(flag, ec) ? flag : fs::path();
}

AppliedLanguage applyLanguage(const fs::path& file)
{
    AppliedLanguage out;
    setCurrentLanguageFile(file);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        out.helpFile = ExpandPathMacros(kDefaultHelpFile);
        return out;
    }
    const LanguageInfo info = readLanguageInfo(file);
    out.found = true;
    out.name = info.displayName();
    out.helpFile = ExpandPathMacros(info.helpFile);
    settings::general::Language.write(file.stem().string());
    return out;
}

bool languageWarningDue(const fs::path& file)
{
    try {
        std::error_code ec;
        if (!fs::is_regular_file(file, ec))
            return false;
        const LanguageInfo info = readLanguageInfo(file);
        return settings::general::LangWarn.read() && compareVersions(info.version, programVersion()) < 0;
    } catch (...) {
        return false;
    }
}

std::string languageWarningText(const fs::path& file)
{
    const LanguageInfo info = readLanguageInfo(file);
    const std::string old = formatMessage(GetLangString("SLANGISOLD"),
                                          {file.string(), info.version, programVersion()});
    return info.name + "\r\n\r\n" + old + "\r\n\r\n" + GetLangString("STRYTOUPDATELANG") + "\r\n\r\n" +
           GetLangString("IFNOTTHENREQUESTUPDATE");
}

std::span<const WindowText> builtInWindowTexts()
{
    static constexpr WindowText texts[] = {
        {"MakeTemplate", "Caption", "Make Template"},
        {"MakeTemplate", "label1", "Template Name :"},
        {"MakeTemplate", "label2", "Template Description :"},
        {"MakeTemplate", "dxbutton1", "Make"},
        {"MakeTemplate", "dxbutton2", "Cancel"},
    };
    return texts;
}

std::string englishLanguageFile()
{
    IniFile ini = IniFile::fromBytes("; Lumeni Zarerud language file: the built-in English texts.\r\n");
    ini.writeString("General", "Name", "English");
    ini.writeString("General", "Version", programVersion());
    ini.writeString("General", "Author", "Orvane");
    ini.writeString("General", "E-mail", "");
    for (const MessageText& m : englishMessages()) {
        // Values are single lines: a line break is written as %n, which GetLangString expands.
        std::string v;
        for (size_t i = 0; i < m.english.size(); ++i) {
            if (m.english[i] == '\r' && i + 1 < m.english.size() && m.english[i + 1] == '\n') {
                v += "%n";
                ++i;
            } else {
                v += m.english[i];
            }
        }
        ini.writeString("Custom_Messages", m.key, v);
    }
    for (const WindowText& t : builtInWindowTexts())
        ini.writeString(t.section, t.key, t.english);
    return ini.bytes();
}

} // namespace platform
