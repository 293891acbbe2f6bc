// Reading and writing the list files of the data folder.
#include "script/list_files.h"

#include "platform/text_encoding.h"

#include <array>
#include <fstream>
#include <sstream>
#include <utility>

namespace script {

std::vector<std::string> splitListLines(std::string_view bytes)
{
    const std::string text = platform::ansiToUtf8(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            std::size_t end = i;
            if (end > start && text[end - 1] == '\r')
                --end;
            lines.emplace_back(text.substr(start, end - start));
            start = i + 1;
        }
    }
    if (start < text.size()) {
        std::string last = text.substr(start);
        if (!last.empty() && last.back() == '\r')
            last.pop_back();
        lines.push_back(std::move(last));
    }
    return lines;
}

std::vector<std::string> readListLines(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return splitListLines(bytes.str());
}

std::string joinListLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

TwoLineList::TwoLineList(std::vector<std::string> lines) : m_lines(std::move(lines))
{
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        m_first.emplace(platform::toUpperAscii(m_lines[i]), i);
}

std::string TwoLineList::lookup(std::string_view key) const
{
    const auto it = m_first.find(platform::toUpperAscii(key));
    if (it == m_first.end() || it->second + 1 >= m_lines.size())
        return {};
    return m_lines[it->second + 1];
}

bool TwoLineList::containsLine(std::string_view key) const
{
    return m_first.count(platform::toUpperAscii(key)) != 0;
}

namespace {

bool isBlank(char c)
{
    return c >= 1 && c <= ' ';
}

} // namespace

std::vector<std::string> parseCommaText(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t p = 0;
    const std::size_t n = text.size();
    while (p < n && isBlank(text[p]))
        ++p;
    while (p < n) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            while (p < n && !isBlank(text[p]) && text[p] != ',' && text[p] != '\0')
                item += text[p++];
        }
        items.push_back(std::move(item));
        while (p < n && isBlank(text[p]))
            ++p;
        if (p < n && text[p] == ',') {
            if (p + 1 == n)
                items.emplace_back();
            do
                ++p;
            while (p < n && isBlank(text[p]));
        } else if (p < n && text[p] == '\0') {
            break;
        }
    }
    return items;
}

std::string toCommaText(const std::vector<std::string>& items)
{
    if (items.size() == 1 && items.front().empty())
        return "\"\"";
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& s = items[i];
        bool quote = false;
        for (char c : s)
            quote = quote || static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
        if (i)
            out += ',';
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            out += c;
            if (c == '"')
                out += '"';
        }
        out += '"';
    }
    return out;
}

ParamCompletionList::ParamCompletionList(const std::vector<std::string>& lines)
{
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        m_names.push_back(lines[i]);
        m_hints.push_back(i + 1 < lines.size() ? lines[i + 1] : std::string());
    }
}

bool ParamCompletionList::knows(std::string_view functionName) const
{
    for (const auto& n : m_names)
        if (platform::equalsNoCase(n, functionName))
            return true;
    return false;
}

std::vector<std::string> ParamCompletionList::hintFor(std::string_view functionName) const
{
    for (std::size_t i = m_names.size(); i-- > 0;)
        if (platform::equalsNoCase(m_names[i], functionName))
            return parseCommaText(m_hints[i]);
    return {};
}

std::vector<CompletionRecord> readCompletionRecords(const std::vector<std::string>& lines)
{
    std::vector<CompletionRecord> records;
    for (std::size_t i = 0; i < lines.size(); i += 3) {
        CompletionRecord r;
        r.kind = lines[i];
        if (i + 1 < lines.size())
            r.name = lines[i + 1];
        if (i + 2 < lines.size())
            r.remainder = lines[i + 2];
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<std::string> completionRecordLines(const std::vector<CompletionRecord>& records)
{
    std::vector<std::string> lines;
    lines.reserve(records.size() * 3);
    for (const auto& r : records) {
        lines.push_back(r.kind);
        lines.push_back(r.name);
        lines.push_back(r.remainder);
    }
    return lines;
}

namespace {

// Replaces every occurrence of word in text, ignoring case, by replacement.
std::string replaceNoCase(const std::string& text, std::string_view word, const std::string& replacement)
{
    const std::string upperText = platform::toUpperAscii(text);
    const std::string upperWord = platform::toUpperAscii(word);
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = upperText.find(upperWord, pos);
        if (hit == std::string::npos)
            break;
        out.append(text, pos, hit - pos);
        out += replacement;
        pos = hit + upperWord.size();
    }
    out.append(text, pos, std::string::npos);
    return out;
}

} // namespace

std::string completionDisplayRow(const CompletionRecord& record)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kColours = {{
        {"constructor", "\\color{clteal}"},
        {"destructor", "\\color{clteal}"},
        {"procedure", "\\color{clteal}"},
        {"property", "\\color{clteal}"},
        {"function", "\\color{clblue}"},
        {"var", "\\color{clmaroon}"},
        {"type", "\\color{clolive}"},
        {"constant", "\\color{clgreen}"},
    }};
    std::string kind = record.kind;
    for (const auto& [word, colour] : kColours)
        kind = replaceNoCase(kind, word, std::string(colour) + record.kind);
    return kind + " \\column{}\\color{clWindowText}\\style{+B}" + record.name + "\\style{-B}" +
           record.remainder;
}

} // namespace script
