// The settings store file: reading, writing, locking; see registry.h.
#include "platform/registry.h"

#include "platform/atomic_file.h"
#include "platform/system_folders.h"
#include "platform/text_encoding.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr std::string_view kRoot = "HKEY_CURRENT_USER";

} // namespace

// Holds the lock file while alive. Waits up to a few seconds for another process to finish.
class Registry::FileLock {
public:
    explicit FileLock(const fs::path& lockFile)
    {
        std::error_code ec;
        fs::create_directories(lockFile.parent_path(), ec);
        m_fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (std::chrono::steady_clock::now() > until) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        m_locked = true;
    }
    ~FileLock()
    {
        if (m_fd >= 0) {
            if (m_locked)
                ::flock(m_fd, LOCK_UN);
            ::close(m_fd);
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return m_locked; }

private:
    int m_fd = -1;
    bool m_locked = false;
};

namespace {

std::string lower(std::string_view s) { return toLowerAscii(s); }

std::string escape(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 2);
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (b < 0x20 || b == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02x", b);
                out += buf;
            } else {
                out.push_back(c);
            }
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at s[i] == '"'; i ends after the closing quote.
bool readQuoted(std::string_view s, size_t& i, std::string& out)
{
    if (i >= s.size() || s[i] != '"')
        return false;
    ++i;
    out.clear();
    while (i < s.size()) {
        const char c = s[i++];
        if (c == '"')
            return true;
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (i >= s.size())
            return false;
        const char e = s[i++];
        switch (e) {
        case '\\': out.push_back('\\'); break;
        case '"': out.push_back('"'); break;
        case 'r': out.push_back('\r'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case 'x': {
            const int h = i < s.size() ? hexDigit(s[i]) : -1;
            const int l = i + 1 < s.size() ? hexDigit(s[i + 1]) : -1;
            if (h < 0 || l < 0)
                return false;
            out.push_back(static_cast<char>(h * 16 + l));
            i += 2;
            break;
        }
        default:
            out.push_back('\\');
            out.push_back(e);
        }
    }
    return false;
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

bool parseData(std::string_view s, RegValue& out)
{
    if (!s.empty() && s.front() == '"') {
        size_t i = 0;
        std::string text;
        if (!readQuoted(s, i, text) || !trimBlanks(s.substr(i)).empty())
            return false;
        out = RegValue::string(text);
        return true;
    }
    if (startsWithNoCase(s, "dword:")) {
        const std::string_view digits = trimBlanks(s.substr(6));
        if (digits.empty() || digits.size() > 8)
            return false;
        std::uint32_t v = 0;
        for (char c : digits) {
            const int d = hexDigit(c);
            if (d < 0)
                return false;
            v = v * 16 + static_cast<std::uint32_t>(d);
        }
        out = RegValue::fromDWord(v);
        return true;
    }
    if (startsWithNoCase(s, "hex:")) {
        std::vector<std::uint8_t> bytes;
        std::string_view rest = s.substr(4);
        while (!(rest = trimBlanks(rest)).empty()) {
            const size_t comma = rest.find(',');
            const std::string_view item = trimBlanks(rest.substr(0, comma));
            if (item.size() != 2 || hexDigit(item[0]) < 0 || hexDigit(item[1]) < 0)
                return false;
            bytes.push_back(static_cast<std::uint8_t>(hexDigit(item[0]) * 16 + hexDigit(item[1])));
            if (comma == std::string_view::npos)
                break;
            rest = rest.substr(comma + 1);
            if (trimBlanks(rest).empty())
                return false; // a trailing comma
        }
        out = RegValue::binary(std::move(bytes));
        return true;
    }
    return false;
}

} // namespace

RegValue RegValue::string(std::string_view s)
{
    RegValue v;
    v.type = Type::String;
    v.text = std::string(s);
    return v;
}

RegValue RegValue::fromDWord(std::uint32_t d)
{
    RegValue v;
    v.type = Type::DWord;
    v.dword = d;
    return v;
}

RegValue RegValue::binary(std::vector<std::uint8_t> b)
{
    RegValue v;
    v.type = Type::Binary;
    v.bytes = std::move(b);
    return v;
}

std::string normalizeKeyPath(std::string_view key)
{
    std::string out;
    size_t i = 0;
    while (i < key.size()) {
        size_t j = key.find('\\', i);
        if (j == std::string_view::npos)
            j = key.size();
        if (j > i) {
            if (!out.empty())
                out.push_back('\\');
            out.append(key.substr(i, j - i));
        }
        i = j + 1;
    }
    return out;
}

Registry::Key* Registry::Content::find(std::string_view path)
{
    const auto it = keys.find(lower(path));
    return it == keys.end() ? nullptr : &it->second;
}

Registry::Key& Registry::Content::create(std::string_view path)
{
    // Parents first, so that every key of the file has its whole chain.
    size_t pos = 0;
    while ((pos = path.find('\\', pos)) != std::string_view::npos) {
        const std::string_view parent = path.substr(0, pos);
        keys.try_emplace(lower(parent), Key{std::string(parent), {}});
        ++pos;
    }
    return keys.try_emplace(lower(path), Key{std::string(path), {}}).first->second;
}

std::string Registry::serialize(const Content& c)
{
    std::string out = "REGEDIT4\n";
    for (const auto& [lowerPath, key] : c.keys) {
        out += "\n[";
        out += kRoot;
        out += '\\';
        out += key.path;
        out += "]\n";
        for (const Value& v : key.values) {
            if (v.name.empty()) {
                out += '@';
            } else {
                out += '"';
                out += escape(v.name);
                out += '"';
            }
            out += '=';
            switch (v.data.type) {
            case RegValue::Type::String:
                out += '"';
                out += escape(v.data.text);
                out += '"';
                break;
            case RegValue::Type::DWord: {
                char buf[24];
                std::snprintf(buf, sizeof buf, "dword:%08x", v.data.dword);
                out += buf;
                break;
            }
            case RegValue::Type::Binary:
                out += "hex:";
                for (size_t i = 0; i < v.data.bytes.size(); ++i) {
                    char buf[4];
                    std::snprintf(buf, sizeof buf, i ? ",%02x" : "%02x", v.data.bytes[i]);
                    out += buf;
                }
                break;
            }
            out += '\n';
        }
    }
    return out;
}

bool Registry::parse(std::string_view bytes, Content& out)
{
    out.keys.clear();
    bool ok = true;
    bool first = true;
    Key* current = nullptr;
    std::string pending; // a hex line continued with a trailing backslash
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        std::string line = ansiToUtf8(bytes.substr(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        const bool last = end >= bytes.size();
        start = end + 1;

        std::string_view t = trimBlanks(line);
        if (!pending.empty() || (!t.empty() && t.back() == '\\' && t.front() != '[')) {
            pending += t;
            if (!pending.empty() && pending.back() == '\\' && !last) {
                pending.pop_back();
                continue;
            }
            line = std::move(pending);
            pending.clear();
            t = trimBlanks(line);
        }
        if (t.empty() || t.front() == ';') {
            if (last)
                break;
            continue;
        }
        if (first) {
            first = false;
            if (t == "REGEDIT4" || t == "Windows Registry Editor Version 5.00")
                continue;
            ok = false;
        }
        if (t.front() == '[') {
            current = nullptr;
            if (t.back() != ']') {
                ok = false;
                continue;
            }
            const std::string_view inner = t.substr(1, t.size() - 2);
            if (!startsWithNoCase(inner, kRoot) ||
                (inner.size() > kRoot.size() && inner[kRoot.size()] != '\\')) {
                ok = false;
                continue;
            }
            const std::string path = normalizeKeyPath(inner.substr(kRoot.size()));
            if (!path.empty())
                current = &out.create(path);
        } else if (t.front() == '"' || t.front() == '@') {
            std::string name;
            size_t i = 0;
            if (t.front() == '@')
                i = 1;
            else if (!readQuoted(t, i, name)) {
                ok = false;
                continue;
            }
            const std::string_view rest = trimBlanks(t.substr(i));
            RegValue data;
            if (!current || rest.empty() || rest.front() != '=' ||
                !parseData(trimBlanks(rest.substr(1)), data)) {
                ok = false;
                continue;
            }
            bool replaced = false;
            for (Value& v : current->values) {
                if (equalsNoCase(v.name, name)) {
                    v.data = std::move(data);
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                current->values.push_back(Value{std::move(name), std::move(data)});
        } else {
            ok = false;
        }
        if (last)
            break;
    }
    return ok;
}

bool Registry::FileId::operator==(const FileId& o) const
{
    return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec;
}

Registry::Registry(fs::path file) : m_file(std::move(file)) {}

Registry::~Registry() = default;

fs::path Registry::defaultFile()
{
    if (const char* v = std::getenv("LMB_REGISTRY"); v && *v)
        return fs::path(v);
    return configHome() / "Orvane" / "registry.reg";
}

std::shared_ptr<Registry> Registry::currentUser()
{
    static std::mutex mutex;
    static std::shared_ptr<Registry> current;
    const fs::path file = defaultFile();
    std::lock_guard lock(mutex);
    if (!current || current->file() != file)
        current = std::make_shared<Registry>(file);
    return current;
}

std::optional<Registry::FileId> Registry::statFile() const
{
    struct stat st {};
    if (::stat(m_file.c_str(), &st) != 0)
        return std::nullopt;
    return FileId{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

void Registry::refreshLocked(bool haveFileLock)
{
    const auto id = statFile();
    // A damaged file read without the lock is read again under it, so that it is kept aside
    // before the first change replaces it.
    if (m_everLoaded && id == m_loadedId && !(m_repairPending && haveFileLock))
        return;
    if (haveFileLock || m_batchDepth > 0) {
        loadLocked(haveFileLock || m_batchLock->locked());
        return;
    }
    FileLock lock(fs::path(m_file.string() + ".lock"));
    // Without the lock a damaged file is read but not repaired; the next change repairs it.
    loadLocked(lock.locked());
}

void Registry::loadLocked(bool mayRepair)
{
    m_everLoaded = true;
    m_foundDamage = false;
    m_repairPending = false;
    m_content.keys.clear();
    std::error_code ec;
    const bool exists = fs::exists(fs::symlink_status(m_file, ec));
    const auto bytes = exists ? readWholeFile(m_file, maxFileBytes) : std::nullopt;
    if (!exists) {
        m_loadedId.reset();
        return;
    }
    const fs::path bad(m_file.string() + ".bad");
    if (!bytes) {
        // Too large, not a regular file, or unreadable: move it aside and start afresh.
        m_foundDamage = true;
        m_repairPending = !mayRepair;
        if (mayRepair)
            fs::rename(m_file, bad, ec);
        m_loadedId = statFile();
        return;
    }
    if (!parse(*bytes, m_content)) {
        m_foundDamage = true;
        m_repairPending = !mayRepair;
        if (mayRepair && writeFileAtomically(bad, *bytes))
            saveLocked();
    }
    m_loadedId = statFile();
}

bool Registry::saveLocked()
{
    std::error_code ec;
    fs::create_directories(m_file.parent_path(), ec);
    std::string error;
    if (!writeFileAtomically(m_file, serialize(m_content), &error)) {
        m_lastError = error;
        return false;
    }
    m_loadedId = statFile();
    return true;
}

template <class Fn>
bool Registry::change(Fn&& fn)
{
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    if (m_batchDepth > 0) {
        if (!m_batchLock->locked()) {
            m_lastError = "the settings file is locked by another process";
            return false;
        }
        refreshLocked(true);
        if (fn(m_content))
            m_batchDirty = true;
        return true;
    }
    FileLock lock(fs::path(m_file.string() + ".lock"));
    if (!lock.locked()) {
        m_lastError = "the settings file is locked by another process";
        return false;
    }
    refreshLocked(true);
    if (!fn(m_content))
        return true;
    return saveLocked();
}

Registry::Batch::Batch(Registry& reg) : m_reg(reg)
{
    std::lock_guard<std::recursive_mutex> guard(reg.m_mutex);
    if (reg.m_batchDepth++ == 0)
        reg.m_batchLock = std::make_unique<FileLock>(fs::path(reg.m_file.string() + ".lock"));
}

Registry::Batch::~Batch()
{
    std::lock_guard<std::recursive_mutex> guard(m_reg.m_mutex);
    if (--m_reg.m_batchDepth > 0)
        return;
    if (m_reg.m_batchDirty && m_reg.m_batchLock->locked())
        m_reg.saveLocked();
    m_reg.m_batchDirty = false;
    m_reg.m_batchLock.reset();
}

bool Registry::keyExists(std::string_view key)
{
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    refreshLocked(false);
    return m_content.find(normalizeKeyPath(key)) != nullptr;
}

bool Registry::createKey(std::string_view key)
{
    const std::string path = normalizeKeyPath(key);
    if (path.empty())
        return false;
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20)
            return false; // would break the line structure of the file
    {
        std::lock_guard<std::recursive_mutex> guard(m_mutex);
        refreshLocked(false);
        if (m_content.find(path))
            return true;
    }
    return change([&](Content& c) {
        if (c.find(path))
            return false;
        c.create(path);
        return true;
    });
}

bool Registry::deleteKey(std::string_view key)
{
    const std::string path = lower(normalizeKeyPath(key));
    if (path.empty())
        return false;
    return change([&](Content& c) {
        const std::string prefix = path + "\\";
        bool any = c.keys.erase(path) > 0;
        for (auto it = c.keys.lower_bound(prefix); it != c.keys.end() && it->first.rfind(prefix, 0) == 0;) {
            it = c.keys.erase(it);
            any = true;
        }
        return any;
    });
}

std::vector<std::string> Registry::subKeys(std::string_view key)
{
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    refreshLocked(false);
    std::vector<std::string> out;
    const std::string prefix = lower(normalizeKeyPath(key)) + "\\";
    for (auto it = m_content.keys.lower_bound(prefix);
         it != m_content.keys.end() && it->first.rfind(prefix, 0) == 0; ++it) {
        if (it->first.find('\\', prefix.size()) == std::string::npos)
            out.push_back(it->second.path.substr(prefix.size()));
    }
    return out;
}

std::optional<RegValue> Registry::value(std::string_view key, std::string_view name)
{
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    refreshLocked(false);
    const Key* k = m_content.find(normalizeKeyPath(key));
    if (!k)
        return std::nullopt;
    for (const Value& v : k->values)
        if (equalsNoCase(v.name, name))
            return v.data;
    return std::nullopt;
}

bool Registry::setValue(std::string_view key, std::string_view name, const RegValue& data)
{
    const std::string path = normalizeKeyPath(key);
    if (path.empty())
        return false;
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return change([&](Content& c) {
        Key& k = c.create(path);
        for (Value& v : k.values) {
            if (equalsNoCase(v.name, name)) {
                if (v.data == data)
                    return false;
                v.data = data;
                return true;
            }
        }
        k.values.push_back(Value{std::string(name), data});
        return true;
    });
}

bool Registry::deleteValue(std::string_view key, std::string_view name)
{
    const std::string path = normalizeKeyPath(key);
    return change([&](Content& c) {
        Key* k = c.find(path);
        if (!k)
            return false;
        for (auto it = k->values.begin(); it != k->values.end(); ++it) {
            if (equalsNoCase(it->name, name)) {
                k->values.erase(it);
                return true;
            }
        }
        return false;
    });
}

std::vector<std::string> Registry::valueNames(std::string_view key)
{
    std::lock_guard<std::recursive_mutex> guard(m_mutex);
    refreshLocked(false);
    std::vector<std::string> out;
    if (const Key* k = m_content.find(normalizeKeyPath(key)))
        for (const Value& v : k->values)
            out.push_back(v.name);
    return out;
}

} // namespace platform
