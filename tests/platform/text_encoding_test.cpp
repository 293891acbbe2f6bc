#include "platform/text_encoding.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TextEncoding, AnsiBytesFromWindowsBecomeUtf8)
{
    EXPECT_EQ(ansiToUtf8("caf\xE9"), "caf\xC3\xA9");          // Latin-1 range
    EXPECT_EQ(ansiToUtf8("\x80 5"), "\xE2\x82\xAC 5");         // euro sign
    EXPECT_EQ(ansiToUtf8("caf\xC3\xA9"), "caf\xC3\xA9");       // already UTF-8 stays
    EXPECT_EQ(ansiToUtf8("plain"), "plain");
}

TEST(TextEncoding, Utf16RoundTripAndDamagedInput)
{
    const std::string text = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    EXPECT_EQ(utf8ToUtf16(text).size(), 5u); // the emoji is a surrogate pair
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToUtf16("\xC3"), std::u16string(1, char16_t(0xFFFD)));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // encoded surrogate
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));     // overlong
}

TEST(TextEncoding, CaseFoldingIsAsciiOnly)
{
    EXPECT_TRUE(equalsNoCase("SError", "serror"));
    EXPECT_FALSE(equalsNoCase("abc", "abd"));
    EXPECT_EQ(toUpperAscii("Button1OnClick"), "BUTTON1ONCLICK");
    EXPECT_EQ(toLowerAscii("ReadMe.TXT"), "readme.txt");
}
