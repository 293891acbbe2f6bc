#include "export/single_executable.h"
#include "support/temp_home.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using namespace exporting;
namespace fs = std::filesystem;

namespace {

// A stand-in runtime: a header whose bytes 46..53 are zero, then some code bytes.
std::string runtimeImage(size_t size)
{
    std::string s(size, '\0');
    s[0] = 'M';
    s[1] = 'Z';
    for (size_t i = 64; i < size; ++i)
        s[i] = static_cast<char>(i * 7);
    return s;
}

uint32_t offsetField(const std::string& exe)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(exe[46 + i]);
    return v;
}

} // namespace

TEST(SingleExecutable, AppendWritesFieldsAndPayloadLast)
{
    lmbtest::TempHome home;
    const std::string image = runtimeImage(5000);
    const fs::path exe = home.writeFile("out/app.exe", image);
    const fs::path lmb = home.writeFile("p.lmb", "TPF0 project bytes");
    AppendProjectToExe(exe, lmb);
    const std::string bytes = lmbtest::readFile(exe);
    ASSERT_EQ(bytes.size(), image.size() + 18);
    EXPECT_EQ(offsetField(bytes), image.size());
    EXPECT_EQ(bytes.substr(50, 4), "Kwel");
    EXPECT_EQ(bytes.substr(0, 46), image.substr(0, 46));
    EXPECT_EQ(bytes.substr(54, image.size() - 54), image.substr(54));
    EXPECT_EQ(bytes.substr(image.size()), "TPF0 project bytes");

    const auto found = findEmbeddedProject(exe);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->offset, image.size());
    EXPECT_EQ(found->size, 18u);
    EXPECT_FALSE(findEmbeddedProject(home.writeFile("plain.exe", image)));
}

TEST(SingleExecutable, RuntimeThatCarriesAProjectGetsItsFieldsOverwritten)
{
    lmbtest::TempHome home;
    const fs::path custom = home.writeFile("custom.exe", runtimeImage(3000));
    AppendProjectToExe(custom, home.writeFile("old.lmb", "OLD"));
    const std::string customBytes = lmbtest::readFile(custom);
    AppendProjectToExe(custom, home.writeFile("new.lmb", "NEW!"));
    const std::string bytes = lmbtest::readFile(custom);
    EXPECT_EQ(offsetField(bytes), customBytes.size()); // the old payload is part of the image now
    const fs::path out = home.root() / "back.lmb";
    EXPECT_EQ(extractEmbeddedProject(custom, out), 4u);
    EXPECT_EQ(lmbtest::readFile(out), "NEW!");
}

TEST(SingleExecutable, EmptyPayloadAndForeignOffsets)
{
    lmbtest::TempHome home;
    const fs::path exe = home.writeFile("e.exe", runtimeImage(100));
    AppendProjectToExe(exe, home.writeFile("empty.lmb", ""));
    const fs::path out = home.root() / "empty-back.lmb";
    EXPECT_EQ(extractEmbeddedProject(exe, out), 0u);
    EXPECT_TRUE(fs::exists(out));
    EXPECT_EQ(fs::file_size(out), 0u);

    // Non-zero bytes at 46 that no export wrote are taken as an offset all the same.
    std::string foreign = runtimeImage(200);
    foreign[46] = 120;
    const fs::path f = home.writeFile("foreign.exe", foreign);
    EXPECT_EQ(extractEmbeddedProject(f, home.root() / "f.lmb"), 80u);
    EXPECT_EQ(lmbtest::readFile(home.root() / "f.lmb"), foreign.substr(120));

    // An offset past the end is a failure with a system code, and leaves no output behind.
    foreign[47] = 1;
    const fs::path beyond = home.writeFile("beyond.exe", foreign);
    try {
        extractEmbeddedProject(beyond, home.root() / "b.lmb");
        FAIL();
    } catch (const SingleExecutableError& e) {
        EXPECT_NE(e.code(), 0);
    }
    EXPECT_FALSE(fs::exists(home.root() / "b.lmb"));
    EXPECT_FALSE(findEmbeddedProject(home.writeFile("tiny.exe", "MZ")));
}

TEST(SingleExecutable, WriterRefusalsLeaveTheExecutableAlone)
{
    lmbtest::TempHome home;
    const std::string image = runtimeImage(1000);
    const fs::path exe = home.writeFile("r.exe", image);
    const fs::path lmb = home.writeFile("p.lmb", "P");

    EXPECT_THROW(AppendProjectToExe(exe, home.root() / "missing.lmb"), SingleExecutableError);
    EXPECT_THROW(AppendProjectToExe(home.writeFile("short.exe", "MZ"), lmb), SingleExecutableError);
    // A project held by another process (an exclusive lock) cannot be appended.
    {
        const int held = ::open(lmb.c_str(), O_RDONLY);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        EXPECT_THROW(AppendProjectToExe(exe, lmb), SingleExecutableError);
        ::close(held);
    }
    // 2 GiB: a sparse project just large enough must be refused before anything is written.
    const fs::path huge = home.root() / "huge.lmb";
    {
        const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_EQ(::ftruncate(fd, off_t(kSingleExecutableLimit) - 1000), 0);
        ::close(fd);
    }
    try {
        AppendProjectToExe(exe, huge);
        FAIL();
    } catch (const SingleExecutableError& e) {
        EXPECT_EQ(e.code(), EFBIG);
    }
    EXPECT_EQ(lmbtest::readFile(exe), image);
}

TEST(SingleExecutable, ExtractionKeepsAnOldOutputUntilItSucceeds)
{
    lmbtest::TempHome home;
    const fs::path exe = home.writeFile("x.exe", runtimeImage(300));
    AppendProjectToExe(exe, home.writeFile("p.lmb", "fresh"));
    const fs::path out = home.writeFile("keep.lmb", "old contents");
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(extractEmbeddedProject(exe, out), 5u);
    EXPECT_EQ(lmbtest::readFile(out), "fresh");
    EXPECT_EQ(fs::status(out).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // No project: the old output stays as it was and nothing else is created.
    const fs::path plain = home.writeFile("plain.exe", runtimeImage(300));
    EXPECT_FALSE(extractEmbeddedProject(plain, out));
    EXPECT_EQ(lmbtest::readFile(out), "fresh");
    EXPECT_THROW(extractEmbeddedProject(exe, exe), OutputIsInputError);
    EXPECT_EQ(fs::file_size(exe), 305u);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(home.root()))
        ++entries;
    EXPECT_EQ(entries, 4u + 5u); // x.exe p.lmb keep.lmb plain.exe + the TempHome folders
}

TEST(SingleExecutable, ExportingTwiceFromAFreshRuntimeGivesOnePayload)
{
    lmbtest::TempHome home;
    const fs::path runtime = home.writeFile("player", runtimeImage(2048));
    const fs::path lmb = home.writeFile("p.lmb", "PROJECT");
    std::string results[2];
    for (auto& result : results) {
        const fs::path exe = home.root() / "export" / "Autorun.exe";
        fs::create_directories(exe.parent_path());
        fs::copy_file(runtime, exe, fs::copy_options::overwrite_existing);
        AppendProjectToExe(exe, lmb);
        result = lmbtest::readFile(exe);
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0].size(), 2048u + 7u);

    // Writing through a link to an existing project replaces the project, not the link.
    const fs::path real = home.writeFile("real.lmb", "old");
    const fs::path link = home.root() / "link.lmb";
    fs::create_symlink(real, link);
    EXPECT_EQ(extractEmbeddedProject(home.root() / "export" / "Autorun.exe", link), 7u);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(lmbtest::readFile(real), "PROJECT");
}
