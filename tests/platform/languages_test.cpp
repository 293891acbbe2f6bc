#include "platform/ini_file.h"
#include "platform/lang.h"
#include "platform/languages.h"
#include "platform/path_macros.h"
#include "platform/settings.h"
#include "platform/text_encoding.h"
#include "platform/version.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

struct LanguageGuard {
    ~LanguageGuard() { setCurrentLanguageFile({}); }
};

// The printf-style placeholders of a message, in order: a translation must keep them.
std::string placeholders(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && (text[i + 1] == 's' || text[i + 1] == 'd' || text[i + 1] == 'u'))
            out += text.substr(i, 2);
    return out;
}

} // namespace

TEST(Version, NormalisingAndComparing)
{
    EXPECT_EQ(normalizeVersion("2"), "2.0.0.0");
    EXPECT_EQ(normalizeVersion("2.0"), "2.0.0.0");
    EXPECT_EQ(normalizeVersion("1.2.3.4.5"), "1.2.3.4.5");
    struct Row {
        const char* a;
        const char* b;
        int expected;
    } rows[] = {
        {"1.9", "2.0", -1},     {"2.0", "2.0.0.0", 0}, {"2.0.0.1", "2.0", 1}, {"1.10", "1.9", 1},
        {"junk", "0.0.0.0", 0}, {"1.2.3.4.5", "0", 0}, {"", "0", 0},          {"1..2", "0", 0},
        {"1.-2", "0", 0},       {"99999999999", "0", 0}, {"2.0 ", "0", 0},    {"3.1", "junk", 1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(compareVersions(r.a, r.b), r.expected) << r.a << " vs " << r.b;
    EXPECT_EQ(versionText({2, 0, 0, 0}), "2.0");
    EXPECT_EQ(versionText({2, 1, 0, 7}), "2.1.0.7");
    EXPECT_EQ(programVersion(), "2.0");
}

TEST(Languages, ListInfoAndApply)
{
    lmbtest::TempHome home;
    LanguageGuard guard;
    const fs::path dir = home.root() / "language";
    home.writeFile("language/Romana.lng", "[General]\nName=Rom\xC3\xA2n\xC4\x83\nAuthor=A\nE-mail=a@b\n");
    home.writeFile("language/Deutsch.LNG", "[General]\nVersion=1.9\nHelpFile=%SRCDIR%/doc/de.hlp\n");
    home.writeFile("language/Deutsch.bmp", "BM");
    home.writeFile("language/notes.txt", "");
    fs::create_directories(dir / "folder.lng");
    EXPECT_EQ(languageFiles(dir), (std::vector<fs::path>{dir / "Deutsch.LNG", dir / "Romana.lng"}));
    EXPECT_TRUE(languageFiles(home.root() / "missing").empty());
    EXPECT_EQ(languageFlag(dir / "Deutsch.LNG"), dir / "Deutsch.bmp");
    EXPECT_EQ(languageFlag(dir / "Romana.lng"), fs::path());

    const LanguageInfo ro = readLanguageInfo(dir / "Romana.lng");
    EXPECT_EQ(ro.name, "Rom\xC3\xA2n\xC4\x83");
    EXPECT_EQ(ro.version, programVersion());
    EXPECT_EQ(ro.helpFile, kDefaultHelpFile);
    EXPECT_EQ(ro.email, "a@b");
    EXPECT_EQ(readLanguageInfo(dir / "Deutsch.LNG").displayName(), "English");
    // A value of a megabyte is taken as every lookup takes it: 1023 characters.
    home.writeFile("language/Long.lng", "[General]\nName=" + std::string(1 << 20, 'n') + "\n");
    EXPECT_EQ(readLanguageInfo(dir / "Long.lng").name.size(), 1023u);
    fs::remove(dir / "Long.lng");

    setSourceDir("/opt/lmb");
    const AppliedLanguage de = applyLanguage(dir / "Deutsch.LNG");
    setSourceDir({});
    EXPECT_TRUE(de.found);
    EXPECT_EQ(de.helpFile, "/opt/lmb/doc/de.hlp");
    EXPECT_EQ(settings::general::Language.read(), "Deutsch");
    EXPECT_EQ(currentLanguageFile(), dir / "Deutsch.LNG");
    // The setting finds its file whatever the letter case of the name.
    EXPECT_EQ(startupLanguageFile(home.root()), dir / "Deutsch.LNG");

    // A missing file leaves English in force and the setting as it was.
    const AppliedLanguage none = applyLanguage(dir / "Missing.lng");
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.name, "English");
    EXPECT_EQ(settings::general::Language.read(), "Deutsch");
    EXPECT_EQ(GetLangString("SERROR"), "Error");
}

TEST(Languages, VersionWarning)
{
    lmbtest::TempHome home;
    LanguageGuard guard;
    const fs::path old = home.writeFile("l/Old.lng", "[General]\nName=Old\nVersion=1.9\nAuthor=Me\n");
    const fs::path same = home.writeFile("l/Same.lng", "[General]\nVersion=2.0.0.0\n");
    const fs::path none = home.writeFile("l/None.lng", "[General]\nName=NoVersion\n");
    const fs::path bad = home.writeFile("l/Bad.lng", "[General]\nVersion=two\n");
    EXPECT_TRUE(languageWarningDue(old));
    EXPECT_FALSE(languageWarningDue(same));
    EXPECT_FALSE(languageWarningDue(none));
    EXPECT_TRUE(languageWarningDue(bad)); // a malformed version is 0.0.0.0
    EXPECT_FALSE(languageWarningDue(home.root() / "l/Missing.lng"));
    const std::string text = languageWarningText(old);
    EXPECT_EQ(text.rfind("Old\r\n\r\nThe version of the language file that you are using \"" + old.string() +
                             "\" (1.9) is older than the version of Lumeni Zarerud (2.0).\r\nSome strings",
                         0),
              0u)
        << text;
    settings::general::LangWarn.write(false);
    EXPECT_FALSE(languageWarningDue(old));
}

TEST(Languages, GeneratedEnglishFileGivesTheBuiltInTexts)
{
    lmbtest::TempHome home;
    LanguageGuard guard;
    const std::string bytes = englishLanguageFile();
    const fs::path shipped = lmbtest::distDir() / "language" / "English.lng";
    // The studio's build adds the window sections of its windows behind the generated part.
    EXPECT_EQ(lmbtest::readFile(shipped).substr(0, bytes.size()), bytes)
        << "the install tree's English.lng is out of date";
    setCurrentLanguageFile(home.writeFile("English.lng", bytes));
    for (const MessageText& m : englishMessages())
        EXPECT_EQ(GetLangString(m.key), ExpandPathMacros(m.english)) << m.key;
    const IniFile ini = IniFile::fromBytes(bytes);
    EXPECT_EQ(ini.readString("General", "Name", ""), "English");
    EXPECT_EQ(ini.readString("MakeTemplate", "dxbutton1", ""), "Make");
}

TEST(Languages, FrenchTranslationIsComplete)
{
    const fs::path dir = lmbtest::sourceDir() / "language";
    IniFile fr;
    ASSERT_TRUE(fr.load(dir / "French.lng"));
    EXPECT_TRUE(isValidUtf8(lmbtest::readFile(dir / "French.lng")));
    EXPECT_EQ(fr.readString("General", "Name", ""), "Fran\xC3\xA7" "ais");
    EXPECT_EQ(compareVersions(fr.readString("General", "Version", ""), programVersion()), 0);
    for (const MessageText& m : englishMessages()) {
        const auto v = fr.value("Custom_Messages", m.key);
        ASSERT_TRUE(v.has_value()) << m.key;
        EXPECT_EQ(placeholders(*v), placeholders(m.english)) << m.key;
    }
    for (const std::string& key : fr.keys("Custom_Messages"))
        EXPECT_FALSE(englishText(key).empty()) << "unknown key " << key;
    for (const WindowText& t : builtInWindowTexts())
        EXPECT_TRUE(fr.value(t.section, t.key).has_value()) << t.key;
    // The flag: a 24-bit Windows bitmap.
    const std::string bmp = lmbtest::readFile(dir / "French.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24u);
}
