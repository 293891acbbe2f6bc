#include "platform/lang.h"
#include "platform/path_macros.h"
#include "platform/text_encoding.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>

using namespace platform;
namespace fs = std::filesystem;

namespace {

struct LanguageGuard {
    ~LanguageGuard() { setCurrentLanguageFile({}); }
};

} // namespace

TEST(EnglishTable, KeysAreUniqueAndTextsPresent)
{
    std::set<std::string> seen;
    for (const MessageText& m : englishMessages()) {
        EXPECT_TRUE(seen.insert(toUpperAscii(m.key)).second) << m.key;
        EXPECT_FALSE(m.english.empty()) << m.key;
        EXPECT_EQ(englishText(m.key), m.english) << m.key;
    }
    EXPECT_GE(seen.size(), 200u);
}

TEST(EnglishTable, LookupIgnoresCase)
{
    EXPECT_EQ(englishText("SERROR"), "Error");
    EXPECT_EQ(englishText("Serror"), "Error");
    EXPECT_EQ(englishText("SWarning"), "Warning");
    EXPECT_EQ(englishText("btncancel"), "Cancel");
    EXPECT_EQ(englishText("SNOTSAVED2"), "File is not saved.\r\nSave now?");
    EXPECT_EQ(englishText("NoSuchKey"), "");
}

TEST(GetLangString, WithoutLanguageFileGivesExpandedEnglish)
{
    LanguageGuard guard;
    setCurrentLanguageFile({});
    EXPECT_EQ(GetLangString("SERROR"), "Error");
    EXPECT_EQ(GetLangString("SBADPASS"), "Incorect Password!\r\nYou cannot open this file.");
    setCurrentLanguageFile("/nonexistent/French.lng");
    EXPECT_EQ(GetLangString("SWARNING"), "Warning");
    EXPECT_EQ(GetLangString("XKEY", "own %n default"), "own \r\n default");
}

TEST(GetLangString, ReadsCustomMessagesOfTheLanguageFile)
{
    lmbtest::TempHome home;
    LanguageGuard guard;
    const fs::path f = home.writeFile("language/Test.lng",
                                      "[General]\r\nName=Test\r\n"
                                      "[custom_messages]\r\n"
                                      "serror=Erreur\r\n"
                                      "SWARNING=\r\n"
                                      "SBADPASS=Mauvais%nmot\r\n"
                                      "SOPENS=Ouvre \"%s\" depuis %srcdir%\r\n"
                                      "[Other]\r\nSUNTI=wrong section\r\n");
    setSourceDir("/opt/lmb");
    setCurrentLanguageFile(f);
    EXPECT_EQ(GetLangString("SError"), "Erreur");
    EXPECT_EQ(GetLangString("SWARNING"), "");                  // present but empty
    EXPECT_EQ(GetLangString("SBADPASS"), "Mauvais\r\nmot");    // %n is a line break
    EXPECT_EQ(GetLangString("SOPENS"), "Ouvre \"%s\" depuis /opt/lmb");
    EXPECT_EQ(GetLangString("SUNTI"), "Untitled");             // missing key: English
    setSourceDir({});

    // A change of the file on disk is seen by the next lookup.
    home.writeFile("language/Test.lng", "[Custom_Messages]\nSERROR=Fehler, lange Zeile\n");
    EXPECT_EQ(GetLangString("SERROR"), "Fehler, lange Zeile");
}

TEST(GetLangString, DamagedLanguageFilesFallBackToEnglish)
{
    lmbtest::TempHome home;
    LanguageGuard guard;
    std::string binary(4096, '\0');
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7919 % 256);
    const std::string huge(1 << 20, 'x');
    struct Row {
        const char* name;
        std::string bytes;
        std::string serror;
    } rows[] = {
        {"binary", binary, "Error"},
        {"cr-only", "[Custom_Messages]\rSERROR=Erreur\rSUNTI=Sans titre", "Erreur"},
        {"megabyte line", "[Custom_Messages]\nSERROR=" + huge + "\nSUNTI=x\n", std::string(1023, 'x')},
        {"megabyte junk", huge, "Error"},
        {"empty", "", "Error"},
        {"cp1252", "[Custom_Messages]\r\nSERROR=Erreur \xE9\x80\r\n", "Erreur \xC3\xA9\xE2\x82\xAC"},
        {"utf16", std::string("\xFF\xFE[\0C\0u\0s\0t\0o\0m\0_\0M\0e\0s\0s\0a\0g\0e\0s\0]\0\n\0S\0E\0R\0R\0O\0R\0"
                              "=\0\xE9\0\n\0", 60),
         "\xC3\xA9"},
    };
    for (const Row& r : rows) {
        setCurrentLanguageFile(home.writeFile(std::string("l/") + r.name + ".lng", r.bytes));
        EXPECT_EQ(GetLangString("SERROR"), r.serror) << r.name;
    }
    // An unreadable file (a folder, a pipe without a writer) is the same as a missing one.
    fs::create_directories(home.root() / "dir.lng");
    setCurrentLanguageFile(home.root() / "dir.lng");
    EXPECT_EQ(GetLangString("SERROR"), "Error");
    ASSERT_EQ(::mkfifo((home.root() / "fifo.lng").c_str(), 0600), 0);
    setCurrentLanguageFile(home.root() / "fifo.lng");
    EXPECT_EQ(GetLangString("SERROR"), "Error");
}

TEST(GetLangString, LongValuesStopAt1023Characters)
{
    lmbtest::TempHome home;
    LanguageGuard guard;
    std::string e_acute;
    for (int i = 0; i < 1100; ++i)
        e_acute += "\xC3\xA9";
    setCurrentLanguageFile(home.writeFile("x.lng", "[Custom_Messages]\nSERROR=" + e_acute + "\n"));
    const std::string v = GetLangString("SERROR");
    EXPECT_EQ(v.size(), 2u * 1023);
    EXPECT_TRUE(isValidUtf8(v));
}

TEST(FormatMessage, FillsPlaceholdersInOrder)
{
    EXPECT_EQ(formatMessage("Tip %s of %s", {"3", "10"}), "Tip 3 of 10");
    EXPECT_EQ(formatMessage("Line : %d", {"12"}), "Line : 12");
    EXPECT_EQ(formatMessage("100%% of %s", {"x"}), "100% of x");
    EXPECT_EQ(formatMessage("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(formatMessage("%x %", {"a"}), "%x %");
}
