// lmbtool: the headless companion of the studio. It drives the same libraries as the studio (formats,
// compiler, export) from scripts, tests and CI. `lmbtool COMMAND ARGS...`; `lmbtool help` lists them.
#include "lmbtool/command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace lmbtool {

static std::vector<Command>& table()
{
    static std::vector<Command> t;
    return t;
}

bool registerCommand(const Command& command)
{
    table().push_back(command);
    return true;
}

const std::vector<Command>& commands()
{
    auto& t = table();
    std::sort(t.begin(), t.end(), [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    return t;
}

} // namespace lmbtool

static void printUsage(std::FILE* out)
{
    std::fprintf(out, "usage: lmbtool COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : lmbtool::commands())
        std::fprintf(out, "  %-10s %s\n", c.name, c.usage);
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        printUsage(stderr);
        return lmbtool::kUsageError;
    }
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        printUsage(stdout);
        return 0;
    }
    for (const auto& c : lmbtool::commands()) {
        if (name == c.name) {
            std::vector<std::string> args(argv + 2, argv + argc);
            return c.run(args);
        }
    }
    std::fprintf(stderr, "lmbtool: unknown command '%s'\n", name.c_str());
    printUsage(stderr);
    return lmbtool::kUsageError;
}
