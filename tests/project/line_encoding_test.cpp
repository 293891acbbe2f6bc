#include "project/line_encoding.h"
#include "project/password.h"

#include <gtest/gtest.h>

using namespace project;

TEST(LineEncoding, KnownGroupsAndTildes)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "86)C"},
        {"ab", "86(~"},
        {"a", "80~~"},
        {"begin", "8F5G:6X~"},
        {"", ""},
        {std::string("\0\0\0", 3), "````"}, // value 0 is the grave accent, never a blank
        {"\xFF\xFF\xFF", "____"},
    };
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(encodeLine(plain), encoded) << plain;
        EXPECT_EQ(decodeLine(encoded), plain) << encoded;
    }
}

TEST(LineEncoding, EveryByteValueAndLengthRoundTrips)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    for (size_t n = 0; n <= all.size(); n += 1) {
        const std::string s = all.substr(0, n);
        const std::string e = encodeLine(s);
        ASSERT_EQ(e.size(), (n + 2) / 3 * 4);
        ASSERT_EQ(decodeLine(e), s);
    }
}

TEST(LineEncoding, DecoderToleratesMissingTildes)
{
    EXPECT_EQ(decodeLine("80"), "a");
    EXPECT_EQ(decodeLine("86("), "ab");
    EXPECT_EQ(decodeLine("8"), ""); // a lone character holds no whole byte
    EXPECT_EQ(decodeLine("86)C~~~~"), "abc");
}

TEST(Password, ChecksumAndCheck)
{
    EXPECT_EQ(PasswordChecksum(""), 0);
    EXPECT_EQ(PasswordChecksum("abc"), 97 * 3 + 98 * 7 + 99 * 3);
    EXPECT_EQ(PasswordChecksum("\xFF"), 255 * 3);
    // The sum wraps at 32 bits instead of overflowing.
    const std::string big(4'000'000, '\xFF');
    EXPECT_EQ(static_cast<uint32_t>(PasswordChecksum(big)), uint32_t(2'000'000u * 255u * 10u));

    const int32_t c = PasswordChecksum("secret");
    EXPECT_TRUE(passwordAccepted(true, c, "secret"));
    EXPECT_FALSE(passwordAccepted(true, c, "Secret"));
    EXPECT_FALSE(passwordAccepted(true, c, "")); // a cancelled prompt
    EXPECT_TRUE(passwordAccepted(false, c, "anything"));
    EXPECT_TRUE(passwordAccepted(true, 0, ""));
}

TEST(Password, WindowsMadeFilesSummedAnsiBytes)
{
    // "é" was one byte (0xE9) on Windows and is two in UTF-8: both forms open such a file.
    const int32_t windows = 0xE9 * 3 + 'x' * 7;
    EXPECT_TRUE(passwordAccepted(true, windows, "\xC3\xA9x"));
    EXPECT_TRUE(passwordAccepted(true, PasswordChecksum("\xC3\xA9x"), "\xC3\xA9x"));
    EXPECT_FALSE(passwordAccepted(true, windows, "\xC3\xA8x"));
    EXPECT_TRUE(passwordAccepted(true, 0x80 * 3, "\xE2\x82\xAC")); // the euro sign is 0x80 there
}
