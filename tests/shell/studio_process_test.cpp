// The studio's start-up and early exits, driven as a user or a script would: by starting the
// program of the install tree with a throw-away home and checking exit codes, output and files.
#include "platform/file_association.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

// A started studio with its standard output on a pipe.
class Studio {
public:
    explicit Studio(const std::vector<std::string>& args, const fs::path& folder = {})
    {
        const std::string exe = (lmbtest::distDir() / "LMB").string();
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (!folder.empty())
            posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        if (::posix_spawn(&m_pid, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        m_out = fds[0];
    }
    ~Studio()
    {
        if (m_pid > 0 && !m_done) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }

    // Reads output until `text` has appeared or the time is up.
    bool waitForOutput(const std::string& text, milliseconds timeout = seconds(20))
    {
        const auto until = steady_clock::now() + timeout;
        while (m_output.find(text) == std::string::npos) {
            const auto left = duration_cast<milliseconds>(until - steady_clock::now()).count();
            pollfd p{m_out, POLLIN, 0};
            if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0)
                return false;
            char buf[4096];
            const ssize_t n = ::read(m_out, buf, sizeof buf);
            if (n <= 0)
                return m_output.find(text) != std::string::npos;
            m_output.append(buf, static_cast<size_t>(n));
        }
        return true;
    }

    // The exit code, or -1 when it did not end in time (or ended by a signal).
    int wait(milliseconds timeout = seconds(30))
    {
        const auto until = steady_clock::now() + timeout;
        int status = 0;
        while (::waitpid(m_pid, &status, WNOHANG) == 0) {
            if (steady_clock::now() > until)
                return -1;
            waitForOutput("\x01", milliseconds(20)); // keep draining the pipe
        }
        m_done = true;
        waitForOutput("\x01", milliseconds(50));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    bool running() { return ::waitpid(m_pid, nullptr, WNOHANG) == 0; }
    void terminate() { ::kill(m_pid, SIGTERM); }
    const std::string& output() const { return m_output; }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_done = false;
    std::string m_output;
};

// Folders named like %TMPAPPDIR% in the temporary folder.
int appDirsIn(const fs::path& tmp)
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(tmp)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("lmb-", 0) == 0 && name.size() > 4 && name.ends_with("_al"))
            ++n;
    }
    return n;
}

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout = seconds(20))
{
    const auto until = steady_clock::now() + timeout;
    while (!condition()) {
        if (steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
}

} // namespace

TEST(StudioProcess, UsageSwitchesPrintAndEndWith130)
{
    lmbtest::TempHome home;
    for (const char* sw : {"/?", "--help", "-h"}) {
        Studio s({sw});
        EXPECT_EQ(s.wait(), 130) << sw;
        EXPECT_EQ(s.output().rfind("Lumeni Zarerud\nversion  2.0\n", 0), 0u) << s.output();
        EXPECT_NE(s.output().find("Run \"lmb.exe /?\" to display this message.\n"), std::string::npos);
    }
    EXPECT_EQ(appDirsIn(home.tmp()), 0);
}

TEST(StudioProcess, AssociationSwitches)
{
    lmbtest::TempHome home;
    Studio assoc({"/ASSOC"});
    EXPECT_EQ(assoc.wait(), 128);
    EXPECT_TRUE(fs::exists(home.root() / "share/applications/lumeni-zarerud.desktop"));
    EXPECT_TRUE(fs::exists(home.root() / "share/mime/packages/lumeni-zarerud-project.xml"));
    EXPECT_NE(lmbtest::readFile(platform::desktopEntryFile()).find((lmbtest::distDir() / "LMB").string()),
              std::string::npos);
    Studio unassoc({"/UNASSOC"});
    EXPECT_EQ(unassoc.wait(), 129);
    EXPECT_FALSE(fs::exists(home.root() / "share/applications/lumeni-zarerud.desktop"));
    EXPECT_EQ(appDirsIn(home.tmp()), 0);
}

TEST(StudioProcess, SecondStartHandsOverItsArgument)
{
    lmbtest::TempHome home;
    const fs::path project = home.writeFile("My Project.lmb", "not opened by the placeholder");
    Studio first({});
    ASSERT_TRUE(waitUntil([&] {
        return fs::exists(home.root() / "run/lumeni-zarerud/Lumeni_Zarerud_Application.sock");
    }));
    ASSERT_EQ(appDirsIn(home.tmp()), 1);

    Studio second({project.string()});
    EXPECT_EQ(second.wait(), 200);
    EXPECT_TRUE(first.waitForOutput("Handed over: " + project.string() + "\n")) << first.output();

    // A name relative to the second start's folder reaches the first as a full path.
    const fs::path nearby = home.writeFile("Nearby.lmb", "x");
    Studio relative({"Nearby.lmb"}, home.root());
    EXPECT_EQ(relative.wait(), 200);
    EXPECT_TRUE(first.waitForOutput("Handed over: " + nearby.string() + "\n")) << first.output();

    // "/assoc" in lower case is a file name, not a switch: handed over as well.
    Studio lower({"/assoc"});
    EXPECT_EQ(lower.wait(), 200);
    EXPECT_TRUE(first.waitForOutput("Handed over: /assoc\n"));

    // With /NEW anywhere a second studio starts.
    Studio another({project.string(), "/new"});
    EXPECT_TRUE(waitUntil([&] { return appDirsIn(home.tmp()) == 2; }));
    EXPECT_TRUE(another.running());
    another.terminate();
    EXPECT_EQ(another.wait(), 0);

    first.terminate();
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(appDirsIn(home.tmp()), 0); // the shutdown removal ran for every process
}
