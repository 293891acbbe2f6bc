// posix_spawn based process start; see process.h.
#include "platform/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace fs = std::filesystem;

namespace platform {

std::optional<fs::path> findProgram(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    if (name.find('/') != std::string::npos)
        return ::access(name.c_str(), X_OK) == 0 ? std::optional<fs::path>(name) : std::nullopt;
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const fs::path candidate = fs::path(start == end ? "." : dirs.substr(start, end - start)) / name;
        std::error_code ec;
        if (::access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate, ec))
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<int> runProgram(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return std::nullopt;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : {0, 1, 2})
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return std::nullopt;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (!WIFEXITED(status))
        return std::nullopt;
    return WEXITSTATUS(status);
}

} // namespace platform
