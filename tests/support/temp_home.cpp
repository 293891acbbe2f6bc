#include "support/temp_home.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace lmbtest {

TempHome::TempHome()
{
    std::random_device rd;
    std::mt19937_64 rng(rd());
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / ("lmbtest-" + std::to_string(rng() % 1000000000ULL));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) {
            m_root = candidate;
            break;
        }
    }
    if (m_root.empty())
        throw std::runtime_error("cannot create a temporary test folder");
    for (const char* sub : {"config", "share", "cache", "run", "tmp"})
        fs::create_directories(m_root / sub);
    fs::permissions(m_root / "run", fs::perms::owner_all, fs::perm_options::replace);

    setEnv("HOME", m_root.string());
    setEnv("XDG_CONFIG_HOME", (m_root / "config").string());
    setEnv("XDG_DATA_HOME", (m_root / "share").string());
    setEnv("XDG_CACHE_HOME", (m_root / "cache").string());
    setEnv("XDG_RUNTIME_DIR", (m_root / "run").string());
    setEnv("TMPDIR", (m_root / "tmp").string());
    setEnv("TMP", (m_root / "tmp").string());
    setEnv("TEMP", (m_root / "tmp").string());
    setEnv("LMB_REGISTRY", registryFile().string());
}

TempHome::~TempHome()
{
    for (const auto& [name, value] : m_saved) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::error_code ec;
    fs::remove_all(m_root, ec);
}

void TempHome::setEnv(const char* name, const std::string& value)
{
    if (!m_saved.count(name)) {
        const char* old = std::getenv(name);
        m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    ::setenv(name, value.c_str(), 1);
}

fs::path TempHome::writeFile(const std::string& relative, const std::string& bytes) const
{
    fs::path p = m_root / relative;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path sourceDir()
{
    const char* v = std::getenv("LMB_SOURCE_DIR");
    return v ? fs::path(v) : fs::path(LMB_FALLBACK_SOURCE_DIR);
}

fs::path distDir()
{
    const char* v = std::getenv("LMB_DIST_DIR");
    return v ? fs::path(v) : fs::path(LMB_FALLBACK_DIST_DIR);
}

} // namespace lmbtest
