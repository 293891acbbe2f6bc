// The start-up pieces that run before any window: command line, %TMPAPPDIR% and its removal, the
// file association, the single-instance channel.
#include "platform/command_line.h"
#include "platform/file_association.h"
#include "platform/ini_file.h"
#include "platform/path_macros.h"
#include "platform/single_instance.h"
#include "platform/temp_files.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

using namespace platform;
namespace fs = std::filesystem;

TEST(CommandLine, SwitchesOnlyFirstAndExact)
{
    struct Row {
        std::vector<std::string> args;
        StartAction action;
        bool newInstance;
    } rows[] = {
        {{}, StartAction::Run, false},
        {{"/?"}, StartAction::ShowUsage, false},
        {{"--help"}, StartAction::ShowUsage, false},
        {{"-h"}, StartAction::ShowUsage, false},
        {{"/ASSOC"}, StartAction::Associate, false},
        {{"/UNASSOC"}, StartAction::Unassociate, false},
        {{"/assoc"}, StartAction::Run, false}, // a file name
        {{"/Unassoc"}, StartAction::Run, false},
        {{"x.lmb", "/ASSOC"}, StartAction::Run, false},
        {{"x.lmb", "/new"}, StartAction::Run, true},
        {{"/NeW"}, StartAction::Run, true},
        {{"/ASSOC", "/NEW"}, StartAction::Associate, true},
    };
    for (const Row& r : rows) {
        const CommandLine c = parseCommandLine(r.args);
        EXPECT_EQ(c.action, r.action) << (r.args.empty() ? "" : r.args[0]);
        EXPECT_EQ(c.newInstance, r.newInstance);
        EXPECT_EQ(c.firstArgument, r.args.empty() ? "" : r.args[0]);
    }
}

TEST(CommandLine, UsageText)
{
    EXPECT_EQ(usageText(), "Lumeni Zarerud\n"
                           "version  2.0\n"
                           "Copyright (C) Orvane. All rights reserved.\n\n"
                           "Run \"lmb.exe /ASSOC\" to associate the .lmb files with this compiler.\n"
                           "Run \"lmb.exe /UNASSOC\" to uninstall shell extensions.\n"
                           "Run \"lmb.exe filename.lmb\" to open a file.\n"
                           "Run \"lmb.exe /?\" to display this message.\n");
}

TEST(TemporaryFiles, AppDirAndShutdownRemoval)
{
    lmbtest::TempHome home;
    TemporaryFiles& t = TemporaryFiles::instance();
    const fs::path dir = t.createAppDir();
    EXPECT_EQ(dir.parent_path(), home.tmp());
    EXPECT_EQ(ExpandPathMacros("%TMPAPPDIR%"), dir.string());
    EXPECT_TRUE(fs::is_directory(dir));

    const fs::path outside = home.writeFile("keep.txt", "x");
    t.add(outside); // never removed: it is not in %TMPAPPDIR%
    t.add(dir / "listed.dll");
    home.writeFile(dir.lexically_relative(home.root()) / "listed.dll", "x");
    home.writeFile(dir.lexically_relative(home.root()) / "unlisted.tmp", "x");
    const fs::path locked = dir / "lmb-00001Embedded" / "sub";
    fs::create_directories(locked);
    home.writeFile(locked.lexically_relative(home.root()) / "f", "x");
    fs::permissions(locked, fs::perms::owner_read, fs::perm_options::replace);
    fs::create_symlink(home.root(), dir / "link-to-home");

    t.removeAll();
    EXPECT_FALSE(fs::exists(dir));
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_TRUE(fs::exists(home.root() / "keep.txt")); // the link was removed, not followed
    EXPECT_EQ(ExpandPathMacros("%TMPAPPDIR%"), "");
    t.removeAll(); // a second call does nothing
}

