#include "platform/path_macros.h"
#include "platform/system_folders.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// Restores the start-up folders that a test changes.
struct StartupDirsGuard {
    fs::path tmp = tmpAppDir(), emb = embeddedDir();
    ~StartupDirsGuard()
    {
        setTmpAppDir(tmp);
        setEmbeddedDir(emb);
        setSourceDir({});
        setPlayerDir({});
    }
};

} // namespace

TEST(PathMacros, TextWithoutPercentIsUnchanged)
{
    for (const char* t : {"", "plain text", "C:\\Program Files\\x", "100 percent", "tmpappdir"})
        EXPECT_EQ(ExpandPathMacros(t), t);
}

TEST(PathMacros, CaseInsensitiveAndEveryOccurrence)
{
    StartupDirsGuard guard;
    setSourceDir("/opt/lmb");
    EXPECT_EQ(ExpandPathMacros("%srcdir%/data"), "/opt/lmb/data");
    EXPECT_EQ(ExpandPathMacros("%SrcDir%/a;%SRCDIR%/b"), "/opt/lmb/a;/opt/lmb/b");
    EXPECT_EQ(ExpandPathMacros("a%nb%N"), "a\r\nb\r\n");
    EXPECT_EQ(ExpandPathMacros("Line 1%n%nLine 3"), "Line 1\r\n\r\nLine 3");
    EXPECT_EQ(ExpandPathMacros("%SRCDIR"), "%SRCDIR"); // no closing percent sign
    EXPECT_EQ(ExpandPathMacros("100%"), "100%");
}

TEST(PathMacros, InsertedValuesAreScannedOnlyByLaterMacros)
{
    StartupDirsGuard guard;
    // %SRCDIR% (8th) inside the %TMPAPPDIR% value (1st) is expanded afterwards ...
    setTmpAppDir("/t/%SRCDIR%");
    setSourceDir("/src");
    EXPECT_EQ(ExpandPathMacros("%TMPAPPDIR%/x"), "/t//src/x");
    // ... but a value is never scanned again for its own macro, nor for an earlier one.
    setSourceDir("/s/%SRCDIR%/%TMPAPPDIR%");
    EXPECT_EQ(ExpandPathMacros("%SRCDIR%|%srcdir%"), "/s/%SRCDIR%/%TMPAPPDIR%|/s/%SRCDIR%/%TMPAPPDIR%");
    // %n comes last, so a %n inside any value becomes a line break.
    setSourceDir("/a%nb");
    EXPECT_EQ(ExpandPathMacros("%SRCDIR%"), "/a\r\nb");
}

TEST(PathMacros, LinuxValues)
{
    lmbtest::TempHome home;
    StartupDirsGuard guard;
    setTmpAppDir(home.tmp() / "lmb-00000_al");
    setEmbeddedDir(home.tmp() / "lmb-00000_al" / "lmb-00001Embedded");
    setSourceDir("/opt/lmb/");
    home.writeFile("config/user-dirs.dirs",
                   "# comment\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\nXDG_DOCUMENTS_DIR=\"/srv/docs/\"\n");
    const std::string h = home.root().string();
    struct Row {
        const char* text;
        std::string expected;
    } rows[] = {
        {"%TMPAPPDIR%", home.tmp().string() + "/lmb-00000_al"},
        {"%Embedded%", home.tmp().string() + "/lmb-00000_al/lmb-00001Embedded"},
        {"%TMP%", home.tmp().string() + "/"},
        {"%SYS%|%WIN%|%PF%|%COMMON%", "/usr/lib|/usr|/opt|/usr/share"},
        {"%SRCDIR%|%PLDIR%", "/opt/lmb|" + executableDir().string()},
        {"%desktop%|%MYDOCS%|%TEMPLATES%", h + "/Bureau|/srv/docs|" + h + "/Templates"},
        {"%fonts%", h + "/share/fonts"},
        {"%programs%|%STARTMENU%", h + "/share/applications|" + h + "/share/applications"},
        {"%startup%", h + "/config/autostart"},
        {"%NETHOOD%|%RECENT%|%SENDTO%", h + "/share|" + h + "/share|" + h + "/share"},
        {"%UserName%@%CompName%", loginName() + "@" + hostName()},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ExpandPathMacros(r.text), r.expected) << r.text;
    setPlayerDir("/players");
    EXPECT_EQ(ExpandPathMacros("%PLDIR%"), "/players");
}

TEST(PathMacros, TempFolderFallsBackInOrder)
{
    lmbtest::TempHome home;
    const fs::path other = home.root() / "other";
    fs::create_directories(other);
    ::setenv("TMP", (home.root() / "missing").c_str(), 1);
    ::setenv("TEMP", other.c_str(), 1);
    EXPECT_EQ(ExpandPathMacros("%TMP%"), other.string() + "/");
    ::setenv("TEMP", "", 1);
    ::setenv("TMPDIR", "/nonexistent-lmb", 1);
    EXPECT_EQ(ExpandPathMacros("%tmp%"), "/tmp/");
}

TEST(PathMacros, DriveIsTheMountPoint)
{
    EXPECT_EQ(mountPointOf("/"), "");
    const std::string m = mountPointOf(executableDir());
    EXPECT_EQ(executableDir().string().rfind(m, 0), 0u) << m;
}
