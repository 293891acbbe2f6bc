// GetLangString and the current language file. The parsed file is kept and read again only when the
// file changes on disk, so a lookup costs a stat and a hash lookup.
#include "platform/lang.h"

#include "platform/ini_file.h"
#include "platform/path_macros.h"
#include "platform/text_encoding.h"

#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <optional>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr size_t kMaxLookupChars = 1023;

struct LanguageState {
    std::mutex mutex;
    fs::path file;
    IniFile ini;
    bool loaded = false;
    struct timespec mtime {};
    off_t size = -1;
    ino_t inode = 0;
};

LanguageState& state()
{
    static LanguageState s;
    return s;
}

} // namespace

std::string clipLookup(std::string s)
{
    size_t chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            continue;
        if (chars == kMaxLookupChars) {
            s.resize(i);
            break;
        }
        ++chars;
    }
    return s;
}

namespace {

std::optional<std::string> lookup(std::string_view key)
{
    LanguageState& st = state();
    std::lock_guard lock(st.mutex);
    if (st.file.empty())
        return std::nullopt;
    struct stat info {};
    if (::stat(st.file.c_str(), &info) != 0) {
        st.loaded = false;
        return std::nullopt;
    }
    if (!st.loaded || info.st_size != st.size || info.st_ino != st.inode ||
        info.st_mtim.tv_sec != st.mtime.tv_sec || info.st_mtim.tv_nsec != st.mtime.tv_nsec) {
        st.ini.load(st.file);
        st.loaded = true;
        st.size = info.st_size;
        st.inode = info.st_ino;
        st.mtime = info.st_mtim;
    }
    auto v = st.ini.value("Custom_Messages", key);
    if (!v)
        return std::nullopt;
    return clipLookup(std::move(*v));
}

} // namespace

std::string langStringRaw(std::string_view key, std::string_view english)
{
    auto v = lookup(key);
    return v ? std::move(*v) : std::string(english);
}

std::string GetLangString(std::string_view key, std::string_view english)
{
    return ExpandPathMacros(langStringRaw(key, english));
}

std::string GetLangString(std::string_view key) { return GetLangString(key, englishText(key)); }

std::string_view englishText(std::string_view key)
{
    const auto table = englishMessages();
    const std::string upperKey = toUpperAscii(key);
    const auto it = std::lower_bound(table.begin(), table.end(), upperKey,
                                     [](const MessageText& m, const std::string& k) {
                                         return toUpperAscii(m.key) < k;
                                     });
    if (it != table.end() && equalsNoCase(it->key, key))
        return it->english;
    return {};
}

void setCurrentLanguageFile(const fs::path& file)
{
    LanguageState& st = state();
    std::lock_guard lock(st.mutex);
    st.file = file;
    st.loaded = false;
}

fs::path currentLanguageFile()
{
    LanguageState& st = state();
    std::lock_guard lock(st.mutex);
    return st.file;
}

std::string formatMessage(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out.push_back(c);
            continue;
        }
        const char conversion = pattern[i + 1];
        if (conversion == '%') {
            out.push_back('%');
            ++i;
        } else if ((conversion == 's' || conversion == 'd' || conversion == 'u') && next != args.end()) {
            out.append(*next++);
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace platform
