// The typed settings store that stands in for the current user's registry: keys below
// HKEY_CURRENT_USER with string, DWORD and binary values, kept in one text file in the REGEDIT4 style:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\SOFTWARE\Orvane\Lumeni Zarerud\General]
//   "Language"="English"
//   "Grid.X"=dword:00000008
//   "Data"=hex:01,02
//   @="the key's default value"
//
// Key and value names compare without regard to case and keep the spelling they were created with.
// In strings, \\ and \" escape themselves, and line breaks, tabs and other control characters are
// written as \r, \n, \t and \xHH, so a value of several lines stays on one line of the file.
//
// Every change is saved at once through write-temp, fsync, rename, under a lock file (<file>.lock)
// that two processes take in turn; before a change the file is read again when another process has
// replaced it, so neither loses the other's writes. A damaged file is copied aside to <file>.bad and
// every line that still reads is kept; reading never fails, it falls back to what is there.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct RegValue {
    enum class Type { String, DWord, Binary };
    Type type = Type::String;
    std::string text;                // String
    std::uint32_t dword = 0;         // DWord
    std::vector<std::uint8_t> bytes; // Binary

    static RegValue string(std::string_view s);
    static RegValue fromDWord(std::uint32_t v);
    static RegValue binary(std::vector<std::uint8_t> b);
    bool operator==(const RegValue&) const = default;
};

class Registry {
public:
    // Files larger than this count as damaged.
    static constexpr std::size_t maxFileBytes = 64u << 20;

    explicit Registry(std::filesystem::path file);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // The current user's store: $LMB_REGISTRY, else $XDG_CONFIG_HOME/Orvane/registry.reg. Follows a
    // change of LMB_REGISTRY (tests point it at a fresh folder each time).
    static std::shared_ptr<Registry> currentUser();
    static std::filesystem::path defaultFile();

    const std::filesystem::path& file() const { return m_file; }

    // Keys are paths below HKEY_CURRENT_USER with "\" between the parts ("SOFTWARE\Orvane\...").
    bool keyExists(std::string_view key);
    bool createKey(std::string_view key); // with its parents; true when it exists afterwards
    bool deleteKey(std::string_view key); // with all its subkeys
    std::vector<std::string> subKeys(std::string_view key);

    // An empty name is the key's default value.
    std::optional<RegValue> value(std::string_view key, std::string_view name);
    bool setValue(std::string_view key, std::string_view name, const RegValue& v); // creates the key
    bool deleteValue(std::string_view key, std::string_view name);
    std::vector<std::string> valueNames(std::string_view key);

    // Groups many changes into one save (the settings written when the main window closes): while a
    // Batch lives, this store holds its lock file and saves once, when the Batch ends.
    class Batch {
    public:
        explicit Batch(Registry& reg);
        explicit Batch(const std::shared_ptr<Registry>& reg) : Batch(*reg) { m_keep = reg; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Registry& m_reg;
        std::shared_ptr<Registry> m_keep;
    };

    // Whether the last read of the file found damage (and kept a copy in <file>.bad).
    bool foundDamage() const { return m_foundDamage; }
    // The reason of the last failed save, for diagnostics.
    std::string lastError() const { return m_lastError; }

    // The file text for the current content, and the reader (exposed for tests and fuzzing).
    struct Content;
    static std::string serialize(const Content& c);
    // Returns false when any line was damaged; what could be read is in `out`.
    static bool parse(std::string_view bytes, Content& out);

    struct Value {
        std::string name;
        RegValue data;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;
    };
    struct Content {
        std::map<std::string, Key> keys; // by lower-case path
        Key* find(std::string_view path);
        Key& create(std::string_view path);
    };

private:
    struct FileId {
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = -1;
        std::timespec mtime{};
        bool operator==(const FileId&) const;
    };
    template <class Fn>
    bool change(Fn&& fn);
    void refreshLocked(bool haveFileLock);
    void loadLocked(bool mayRepair);
    bool saveLocked();
    std::optional<FileId> statFile() const;

    class FileLock;
    std::filesystem::path m_file;
    std::recursive_mutex m_mutex;
    int m_batchDepth = 0;
    bool m_batchDirty = false;
    std::unique_ptr<FileLock> m_batchLock;
    Content m_content;
    std::optional<FileId> m_loadedId;
    bool m_everLoaded = false;
    bool m_foundDamage = false;
    bool m_repairPending = false; // damage found while another process held the lock
    std::string m_lastError;
};

// A key path with its parts cleaned: no empty parts, "\" between them.
std::string normalizeKeyPath(std::string_view key);

} // namespace platform
