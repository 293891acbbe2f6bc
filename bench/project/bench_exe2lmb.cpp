// EXE2LMB on a 500 MB single executable against cp of the same file. Target: within 1.2x.
//
//   bench_exe2lmb [MEGABYTES]     (default 500)
#include "bench_common.h"
#include "export/single_executable.h"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

int run(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (auto& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int st = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(pid, &st, 0);
    posix_spawn_file_actions_destroy(&actions);
    return st;
}

} // namespace

int main(int argc, char** argv)
{
    const size_t mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 500;
    const fs::path root = bench::scratchFolder("bench_exe2lmb");
    std::mt19937 rng(5);
    std::string runtime(4 << 20, '\0');
    for (auto& c : runtime)
        c = static_cast<char>(rng());
    std::fill(runtime.begin() + 46, runtime.begin() + 54, '\0');
    const fs::path exe = root / "app.exe";
    bench::writeFile(exe, runtime);
    {
        std::string payload(1 << 20, '\0');
        std::ofstream out(root / "p.lmb", std::ios::binary);
        for (size_t i = 0; i < mb; ++i) {
            for (auto& c : payload)
                c = static_cast<char>(rng());
            out.write(payload.data(), static_cast<std::streamsize>(payload.size()));
        }
    }
    exporting::AppendProjectToExe(exe, root / "p.lmb");
    fs::remove(root / "p.lmb");
    const fs::path out = root / "out.lmb";
    const auto clean = [&] { fs::remove(out); };
    const double cp = bench::bestOf(
        3,
        [&] {
            run({"cp", exe.string(), out.string()});
        },
        clean);
    const double tool = bench::bestOf(
        3,
        [&] {
            run({LMB_EXE2LMB_PATH, exe.string(), out.string()});
        },
        clean);
    std::printf("%zu MB single executable\ncp       %8.3f s\nEXE2LMB  %8.3f s   %.2fx\n", mb, cp, tool,
                tool / cp);
    fs::remove_all(root);
    return 0;
}
