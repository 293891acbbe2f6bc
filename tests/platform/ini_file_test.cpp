#include "platform/ini_file.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

TEST(IniFile, ProfileReadingRules)
{
    const IniFile ini = IniFile::fromBytes("; comment\r\n"
                                           "orphan=before any section\r\n"
                                           "[General]\r\n"
                                           "  Name =  Fran\xC3\xA7" "ais  \r\n"
                                           "Quoted=\"  padded  \"\r\n"
                                           "Single='x'\r\n"
                                           "Empty=\r\n"
                                           "NoEquals\r\n"
                                           "Name=second occurrence\r\n"
                                           "Number=  -42abc\r\n"
                                           "[ general ]\r\n"
                                           "Later=ignored, the first section wins\r\n"
                                           "[Other]\r\n"
                                           "K=v");
    EXPECT_EQ(ini.readString("GENERAL", "name", "d"), "Fran\xC3\xA7" "ais");
    EXPECT_EQ(ini.readString("General", "Quoted", "d"), "  padded  ");
    EXPECT_EQ(ini.readString("General", "Single", "d"), "x");
    EXPECT_EQ(ini.readString("General", "Empty", "d"), "");
    EXPECT_EQ(ini.readString("General", "NoEquals", "d"), "d");
    EXPECT_EQ(ini.readString("General", "Later", "d"), "d");
    EXPECT_EQ(ini.readString("General", "orphan", "d"), "d");
    EXPECT_EQ(ini.readString("Missing", "Name", "d"), "d");
    EXPECT_EQ(ini.readString("other", "k", "d"), "v");
    EXPECT_EQ(ini.readInteger("General", "Number", 7), -42);
    EXPECT_EQ(ini.readInteger("General", "Name", 7), 7);
    EXPECT_EQ((ini.sections()), (std::vector<std::string>{"General", "Other"}));
    EXPECT_EQ((ini.keys("general")),
              (std::vector<std::string>{"Name", "Quoted", "Single", "Empty", "Number"}));
}

TEST(IniFile, WriteChangesOneEntryAndKeepsTheRest)
{
    const std::string original = "; made on Windows\r\n"
                                 "[Autorun]\r\n"
                                 "open=old.exe\r\n"
                                 "icon=caf\xE9.ico\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n";
    IniFile ini = IniFile::fromBytes(original);
    ini.writeString("AUTORUN", "OPEN", "new.exe");
    ini.writeString("Autorun", "label", " My CD ");
    ini.writeString("New", "k", "line1\r\nline2");
    EXPECT_EQ(ini.bytes(), "; made on Windows\r\n"
                           "[Autorun]\r\n"
                           "open=new.exe\r\n"
                           "icon=caf\xE9.ico\r\n"
                           "label=\" My CD \"\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "x=1\r\n"
                           "[New]\r\n"
                           "k=line1  line2\r\n");
    const IniFile again = IniFile::fromBytes(ini.bytes());
    EXPECT_EQ(again.readString("autorun", "label", ""), " My CD ");
    EXPECT_EQ(again.readString("autorun", "icon", ""), "caf\xC3\xA9.ico");

    ini.deleteKey("autorun", "icon");
    ini.eraseSection("other");
    EXPECT_EQ(ini.bytes(), "; made on Windows\r\n[Autorun]\r\nopen=new.exe\r\nlabel=\" My CD \"\r\n\r\n"
                           "[New]\r\nk=line1  line2\r\n");
}

TEST(IniFile, LineEndsAndEncodingsSurviveAWrite)
{
    IniFile lf = IniFile::fromBytes("[a]\nk=1");
    lf.writeString("a", "k", "2");
    EXPECT_EQ(lf.bytes(), "[a]\nk=2\n");

    IniFile bom = IniFile::fromBytes("\xEF\xBB\xBF[a]\r\nk=1\r\n");
    EXPECT_EQ(bom.readString("a", "k", ""), "1");
    bom.writeString("a", "j", "2");
    EXPECT_EQ(bom.bytes(), "\xEF\xBB\xBF[a]\r\nk=1\r\nj=2\r\n");

    const std::string utf16("\xFF\xFE[\0a\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0", 22);
    IniFile wide = IniFile::fromBytes(utf16);
    EXPECT_EQ(wide.readString("a", "k", ""), "\xC3\xA9");
    EXPECT_EQ(wide.bytes(), utf16);
}

TEST(IniFile, ProfileFunctionsOnFiles)
{
    lmbtest::TempHome home;
    const fs::path f = home.root() / "Autorun.inf";
    EXPECT_EQ(readProfileString(f, "Autorun", "open", "none"), "none");
    EXPECT_TRUE(writeProfileString(f, "Autorun", "open", "x.exe"));
    EXPECT_TRUE(writeProfileString(f, "Autorun", "icon", "x.ico"));
    EXPECT_EQ(lmbtest::readFile(f), "[Autorun]\r\nopen=x.exe\r\nicon=x.ico\r\n");
    EXPECT_EQ(readProfileString(f, "autorun", "OPEN", "none"), "x.exe");

    // A file that exists but cannot be read is never replaced.
    const fs::path dir = home.root() / "folder.ini";
    fs::create_directories(dir);
    EXPECT_FALSE(writeProfileString(dir, "a", "b", "c"));
    EXPECT_TRUE(fs::is_directory(dir));
}
