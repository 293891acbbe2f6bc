#include "platform/reg_values.h"
#include "platform/registry.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

TEST(Registry, FileFormatAndCaseInsensitiveNames)
{
    lmbtest::TempHome home;
    Registry reg(home.registryFile());
    const std::string k = "SOFTWARE\\Orvane\\Lumeni Zarerud\\General";
    EXPECT_TRUE(reg.setValue(k, "Language", RegValue::string("English")));
    EXPECT_TRUE(reg.setValue(k, "Grid.X", RegValue::fromDWord(8)));
    EXPECT_TRUE(reg.setValue(k, "Data", RegValue::binary({1, 2, 0xAB})));
    EXPECT_TRUE(reg.setValue(k, "", RegValue::string("default \"quoted\" C:\\dir")));
    EXPECT_TRUE(reg.setValue(k, "ConstantsList", RegValue::string("one\r\ntwo\ttab\x01")));
    EXPECT_TRUE(reg.setValue("software\\orvane\\LUMENI ZARERUD\\general", "LANGUAGE", RegValue::string("French")));
    EXPECT_EQ(lmbtest::readFile(home.registryFile()),
              "REGEDIT4\n"
              "\n[HKEY_CURRENT_USER\\SOFTWARE]\n"
              "\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane]\n"
              "\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Lumeni Zarerud]\n"
              "\n[HKEY_CURRENT_USER\\SOFTWARE\\Orvane\\Lumeni Zarerud\\General]\n"
              "\"Language\"=\"French\"\n"
              "\"Grid.X\"=dword:00000008\n"
              "\"Data\"=hex:01,02,ab\n"
              "@=\"default \\\"quoted\\\" C:\\\\dir\"\n"
              "\"ConstantsList\"=\"one\\r\\ntwo\\ttab\\x01\"\n");

    Registry again(home.registryFile());
    EXPECT_EQ(again.value(k, "language"), RegValue::string("French"));
    EXPECT_EQ(again.value(k, "ConstantsList"), RegValue::string("one\r\ntwo\ttab\x01"));
    EXPECT_EQ(again.value(k, ""), RegValue::string("default \"quoted\" C:\\dir"));
    EXPECT_EQ(again.value(k, "data"), RegValue::binary({1, 2, 0xAB}));
    EXPECT_EQ(again.valueNames(k),
              (std::vector<std::string>{"Language", "Grid.X", "Data", "", "ConstantsList"}));
    EXPECT_FALSE(again.foundDamage());
    // No temporary file is left beside the store.
    for (const auto& e : fs::directory_iterator(home.root()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST(Registry, DeletingAKeyTakesItsSubkeys)
{
    lmbtest::TempHome home;
    Registry reg(home.registryFile());
    reg.setValue("A\\Tools\\x", "v", RegValue::fromDWord(1));
    reg.createKey("A\\Tools\\y\\z");
    reg.createKey("A\\ToolsOther");
    EXPECT_EQ(reg.subKeys("a\\tools"), (std::vector<std::string>{"x", "y"}));
    EXPECT_TRUE(reg.deleteKey("a\\TOOLS"));
    EXPECT_FALSE(reg.keyExists("A\\Tools"));
    EXPECT_FALSE(reg.keyExists("A\\Tools\\y\\z"));
    EXPECT_TRUE(reg.keyExists("A\\ToolsOther"));
    EXPECT_EQ(reg.subKeys("A"), (std::vector<std::string>{"ToolsOther"}));
    reg.setValue("A", "Name_1", RegValue::string("x"));
    EXPECT_TRUE(reg.deleteValue("a", "NAME_1"));
    EXPECT_FALSE(reg.value("A", "Name_1"));
}

TEST(Registry, TwoWritersKeepEachOthersValues)
{
    lmbtest::TempHome home;
    Registry first(home.registryFile());
    Registry second(home.registryFile());
    first.setValue("K", "a", RegValue::fromDWord(1));
    second.setValue("K", "b", RegValue::fromDWord(2));
    first.setValue("K", "c", RegValue::fromDWord(3));
    Registry third(home.registryFile());
    for (const char* n : {"a", "b", "c"})
        EXPECT_TRUE(third.value("K", n).has_value()) << n;
    EXPECT_EQ(second.value("K", "c"), RegValue::fromDWord(3)); // a reader sees the other's write
}

TEST(Registry, DamagedFileIsKeptAsideAndGoodLinesSurvive)
{
    lmbtest::TempHome home;
    const std::string damaged = "REGEDIT4\r\n"
                                "[HKEY_CURRENT_USER\\S\\General]\r\n"
                                "\"Skin\"=\"Eos\"\r\n"
                                "\"Grid.X\"=dword:zz\r\n"
                                "\"Broken\"=\"no closing quote\r\n"
                                "\x01\x02\xFF garbage\r\n"
                                "\"Long\"=hex:01,02,\\\r\n"
                                "  03\r\n"
                                "[HKEY_LOCAL_MACHINE\\Other]\r\n"
                                "\"x\"=dword:1\r\n"
                                "[HKEY_CURRENT_USER\\S\\MRU]\r\n"
                                "\"Count\"=dword:2\r\n";
    home.writeFile("registry.reg", damaged);
    Registry reg(home.registryFile());
    EXPECT_EQ(reg.value("S\\General", "Skin"), RegValue::string("Eos"));
    EXPECT_EQ(reg.value("S\\General", "Long"), RegValue::binary({1, 2, 3}));
    EXPECT_EQ(reg.value("S\\MRU", "Count"), RegValue::fromDWord(2));
    EXPECT_FALSE(reg.value("S\\General", "Grid.X"));
    EXPECT_FALSE(reg.keyExists("Other"));
    EXPECT_TRUE(reg.foundDamage());
    EXPECT_EQ(lmbtest::readFile(home.root() / "registry.reg.bad"), damaged);
    // The store was rewritten from what could be read, so the next reader finds no damage.
    Registry next(home.registryFile());
    EXPECT_EQ(next.value("S\\General", "Skin"), RegValue::string("Eos"));
    EXPECT_FALSE(next.foundDamage());
}

TEST(Registry, DamagedFileReadWithoutTheLockIsKeptAsideBeforeTheFirstChange)
{
    lmbtest::TempHome home;
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=dword:1\nnot a line\n";
    home.writeFile("registry.reg", damaged);
    // A lock file that cannot be taken: the store is read, but not repaired.
    std::filesystem::create_directory(home.root() / "registry.reg.lock");
    Registry reg(home.registryFile());
    EXPECT_EQ(reg.value("K", "a"), RegValue::fromDWord(1));
    EXPECT_FALSE(std::filesystem::exists(home.root() / "registry.reg.bad"));
    std::filesystem::remove(home.root() / "registry.reg.lock");
    EXPECT_TRUE(reg.setValue("K", "b", RegValue::fromDWord(2)));
    EXPECT_EQ(lmbtest::readFile(home.root() / "registry.reg.bad"), damaged);
    Registry next(home.registryFile());
    EXPECT_EQ(next.value("K", "a"), RegValue::fromDWord(1));
    EXPECT_EQ(next.value("K", "b"), RegValue::fromDWord(2));
}

TEST(Registry, BinaryOrMissingHeaderFiles)
{
    lmbtest::TempHome home;
    std::string junk(100000, '\0');
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 2654435761u) >> 13);
    for (const std::string& bytes : {junk, std::string("[HKEY_CURRENT_USER\\K]\n\"v\"=\"x\"\n"),
                                     std::string(1 << 20, '['), std::string("\r\r\r")}) {
        home.writeFile("registry.reg", bytes);
        Registry reg(home.registryFile());
        reg.setValue("New", "n", RegValue::fromDWord(5));
        Registry check(home.registryFile());
        EXPECT_EQ(check.value("New", "n"), RegValue::fromDWord(5));
    }
}

TEST(Registry, CurrentUserFollowsTheEnvironment)
{
    {
        lmbtest::TempHome home;
        EXPECT_EQ(Registry::currentUser()->file(), home.registryFile());
        ::unsetenv("LMB_REGISTRY");
        EXPECT_EQ(Registry::defaultFile(), home.root() / "config" / "Orvane" / "registry.reg");
        WriteRegValue("General", "Skin", "Eos");
        EXPECT_TRUE(fs::exists(home.root() / "config" / "Orvane" / "registry.reg"));
    }
}

TEST(RegValues, TypingRule)
{
    lmbtest::TempHome home;
    Registry reg(home.registryFile());
    const std::string k = studioKey("General");
    EXPECT_EQ(k, "SOFTWARE\\Orvane\\Lumeni Zarerud\\General");
    reg.setValue(k, "Grid.X", RegValue::string("16"));
    reg.setValue(k, "Show Grid", RegValue::fromDWord(7));
    reg.setValue(k, "Skin", RegValue::fromDWord(1));
    reg.setValue(k, "Count", RegValue::fromDWord(0xFFFFFFFF));
    reg.setValue(k, "Rate", RegValue::binary({1, 2, 3, 4}));
    EXPECT_EQ(ReadRegValue("General", "Grid.X", 8), 8); // a string where an integer is expected
    EXPECT_EQ(ReadRegValue("General", "Show Grid", false), true);
    EXPECT_EQ(ReadRegValue("General", "Skin", "OfficeXP"), "OfficeXP");
    EXPECT_EQ(ReadRegValue("General", "count", 9), -1);
    EXPECT_EQ(ReadRegValue("General", "Rate", 1.5), 1.5); // binary, but not 8 bytes
    EXPECT_EQ(ReadRegValue("General", "Missing", std::string_view("d")), "d");

    WriteRegValue("General", "Rate", 2.25);
    WriteRegValue("General", "Show Grid", false);
    WriteRegValue("General", "Language", "French");
    WriteRegValue("General", "Grid.X", 16);
    EXPECT_EQ(ReadRegValue("General", "Rate", 0.0), 2.25);
    EXPECT_EQ(ReadRegValue("General", "Show Grid", true), false);
    EXPECT_EQ(ReadRegValue("General", "Language", "English"), "French");
    EXPECT_EQ(ReadRegValue("General", "Grid.X", 8), 16);
}

TEST(RegValues, ReadingCreatesTheKeyAndWritesNeverRaise)
{
    lmbtest::TempHome home;
    EXPECT_EQ(ReadRegValue("Search Settings", "gbSearchRegex", false), false);
    Registry check(home.registryFile());
    EXPECT_TRUE(check.keyExists(studioKey("Search Settings")));

    // A store in a folder that cannot be created: reads give defaults, writes are skipped.
    home.writeFile("blocker", "a file where a folder should be");
    ::setenv("LMB_REGISTRY", (home.root() / "blocker" / "registry.reg").c_str(), 1);
    EXPECT_NO_THROW(WriteRegValue("General", "Skin", "Eos"));
    EXPECT_EQ(ReadRegValue("General", "Missing", 3), 3);
}

TEST(Registry, BatchSavesOnce)
{
    lmbtest::TempHome home;
    auto reg = Registry::currentUser();
    {
        Registry::Batch batch(reg);
        for (int i = 0; i < 200; ++i)
            WriteRegValue("Toolbars\\TBXToolbar1", "Left" + std::to_string(i), i);
        EXPECT_EQ(ReadRegValue("Toolbars\\TBXToolbar1", "Left7", 0), 7); // visible inside the batch
        EXPECT_FALSE(fs::exists(home.registryFile()));                   // saved only at the end
    }
    Registry check(home.registryFile());
    EXPECT_EQ(check.value(studioKey("Toolbars\\TBXToolbar1"), "Left199"), RegValue::fromDWord(199));
}
