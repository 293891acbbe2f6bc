// Where things are on this system: the temporary folder, the user's home and XDG folders, the
// program's own folder and the medium it runs from, the login and host names. These are the values
// behind the path macros and the places the settings, the association and the channels live in.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The first of TMP, TEMP and TMPDIR that names an existing folder, else /tmp. No trailing separator.
std::filesystem::path systemTempDir();

// $HOME, else the home folder of the account.
std::filesystem::path homeDir();

// $XDG_CONFIG_HOME, $XDG_DATA_HOME, $XDG_RUNTIME_DIR with their usual defaults (the runtime folder
// falls back to the temporary folder when unset).
std::filesystem::path configHome();
std::filesystem::path dataHome();
std::filesystem::path runtimeDir();

// An XDG user folder from $XDG_CONFIG_HOME/user-dirs.dirs ("DESKTOP", "DOCUMENTS", "TEMPLATES" …);
// when the file does not name it, $HOME/<fallback>.
std::filesystem::path userDir(const std::string& name, const std::string& fallback);

// Folder of the running program file (from /proc/self/exe), and that file itself.
std::filesystem::path executableFile();
std::filesystem::path executableDir();

// The mount point that holds `path`: the highest folder on the same file system. The root file
// system gives an empty text, so that "<drive>/file" still forms an absolute path.
std::string mountPointOf(const std::filesystem::path& path);

std::string loginName();
std::string hostName();

// A path as text without a trailing separator ("/" itself stays).
std::string withoutTrailingSeparator(std::string text);

} // namespace platform
