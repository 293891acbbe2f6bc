#include "project/embedded_files.h"
#include "project/file_version.h"
#include "support/temp_home.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

using namespace project;
namespace fs = std::filesystem;

namespace {

void put16(std::string& s, size_t at, uint32_t v)
{
    s[at] = char(v);
    s[at + 1] = char(v >> 8);
}
void put32(std::string& s, size_t at, uint32_t v)
{
    put16(s, at, v & 0xFFFF);
    put16(s, at + 2, v >> 16);
}

// A minimal PE32 image: one .rsrc section holding a version resource with file version 2.3.4.5.
std::string peWithVersion()
{
    std::string s(0x400, '\0');
    s[0] = 'M';
    s[1] = 'Z';
    put32(s, 0x3C, 0x40);
    s.replace(0x40, 4, std::string("PE\0\0", 4));
    put16(s, 0x44, 0x14C);
    put16(s, 0x46, 1);
    put16(s, 0x54, 0xE0);
    const size_t opt = 0x58;
    put16(s, opt, 0x10B);
    put32(s, opt + 92, 16);
    put32(s, opt + 96 + 16, 0x1000);
    put32(s, opt + 96 + 20, 0xB4);
    const size_t sec = opt + 0xE0;
    s.replace(sec, 5, ".rsrc");
    put32(s, sec + 8, 0x200);
    put32(s, sec + 12, 0x1000);
    put32(s, sec + 16, 0x200);
    put32(s, sec + 20, 0x200);
    const size_t r = 0x200;
    put16(s, r + 14, 1);
    put32(s, r + 16, 16);
    put32(s, r + 20, 0x80000000u | 0x18);
    put16(s, r + 0x18 + 14, 1);
    put32(s, r + 0x18 + 16, 1);
    put32(s, r + 0x18 + 20, 0x80000000u | 0x30);
    put16(s, r + 0x30 + 14, 1);
    put32(s, r + 0x30 + 16, 0x409);
    put32(s, r + 0x30 + 20, 0x48);
    put32(s, r + 0x48, 0x1000 + 0x58);
    put32(s, r + 0x48 + 4, 0x5C);
    const size_t v = r + 0x58;
    put16(s, v, 0x5C);
    put16(s, v + 2, 52);
    const char16_t key[] = u"VS_VERSION_INFO";
    for (size_t i = 0; i < 16; ++i)
        put16(s, v + 6 + 2 * i, key[i]);
    put32(s, v + 40, 0xFEEF04BD);
    put32(s, v + 44, 0x10000);
    put32(s, v + 48, 0x00020003);
    put32(s, v + 52, 0x00040005);
    return s;
}

std::optional<FileVersion> versionOf(const fs::path& p)
{
    const int fd = ::open(p.c_str(), O_RDONLY);
    auto v = readFileVersion(fd);
    ::close(fd);
    return v;
}

} // namespace

TEST(EmbeddedFiles, ListsDirectFilesInLowerCaseOnce)
{
    lmbtest::TempHome home;
    const fs::path dir = home.root() / "lmb-00000Embedded";
    home.writeFile("lmb-00000Embedded/Logo.PNG", "png");
    home.writeFile("lmb-00000Embedded/.hidden", "h");
    home.writeFile("lmb-00000Embedded/\xC3\x84rger.TXT", "a");
    home.writeFile("lmb-00000Embedded/sub/inner.txt", "not saved");
    home.writeFile("lmb-00000Embedded/readme.txt", "1");
    home.writeFile("lmb-00000Embedded/README.TXT", "2");
    std::vector<std::string> names;
    for (const auto& f : listEmbeddedFiles(dir))
        names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "logo.png", "readme.txt", "\xC3\xA4rger.txt"}));
    EXPECT_TRUE(listEmbeddedFiles(home.root() / "missing").empty());
}

TEST(EmbeddedFiles, LowerCaseAndLevels)
{
    EXPECT_EQ(lowerCaseFileName("ABC\xC3\x89t\xC3\xA9\xC3\x97\xC5\xA0\xC5\xB8.PNG"),
              "abc\xC3\xA9t\xC3\xA9\xC3\x97\xC5\xA1\xC3\xBF.png");
    EXPECT_EQ(zlibLevelFor(0), 1);
    EXPECT_EQ(zlibLevelFor(1), 0);
    EXPECT_EQ(zlibLevelFor(2), Z_DEFAULT_COMPRESSION);
    EXPECT_EQ(zlibLevelFor(3), 9);
    EXPECT_EQ(zlibLevelFor(42), 0);
    EXPECT_STREQ(compressionLevelKey(3), "COMPLEVL4");
}

TEST(EmbeddedFiles, VersionResourceOfWindowsProgramsIsStored)
{
    lmbtest::TempHome home;
    const std::string pe = peWithVersion();
    const fs::path exe = home.writeFile("e/tool.exe", pe);
    const auto v = versionOf(exe);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->high, 0x00020003u);
    EXPECT_EQ(v->low, 0x00040005u);
    // Damaged or foreign images carry none, and reading them never goes astray.
    for (size_t cut : {size_t(2), size_t(0x60), size_t(0x210), size_t(0x2A0)})
        EXPECT_FALSE(versionOf(home.writeFile("e/cut.exe", pe.substr(0, cut)))) << cut;
    std::string badSig = pe;
    put32(badSig, 0x200 + 0x58 + 40, 0);
    EXPECT_FALSE(versionOf(home.writeFile("e/bad.exe", badSig)));
    EXPECT_FALSE(versionOf(home.writeFile("e/text.txt", "MZ but not a program")));

    StringWriter out;
    writeArchiveBlock(out, listEmbeddedFiles(home.root() / "e"), 9);
    MemoryReader in(out.bytes());
    struct Null final : ArchiveSink {
        Open open(const ArchiveEntry&) override { return Open::Accept; }
        void write(const void*, size_t) override {}
        void close(const ArchiveEntry&) override {}
    } sink;
    const auto r = readArchiveBlock(in, sink);
    ASSERT_TRUE(r.complete);
    bool seen = false;
    for (const auto& e : r.entries) {
        if (e.name == "tool.exe") {
            seen = true;
            EXPECT_TRUE(e.hasVersion);
            EXPECT_EQ(e.versionLow, 0x00040005u);
        } else {
            EXPECT_FALSE(e.hasVersion) << e.name;
        }
    }
    EXPECT_TRUE(seen);
}

TEST(EmbeddedFiles, CompressionSettingAppliesOnceTheDialogWasShown)
{
    lmbtest::TempHome home;
    {
        CompressionSetting first;
        first.dialogShown();
        first.dialogHidden(3); // "Max", written back
    }
    CompressionSetting restarted;
    EXPECT_EQ(restarted.index(), 1) << "saves before the dialog was shown use None";
    EXPECT_EQ(restarted.dialogShown(), 3);
    EXPECT_EQ(restarted.index(), 3);
    restarted.dialogHidden(7);
    EXPECT_EQ(restarted.index(), 1);
}
