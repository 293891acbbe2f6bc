// lmbtool's sub-commands. Each lives in a cmd_<name>.cpp of its own and registers itself with
// LMBTOOL_COMMAND, so adding a command touches no other file.
#pragma once

#include <string>
#include <vector>

namespace lmbtool {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
    const char* name;
    const char* usage;   // one line: arguments and what the command does
    CommandFn run;       // returns the process exit status
};

bool registerCommand(const Command& command);
const std::vector<Command>& commands();

// Exit status for a wrong command line, shared by every command.
constexpr int kUsageError = 2;

} // namespace lmbtool

#define LMBTOOL_CONCAT_(a, b) a##b
#define LMBTOOL_CONCAT(a, b) LMBTOOL_CONCAT_(a, b)
#define LMBTOOL_COMMAND(NAME, USAGE, FN)                                                                  \
    static const bool LMBTOOL_CONCAT(lmbtool_registered_, __LINE__) =                                   \
        ::lmbtool::registerCommand(::lmbtool::Command{NAME, USAGE, FN})
