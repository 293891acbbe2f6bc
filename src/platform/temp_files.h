// The per-process temporary folder %TMPAPPDIR% and the list of temporary files that the process
// removes when it ends. Every program that needs %TMPAPPDIR% uses this one piece.
//
// Shutdown removal: every listed path, plus every entry found directly in %TMPAPPDIR%, from last to
// first: permissions opened, removed as a folder, deleted as a file (each failure ignored); then
// whatever is left of %TMPAPPDIR% is removed recursively. Only paths inside %TMPAPPDIR% are ever
// removed, so a wrong entry in the list cannot delete anything elsewhere.
#pragma once

#include <filesystem>
#include <mutex>
#include <vector>

namespace platform {

class TemporaryFiles {
public:
    static TemporaryFiles& instance();

    // Creates %TMPAPPDIR% in the system temporary folder (MakeUniqueName, suffix "_al"), makes it
    // the value of the macro and the first entry of the list. The removal also runs at exit().
    // Throws platform::Error when the folder cannot be created.
    std::filesystem::path createAppDir();
    std::filesystem::path appDir() const;

    void add(const std::filesystem::path& path);
    std::vector<std::filesystem::path> entries() const;

    // The shutdown removal; safe to call more than once.
    void removeAll();

private:
    TemporaryFiles() = default;
    mutable std::mutex m_mutex;
    std::filesystem::path m_appDir;
    std::vector<std::filesystem::path> m_entries;
};

// Removes a folder tree even where folders inside it lack write or search permission.
void removeTree(const std::filesystem::path& path);

} // namespace platform