TEST(FileAssociation, RegisterAndUnregister)
{
    lmbtest::TempHome home;
    AssociationTarget t;
    t.studio = "/opt/Lumeni Zarerud/LMB";
    t.player = "/opt/Lumeni Zarerud/player";
    t.shellNew = "/opt/Lumeni Zarerud/data/ShellNew.dat";
    t.editVerb = "&Edit with Lumeni Zarerud";
    t.playVerb = "&Play with 100% \"Lumeni\" && more";
    ASSERT_TRUE(registerFileAssociation(t));
    EXPECT_EQ(mimePackageFile(), home.root() / "share/mime/packages/lumeni-zarerud-project.xml");
    EXPECT_NE(lmbtest::readFile(mimePackageFile()).find("<glob pattern=\"*.lmb\"/>"), std::string::npos);

    const IniFile entry = IniFile::fromBytes(lmbtest::readFile(desktopEntryFile()));
    EXPECT_EQ(entry.readString("Desktop Entry", "MimeType", ""), "application/x-lmb-project;");
    EXPECT_EQ(entry.readString("Desktop Entry", "Exec", ""), "\"/opt/Lumeni Zarerud/LMB\" %f");
    EXPECT_EQ(entry.readString("Desktop Entry", "Actions", ""), "Open;Edit;Play;");
    EXPECT_EQ(entry.readString("Desktop Action Edit", "Name", ""), "Edit with Lumeni Zarerud");
    EXPECT_EQ(entry.readString("Desktop Action Play", "Name", ""), "Play with 100% \"Lumeni\" & more");
    EXPECT_EQ(entry.readString("Desktop Action Play", "Exec", ""), "\"/opt/Lumeni Zarerud/player\" %f");

    // Characters that the Exec rules treat specially are escaped.
    t.studio = "/a$b/100%/x\"y";
    EXPECT_NE(desktopEntryText(t).find("Exec=\"/a\\\\$b/100%%/x\\\\\"y\" %f"), std::string::npos)
        << desktopEntryText(t);

    ASSERT_TRUE(unregisterFileAssociation());
    EXPECT_FALSE(fs::exists(mimePackageFile()));
    EXPECT_FALSE(fs::exists(desktopEntryFile()));
}

TEST(SingleInstance, SecondInstanceHandsOverItsArgument)
{
    lmbtest::TempHome home;
    SingleInstance first;
    ASSERT_TRUE(first.becomePrimary());
    EXPECT_EQ(first.channelFolder(), home.root() / "run" / "lumeni-zarerud");
    EXPECT_EQ(fs::status(first.channelFolder()).permissions() & fs::perms::all, fs::perms::owner_all);

    std::mutex mutex;
    std::condition_variable cv;
    std::vector<std::string> got;
    // Sent before a handler exists: kept and handed over when it is installed.
    {
        SingleInstance early;
        EXPECT_FALSE(early.becomePrimary());
        EXPECT_TRUE(early.sendToPrimary("/path/one.lmb"));
    }
    first.setHandler([&](const std::string& s) {
        std::lock_guard lock(mutex);
        got.push_back(s);
        cv.notify_all();
    });
    SingleInstance second;
    EXPECT_FALSE(second.becomePrimary());
    EXPECT_TRUE(second.sendToPrimary(""));
    EXPECT_TRUE(second.sendToPrimary("/p\xC3\xA9/two words.lmb"));
    std::unique_lock lock(mutex);
    cv.wait_for(lock, std::chrono::seconds(5), [&] { return got.size() == 3; });
    EXPECT_EQ(got, (std::vector<std::string>{"/path/one.lmb", "", "/p\xC3\xA9/two words.lmb"}));
}

TEST(SingleInstance, LockIsFreedWhenTheFirstEnds)
{
    lmbtest::TempHome home;
    {
        SingleInstance first;
        ASSERT_TRUE(first.becomePrimary());
    }
    SingleInstance next;
    EXPECT_TRUE(next.becomePrimary());
    SingleInstance nobody("Another Name");
    EXPECT_FALSE(nobody.sendToPrimary("x", std::chrono::milliseconds(100)));
}
