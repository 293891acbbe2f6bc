// Position bookkeeping of preprocessed texts.
#include "pascal/source_map.h"

#include <algorithm>

namespace pascal {

LineTable::LineTable(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\n') {
            m_starts.push_back(i + 1);
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            m_starts.push_back(i + 1);
        }
    }
}

void LineTable::locate(std::size_t offset, int& row, int& col) const
{
    auto it = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    std::size_t line = static_cast<std::size_t>(it - m_starts.begin()) - 1;
    row = static_cast<int>(line + 1);
    col = static_cast<int>(offset - m_starts[line] + 1);
}

int SourceMap::addFile(std::string name, std::string_view text)
{
    m_files.push_back(File{std::move(name), LineTable(text), text.size()});
    return static_cast<int>(m_files.size() - 1);
}

void SourceMap::addRun(std::size_t outStart, std::size_t length, int file, std::size_t srcOffset)
{
    if (length == 0)
        return;
    if (!m_runs.empty()) {
        Run& last = m_runs.back();
        if (last.file == file && last.outStart + last.length == outStart &&
            last.srcOffset + last.length == srcOffset) {
            last.length += length;
            return;
        }
    }
    m_runs.push_back(Run{outStart, length, file, srcOffset});
}

SourceLocation SourceMap::locate(std::size_t outOffset, std::string_view outputText) const
{
    SourceLocation loc;
    if (m_runs.empty() || m_files.empty()) {
        loc.offset = outOffset;
        if (!m_files.empty())
            m_files[0].lines.locate(outOffset, loc.row, loc.col);
        return loc;
    }
    auto it = std::upper_bound(m_runs.begin(), m_runs.end(), outOffset,
                               [](std::size_t o, const Run& r) { return o < r.outStart; });
    if (it == m_runs.begin()) {
        loc.file = m_runs.front().file;
        loc.offset = m_runs.front().srcOffset;
    } else {
        const Run& r = *(it - 1);
        if (outOffset < r.outStart + r.length || it != m_runs.end()) {
            loc.file = r.file;
            loc.offset = r.srcOffset + std::min(outOffset - r.outStart, r.length);
        } else {
            // Past the last run: text appended after preprocessing continues the script's rows.
            std::size_t mappedEnd = r.outStart + r.length;
            const Run* lastMain = nullptr;
            for (auto j = m_runs.rbegin(); j != m_runs.rend(); ++j) {
                if (j->file == 0) {
                    lastMain = &*j;
                    break;
                }
            }
            loc.file = 0;
            loc.offset = lastMain ? lastMain->srcOffset + lastMain->length : 0;
            m_files[0].lines.locate(loc.offset, loc.row, loc.col);
            std::size_t end = std::min(outOffset, outputText.size());
            for (std::size_t i = mappedEnd; i < end; ++i) {
                char c = outputText[i];
                if (c == '\n' || (c == '\r' && !(i + 1 < end && outputText[i + 1] == '\n'))) {
                    ++loc.row;
                    loc.col = 1;
                } else {
                    ++loc.col;
                }
            }
            if (outOffset > end)
                loc.col += static_cast<int>(outOffset - end);
            loc.offset += outOffset - mappedEnd;
            return loc;
        }
    }
    m_files[static_cast<std::size_t>(loc.file)].lines.locate(loc.offset, loc.row, loc.col);
    return loc;
}

const std::string& SourceMap::fileName(int file) const
{
    static const std::string empty;
    if (file <= 0 || static_cast<std::size_t>(file) >= m_files.size())
        return empty;
    return m_files[static_cast<std::size_t>(file)].name;
}

} // namespace pascal
