// INI profile files with the semantics of the classic profile functions: sections in brackets, then
// key=value lines; section and key names compare without regard to case; the first occurrence of a
// section or key wins; a missing file, section or key reads as the default. A write changes one
// entry and keeps every other line (comments, order, line ends, bytes in other encodings) as it was.
//
// Used for language files, Autorun.inf, the export settings file and the update information.
//
// Reading: values are trimmed, and one pair of matching quotes around a value is removed. Lines end
// with CR LF, LF or a lone CR. Text that is not valid UTF-8 is taken as Windows-1252 line by line;
// a UTF-8 byte-order mark is skipped and UTF-16 files with a byte-order mark are decoded. Files
// larger than maxFileBytes count as unreadable.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class IniFile {
public:
    static constexpr std::size_t maxFileBytes = 64u << 20;

    IniFile() = default;

    // Reads `file`; false when it is missing or unreadable (the object is then empty).
    bool load(const std::filesystem::path& file);
    // Parses bytes as if they were a file's content.
    static IniFile fromBytes(std::string_view bytes);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    // GetPrivateProfileInt: leading decimal digits (with a sign), else the default.
    int readInteger(std::string_view section, std::string_view key, int def) const;

    bool hasSection(std::string_view section) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    // In-memory edits. A line break inside a value becomes a blank (values are single lines); a value
    // that would not read back as written (outer blanks, outer quotes) is written in quotes.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void deleteKey(std::string_view section, std::string_view key);
    void eraseSection(std::string_view section);

    // The bytes as they would be saved; save() replaces the file safely.
    std::string bytes() const;
    bool save(const std::filesystem::path& file) const;

private:
    enum class Kind { Blank, Comment, Section, Entry, Other };
    enum class Encoding { Bytes, Utf8Bom, Utf16Le };
    struct Line {
        std::string raw; // as in the file (8-bit encodings), without line end
        Kind kind = Kind::Blank;
        std::string name;  // section name or key, decoded, trimmed
        std::string value; // decoded value (Entry)
    };
    struct SectionIndex {
        size_t header = 0; // line of the first [section]
        std::unordered_map<std::string, size_t> keys;
    };

    void parse(std::string_view text);
    void reindex();
    static Line parseLine(std::string raw);
    const SectionIndex* findSection(std::string_view section) const;
    size_t sectionEnd(size_t header) const;

    std::vector<Line> m_lines;
    std::unordered_map<std::string, SectionIndex> m_index; // by lower-case section name
    std::vector<std::string> m_sectionOrder;
    Encoding m_encoding = Encoding::Bytes;
    std::string m_eol = "\r\n";
    bool m_finalEol = true;
};

// One-shot profile functions on a file.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def);
// False when the file cannot be read (it is then left untouched) or cannot be written.
bool writeProfileString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace platform
