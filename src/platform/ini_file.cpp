// INI profile files; see ini_file.h for the rules.
#include "platform/ini_file.h"

#include "platform/atomic_file.h"
#include "platform/text_encoding.h"

#include <climits>

namespace fs = std::filesystem;

namespace platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string decodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    return utf16ToUtf8(units);
}

std::string encodeUtf16Le(std::string_view utf8)
{
    const std::u16string units = utf8ToUtf16(utf8);
    std::string out = "\xFF\xFE";
    out.reserve(2 + units.size() * 2);
    for (char16_t u : units) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

} // namespace

IniFile::Line IniFile::parseLine(std::string raw)
{
    Line line;
    line.raw = std::move(raw);
    const std::string decoded = ansiToUtf8(line.raw);
    std::string_view s = trim(decoded);
    if (s.empty()) {
        line.kind = Kind::Blank;
    } else if (s.front() == ';') {
        line.kind = Kind::Comment;
    } else if (s.front() == '[') {
        s.remove_prefix(1);
        const size_t close = s.find(']');
        line.kind = Kind::Section;
        line.name = std::string(trim(s.substr(0, close)));
    } else if (const size_t eq = s.find('='); eq != std::string_view::npos) {
        line.kind = Kind::Entry;
        line.name = std::string(trim(s.substr(0, eq)));
        std::string_view v = trim(s.substr(eq + 1));
        if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
            v = v.substr(1, v.size() - 2);
        line.value = std::string(v);
    } else {
        line.kind = Kind::Other;
    }
    return line;
}

void IniFile::parse(std::string_view bytes)
{
    m_lines.clear();
    m_encoding = Encoding::Bytes;
    m_eol = "\r\n";
    m_finalEol = true;
    std::string converted;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        m_encoding = Encoding::Utf8Bom;
        bytes.remove_prefix(3);
    } else if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
        m_encoding = Encoding::Utf16Le;
        converted = decodeUtf16(bytes.substr(2), bytes[0] == '\xFE');
        bytes = converted;
    }
    bool eolSeen = false;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        const size_t eolLen = (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        if (!eolSeen) {
            m_eol = std::string(bytes.substr(i, eolLen));
            eolSeen = true;
        }
        m_lines.push_back(parseLine(std::string(bytes.substr(start, i - start))));
        i += eolLen - 1;
        start = i + 1;
    }
    if (start < bytes.size()) {
        m_lines.push_back(parseLine(std::string(bytes.substr(start))));
        m_finalEol = false;
    }
    reindex();
}

void IniFile::reindex()
{
    m_index.clear();
    m_sectionOrder.clear();
    SectionIndex* current = nullptr;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (l.kind == Kind::Section) {
            const std::string lower = toLowerAscii(l.name);
            auto [it, fresh] = m_index.try_emplace(lower);
            // Only the first occurrence of a section counts; later ones are kept but not read.
            current = fresh ? &it->second : nullptr;
            if (fresh) {
                it->second.header = i;
                m_sectionOrder.push_back(l.name);
            }
        } else if (l.kind == Kind::Entry && current) {
            current->keys.try_emplace(toLowerAscii(l.name), i);
        }
    }
}

bool IniFile::load(const fs::path& file)
{
    const auto bytes = readWholeFile(file, maxFileBytes);
    parse(bytes ? std::string_view(*bytes) : std::string_view());
    return bytes.has_value();
}

IniFile IniFile::fromBytes(std::string_view bytes)
{
    IniFile ini;
    ini.parse(bytes);
    return ini;
}

