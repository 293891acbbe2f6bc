// The path macros (%TMPAPPDIR%, %SRCDIR%, %n …) that settings, messages, tool command lines and
// script constants may carry, and their values on this system.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// Replaces every macro, case-insensitively, in the fixed order of the macro table.
std::string ExpandPathMacros(std::string_view text);

// Values that start-up decides. Until they are set, %TMPAPPDIR% and %Embedded% expand to empty
// text and %SRCDIR%/%PLDIR% to the folder of the running executable.
void setTmpAppDir(const std::filesystem::path& dir);
void setEmbeddedDir(const std::filesystem::path& dir);
void setSourceDir(const std::filesystem::path& dir);  // %SRCDIR%
void setPlayerDir(const std::filesystem::path& dir);  // %PLDIR%

std::filesystem::path tmpAppDir();
std::filesystem::path embeddedDir();
std::filesystem::path sourceDir();
std::filesystem::path executableDir(); // folder of the running program

} // namespace platform
