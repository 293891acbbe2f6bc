#include "platform/errors.h"
#include "platform/unique_name.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

using namespace platform;
namespace fs = std::filesystem;

TEST(UniqueName, DigitsAreFiveBase32)
{
    EXPECT_EQ(uniqueNameDigits(0), "00000");
    EXPECT_EQ(uniqueNameDigits(31), "0000V");
    EXPECT_EQ(uniqueNameDigits(32), "00010");
    EXPECT_EQ(uniqueNameDigits((1u << 25) - 1), "VVVVV");
}

TEST(UniqueName, SkipsTakenNamesAndWraps)
{
    std::set<std::string> taken = {"/d/lmb-VVVVV_al", "/d/lmb-VVVVU_al"};
    auto isTaken = [&](const std::string& p) { return taken.count(p) > 0; };
    EXPECT_EQ(makeUniqueNameFrom("/d", "_al", (1u << 25) - 2, isTaken), "/d/lmb-00000_al");
    EXPECT_EQ(makeUniqueNameFrom("/d/", "x.lmb", 5, isTaken), "/d/lmb-00005x.lmb");
}

TEST(UniqueName, FullFolderIsAnErrorNamingIt)
{
    long calls = 0;
    try {
        makeUniqueNameFrom("/full/folder", "", 12345, [&](const std::string&) {
            ++calls;
            return true;
        });
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("/full/folder"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("too many files"), std::string::npos);
    }
    EXPECT_EQ(calls, 1L << 25);
}

TEST(UniqueName, RealFolderNamesDoNotExist)
{
    lmbtest::TempHome home;
    const std::regex shape("lmb-[0-9A-V]{5}_al");
    for (int i = 0; i < 50; ++i) {
        const fs::path p = MakeUniqueName(home.tmp(), "_al");
        EXPECT_EQ(p.parent_path(), home.tmp());
        EXPECT_TRUE(std::regex_match(p.filename().string(), shape)) << p;
        EXPECT_FALSE(fs::exists(p));
        fs::create_directory(p);
    }
}
