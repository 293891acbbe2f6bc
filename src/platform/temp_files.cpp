// %TMPAPPDIR% and the shutdown removal; see temp_files.h.
#include "platform/temp_files.h"

#include "platform/errors.h"
#include "platform/path_macros.h"
#include "platform/system_folders.h"
#include "platform/unique_name.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace fs = std::filesystem;

namespace platform {
namespace {

bool isInside(const fs::path& path, const fs::path& dir)
{
    const fs::path rel = path.lexically_normal().lexically_relative(dir.lexically_normal());
    return !rel.empty() && *rel.begin() != ".." && rel != ".";
}

void openUp(const fs::path& p)
{
    std::error_code ec;
    const auto st = fs::symlink_status(p, ec);
    if (!ec && st.type() == fs::file_type::directory)
        fs::permissions(p, fs::perms::owner_all, fs::perm_options::add, ec);
}

} // namespace

void removeTree(const fs::path& path)
{
    std::error_code ec;
    if (fs::symlink_status(path, ec).type() == fs::file_type::directory) {
        openUp(path);
        std::vector<fs::path> children;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            children.push_back(it->path());
        for (const fs::path& c : children)
            removeTree(c);
    }
    fs::remove(path, ec);
}

TemporaryFiles& TemporaryFiles::instance()
{
    static TemporaryFiles* t = new TemporaryFiles; // never destroyed: atexit handlers may use it
    return *t;
}

fs::path TemporaryFiles::createAppDir()
{
    const fs::path dir = MakeUniqueName(systemTempDir(), "_al");
    std::error_code ec;
    if (!fs::create_directory(dir, ec) || ec)
        throw Error("Cannot create the temporary folder \"" + dir.string() + "\": " + ec.message());
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, ec);
    {
        std::lock_guard lock(m_mutex);
        m_appDir = dir;
        m_entries.insert(m_entries.begin(), dir);
    }
    setTmpAppDir(dir);
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::atexit([] { TemporaryFiles::instance().removeAll(); });
    }
    return dir;
}

fs::path TemporaryFiles::appDir() const
{
    std::lock_guard lock(m_mutex);
    return m_appDir;
}

void TemporaryFiles::add(const fs::path& path)
{
    std::lock_guard lock(m_mutex);
    m_entries.push_back(path);
}

std::vector<fs::path> TemporaryFiles::entries() const
{
    std::lock_guard lock(m_mutex);
    return m_entries;
}

void TemporaryFiles::removeAll()
{
    std::vector<fs::path> items;
    fs::path dir;
    {
        std::lock_guard lock(m_mutex);
        dir = m_appDir;
        items = m_entries;
        m_entries.clear();
        m_appDir.clear();
    }
    if (dir.empty())
        return;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        items.push_back(it->path());
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (*it != dir && !isInside(*it, dir))
            continue;
        openUp(*it);
        std::error_code ignored;
        if (fs::symlink_status(*it, ignored).type() == fs::file_type::directory)
            ::rmdir(it->c_str());
        else
            ::unlink(it->c_str());
    }
    if (fs::exists(fs::symlink_status(dir, ec)))
        removeTree(dir);
    if (tmpAppDir() == dir)
        setTmpAppDir({});
}

} // namespace platform