const IniFile::SectionIndex* IniFile::findSection(std::string_view section) const
{
    const auto it = m_index.find(toLowerAscii(section));
    return it == m_index.end() ? nullptr : &it->second;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    const SectionIndex* s = findSection(section);
    if (!s)
        return std::nullopt;
    const auto it = s->keys.find(toLowerAscii(key));
    if (it == s->keys.end())
        return std::nullopt;
    return m_lines[it->second].value;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const
{
    auto v = value(section, key);
    return v ? std::move(*v) : std::string(def);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    size_t i = 0;
    bool negative = false;
    if (i < v->size() && ((*v)[i] == '-' || (*v)[i] == '+'))
        negative = (*v)[i++] == '-';
    long long n = 0;
    const size_t digitsStart = i;
    while (i < v->size() && (*v)[i] >= '0' && (*v)[i] <= '9') {
        n = n * 10 + ((*v)[i++] - '0');
        if (n > static_cast<long long>(INT_MAX) + 1)
            n = static_cast<long long>(INT_MAX) + 1;
    }
    if (i == digitsStart)
        return def;
    n = negative ? -n : n;
    if (n > INT_MAX)
        n = INT_MAX;
    return static_cast<int>(n);
}

bool IniFile::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

std::vector<std::string> IniFile::sections() const { return m_sectionOrder; }

std::vector<std::string> IniFile::keys(std::string_view section) const
{
    std::vector<std::string> out;
    const SectionIndex* s = findSection(section);
    if (!s)
        return out;
    const size_t end = sectionEnd(s->header);
    for (size_t i = s->header + 1; i < end; ++i)
        if (m_lines[i].kind == Kind::Entry && s->keys.at(toLowerAscii(m_lines[i].name)) == i)
            out.push_back(m_lines[i].name);
    return out;
}

size_t IniFile::sectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string v(value);
    for (char& c : v)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool quote = !v.empty() && (isBlank(v.front()) || isBlank(v.back()) ||
                                      (v.size() >= 2 && v.front() == v.back() &&
                                       (v.front() == '"' || v.front() == '\'')));
    if (quote) {
        v.insert(v.begin(), '"');
        v.push_back('"');
    }
    m_finalEol = true;
    const SectionIndex* s = findSection(section);
    if (!s) {
        std::string header(1, '[');
        header += section;
        header += ']';
        m_lines.push_back(parseLine(std::move(header)));
        m_lines.push_back(parseLine(std::string(key) + "=" + v));
        reindex();
        return;
    }
    if (const auto it = s->keys.find(toLowerAscii(key)); it != s->keys.end()) {
        m_lines[it->second] = parseLine(m_lines[it->second].name + "=" + v);
        reindex();
        return;
    }
    // A new key goes after the last non-blank line of the section.
    size_t pos = sectionEnd(s->header);
    while (pos > s->header + 1 && m_lines[pos - 1].kind == Kind::Blank)
        --pos;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(pos),
                   parseLine(std::string(key) + "=" + v));
    reindex();
}

void IniFile::deleteKey(std::string_view section, std::string_view key)
{
    const SectionIndex* s = findSection(section);
    if (!s)
        return;
    if (const auto it = s->keys.find(toLowerAscii(key)); it != s->keys.end()) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(it->second));
        reindex();
    }
}

void IniFile::eraseSection(std::string_view section)
{
    const SectionIndex* s = findSection(section);
    if (!s)
        return;
    const size_t begin = s->header;
    const size_t end = sectionEnd(begin);
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(begin),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(end));
    reindex();
}

std::string IniFile::bytes() const
{
    std::string text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_finalEol)
            text += m_eol;
    }
    switch (m_encoding) {
    case Encoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case Encoding::Utf16Le:
        return encodeUtf16Le(text);
    case Encoding::Bytes:
        break;
    }
    return text;
}

bool IniFile::save(const fs::path& file) const { return writeFileAtomically(file, bytes()); }

std::string readProfileString(const fs::path& file, std::string_view section, std::string_view key,
                              std::string_view def)
{
    IniFile ini;
    ini.load(file);
    return ini.readString(section, key, def);
}

bool writeProfileString(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value)
{
    IniFile ini;
    std::error_code ec;
    // An existing file that cannot be read must not be replaced by one holding only the new entry.
    if (!ini.load(file) && fs::exists(file, ec))
        return false;
    ini.writeString(section, key, value);
    return ini.save(file);
}

} // namespace platform
