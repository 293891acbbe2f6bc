// Linux answers to the system folder questions; see system_folders.h.
#include "platform/system_folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

bool isDir(const std::string& p)
{
    std::error_code ec;
    return !p.empty() && fs::is_directory(p, ec);
}

fs::path envDirOr(const char* name, const fs::path& fallback)
{
    const std::string v = env(name);
    // The XDG rules ignore relative paths in these variables.
    if (!v.empty() && v.front() == '/')
        return fs::path(withoutTrailingSeparator(v));
    return fallback;
}

} // namespace

std::string withoutTrailingSeparator(std::string text)
{
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

fs::path systemTempDir()
{
    for (const char* name : {"TMP", "TEMP", "TMPDIR"}) {
        const std::string v = env(name);
        if (isDir(v))
            return fs::path(withoutTrailingSeparator(v));
    }
    return fs::path("/tmp");
}

fs::path homeDir()
{
    const std::string h = env("HOME");
    if (!h.empty())
        return fs::path(withoutTrailingSeparator(h));
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir)
        return fs::path(pw->pw_dir);
    return fs::path("/");
}

fs::path configHome() { return envDirOr("XDG_CONFIG_HOME", homeDir() / ".config"); }
fs::path dataHome() { return envDirOr("XDG_DATA_HOME", homeDir() / ".local" / "share"); }
fs::path runtimeDir() { return envDirOr("XDG_RUNTIME_DIR", systemTempDir()); }

fs::path userDir(const std::string& name, const std::string& fallback)
{
    // Lines look like XDG_DESKTOP_DIR="$HOME/Desktop"; only "$HOME/…" and absolute paths are valid.
    std::ifstream in(configHome() / "user-dirs.dirs");
    const std::string wanted = "XDG_" + name + "_DIR=";
    std::string line;
    while (in && std::getline(in, line)) {
        if (line.rfind(wanted, 0) != 0)
            continue;
        std::string v = line.substr(wanted.size());
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            v = v.substr(1, v.size() - 2);
        std::string out;
        if (v.rfind("$HOME", 0) == 0)
            out = homeDir().string() + v.substr(5);
        else if (!v.empty() && v.front() == '/')
            out = v;
        else
            break;
        std::string unescaped;
        for (size_t i = 0; i < out.size(); ++i) {
            if (out[i] == '\\' && i + 1 < out.size())
                ++i;
            unescaped.push_back(out[i]);
        }
        return fs::path(withoutTrailingSeparator(unescaped));
    }
    return homeDir() / fallback;
}

fs::path executableFile()
{
    std::error_code ec;
    fs::path p = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec) / "LMB";
    return p;
}

fs::path executableDir() { return executableFile().parent_path(); }

std::string mountPointOf(const fs::path& path)
{
    std::error_code ec;
    fs::path p = fs::weakly_canonical(path, ec);
    if (ec || p.empty())
        p = path;
    struct stat st {};
    while (::stat(p.c_str(), &st) != 0 && p.has_parent_path() && p != p.parent_path())
        p = p.parent_path();
    const dev_t dev = st.st_dev;
    while (p.has_parent_path() && p != p.parent_path()) {
        struct stat up {};
        if (::stat(p.parent_path().c_str(), &up) != 0 || up.st_dev != dev)
            break;
        p = p.parent_path();
    }
    const std::string text = withoutTrailingSeparator(p.string());
    return text == "/" ? std::string() : text;
}

std::string loginName()
{
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name && *pw->pw_name)
        return pw->pw_name;
    for (const char* name : {"USER", "LOGNAME"})
        if (std::string v = env(name); !v.empty())
            return v;
    return std::to_string(::geteuid());
}

std::string hostName()
{
    char buf[256] = {};
    if (::gethostname(buf, sizeof buf - 1) != 0)
        return "localhost";
    return buf;
}

} // namespace platform
