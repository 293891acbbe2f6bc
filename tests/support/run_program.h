// Runs a program of this build the way a user or a script would, and collects what it printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lmbtest {

struct ProgramRun {
    int status = -1;  // exit status; -1 when it did not start or ended by a signal
    std::string out;  // standard output
    std::string err;  // standard error
};

// Starts `program` with `args`, standard input on /dev/null, and waits for it. Its output is captured
// through files in `scratch`, so a program that prints a lot never blocks on a full pipe.
ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                      const std::filesystem::path& scratch);

} // namespace lmbtest
