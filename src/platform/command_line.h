// The studio's command line: one switch or one project file as the first argument, and /NEW
// anywhere. Switches are recognised only as the first argument and only in the spelling below
// (so "/assoc" is a file name); /NEW is found in any position and any letter case.
#pragma once

#include <string>
#include <vector>

namespace platform {

enum class StartAction {
    Run,         // start the studio; firstArgument, when it names a file, is opened after start-up
    ShowUsage,   // "/?" (also "--help", "-h")
    Associate,   // "/ASSOC"
    Unassociate, // "/UNASSOC"
};

// Process exit codes of the early exits.
inline constexpr int kExitAssociated = 128;
inline constexpr int kExitUnassociated = 129;
inline constexpr int kExitUsage = 130;
inline constexpr int kExitSecondInstance = 200;

struct CommandLine {
    StartAction action = StartAction::Run;
    std::string firstArgument; // possibly empty; what a second start hands to the first
    bool newInstance = false;  // /NEW: start even when a studio already runs
};

// `args` without the program name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The information text of "/?", in the current language, lines ending with "\n".
std::string usageText();

} // namespace platform
