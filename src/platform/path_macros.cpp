// The path macro expander. Each macro's value is computed only when the text holds the macro, so a
// text without "%" costs one scan and the folder lookups run only for the macros in use.
#include "platform/path_macros.h"

#include "platform/system_folders.h"

#include <mutex>

namespace fs = std::filesystem;

namespace platform {
namespace {

struct StartupDirs {
    std::mutex mutex;
    fs::path tmpApp;
    fs::path embedded;
    fs::path source;
    fs::path player;
};

StartupDirs& dirs()
{
    static StartupDirs d;
    return d;
}

fs::path get(fs::path StartupDirs::*member)
{
    auto& d = dirs();
    std::lock_guard lock(d.mutex);
    return d.*member;
}

void set(fs::path StartupDirs::*member, const fs::path& value)
{
    auto& d = dirs();
    std::lock_guard lock(d.mutex);
    d.*member = fs::path(withoutTrailingSeparator(value.string()));
}

std::string text(const fs::path& p) { return withoutTrailingSeparator(p.string()); }

std::string playerDirText()
{
    const fs::path p = get(&StartupDirs::player);
    return text(p.empty() ? executableDir() : p);
}

struct Macro {
    std::string_view name;
    std::string (*value)();
};

// The order matters: later macros apply to the values inserted by earlier ones.
const Macro kMacros[] = {
    {"%TMPAPPDIR%", [] { return text(tmpAppDir()); }},
    {"%Embedded%", [] { return text(embeddedDir()); }},
    {"%TMP%", [] { return text(systemTempDir()) + (systemTempDir() == "/" ? "" : "/"); }},
    {"%SYS%", [] { return std::string("/usr/lib"); }},
    {"%PF%", [] { return std::string("/opt"); }},
    {"%COMMON%", [] { return std::string("/usr/share"); }},
    {"%WIN%", [] { return std::string("/usr"); }},
    {"%SRCDIR%", [] { return text(sourceDir()); }},
    {"%PLDIR%", playerDirText},
    {"%SRCDRIVE%", [] { return mountPointOf(sourceDir()); }},
    {"%desktop%", [] { return text(userDir("DESKTOP", "Desktop")); }},
    {"%fonts%", [] { return text(dataHome() / "fonts"); }},
    {"%programs%", [] { return text(dataHome() / "applications"); }},
    {"%STARTMENU%", [] { return text(dataHome() / "applications"); }},
    {"%startup%", [] { return text(configHome() / "autostart"); }},
    {"%UserName%", loginName},
    {"%CompName%", hostName},
    {"%NETHOOD%", [] { return text(dataHome()); }},
    {"%MYDOCS%", [] { return text(userDir("DOCUMENTS", "Documents")); }},
    {"%RECENT%", [] { return text(dataHome()); }},
    {"%SENDTO%", [] { return text(dataHome()); }},
    {"%TEMPLATES%", [] { return text(userDir("TEMPLATES", "Templates")); }},
    {"%n", [] { return std::string("\r\n"); }},
};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Every macro starts with "%", so the search jumps from one percent sign to the next.
size_t findNoCase(const std::string& hay, std::string_view needle, size_t from)
{
    for (size_t i = hay.find('%', from); i != std::string::npos; i = hay.find('%', i + 1)) {
        if (i + needle.size() > hay.size())
            return std::string::npos;
        size_t k = 1;
        while (k < needle.size() && upper(hay[i + k]) == upper(needle[k]))
            ++k;
        if (k == needle.size())
            return i;
    }
    return std::string::npos;
}

} // namespace

std::string ExpandPathMacros(std::string_view input)
{
    std::string s(input);
    if (s.find('%') == std::string::npos)
        return s;
    for (const Macro& m : kMacros) {
        size_t pos = findNoCase(s, m.name, 0);
        if (pos == std::string::npos)
            continue;
        const std::string value = m.value();
        // One left-to-right pass: scanning resumes after each inserted value, so a value is never
        // scanned again for the macro that produced it.
        std::string out;
        out.reserve(s.size() + value.size());
        size_t done = 0;
        while (pos != std::string::npos) {
            out.append(s, done, pos - done);
            out += value;
            done = pos + m.name.size();
            pos = findNoCase(s, m.name, done);
        }
        out.append(s, done, std::string::npos);
        s = std::move(out);
    }
    return s;
}

void setTmpAppDir(const fs::path& dir) { set(&StartupDirs::tmpApp, dir); }
void setEmbeddedDir(const fs::path& dir) { set(&StartupDirs::embedded, dir); }
void setSourceDir(const fs::path& dir) { set(&StartupDirs::source, dir); }
void setPlayerDir(const fs::path& dir) { set(&StartupDirs::player, dir); }

fs::path tmpAppDir() { return get(&StartupDirs::tmpApp); }
fs::path embeddedDir() { return get(&StartupDirs::embedded); }

fs::path sourceDir()
{
    const fs::path p = get(&StartupDirs::source);
    return p.empty() ? executableDir() : p;
}

} // namespace platform
