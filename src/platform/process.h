// Starting outside programs from the standard-C++ layers and the console tools (the Qt layers use
// QProcess so that their event loop keeps running).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The program's path when `name` is found in PATH (or is itself a path to an executable file).
std::optional<std::filesystem::path> findProgram(const std::string& name);

// Runs argv[0] (searched in PATH) with its standard streams on /dev/null and waits for it. The exit
// status, or nothing when it could not be started or ended by a signal.
std::optional<int> runProgram(const std::vector<std::string>& argv);

} // namespace platform
