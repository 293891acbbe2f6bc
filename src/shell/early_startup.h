// What the studio does before any window exists: the per-process temporary folder, the language
// file named by the settings, the switches /?, /ASSOC and /UNASSOC, and the single-instance check
// that hands a second start's argument to the running studio. Every early exit removes the
// temporary files first.
#pragma once

#include "platform/command_line.h"
#include "platform/single_instance.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace shell {

struct EarlyStartup {
    platform::CommandLine commandLine; // a relative first argument made absolute
    std::filesystem::path installDir;
    std::filesystem::path languageFile;
    std::string languageName = "English";
    // The first studio's channel; empty with /NEW.
    std::unique_ptr<platform::SingleInstance> instance;
    // Set when the process ends now with this code (the temporary files are already removed,
    // except for /?, whose box the caller may still show: it removes them afterwards).
    std::optional<int> exitCode;
};

// `args` without the program name; the usage text of /? goes to `out`.
EarlyStartup runEarlyStartup(const std::vector<std::string>& args, std::FILE* out);

// Whether message boxes can be seen: a display exists and Qt is not told to draw off screen.
bool hasRealDisplay();

// "Lumeni Zarerud <version> - <user name>", the base of the main window caption.
std::string titleBase();

} // namespace shell
