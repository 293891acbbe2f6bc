// A throw-away user environment for one test: a fresh folder that HOME, the XDG folders, TMPDIR and
// LMB_REGISTRY point into while the object lives. Settings, temporary files and caches written by
// the code under test land there and are removed afterwards.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace lmbtest {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path registryFile() const { return m_root / "registry.reg"; }
    std::filesystem::path tmp() const { return m_root / "tmp"; }

    // Writes a file below root() (folders created), returns its path.
    std::filesystem::path writeFile(const std::string& relative, const std::string& bytes) const;

private:
    void setEnv(const char* name, const std::string& value);

    std::filesystem::path m_root;
    std::map<std::string, std::optional<std::string>> m_saved;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// The source tree and the install tree of this build (from the test environment).
std::filesystem::path sourceDir();
std::filesystem::path distDir();

} // namespace lmbtest
