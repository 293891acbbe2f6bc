// Embedded-files listing and compression levels; see embedded_files.h.
#include "project/embedded_files.h"

#include "platform/reg_values.h"

#include <algorithm>
#include <set>
#include <zlib.h>

namespace project {

namespace fs = std::filesystem;

std::string lowerCaseFileName(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c + 32);
            continue;
        }
        if (i + 1 < s.size()) {
            const auto d = static_cast<unsigned char>(s[i + 1]);
            // U+00C0..U+00DE except U+00D7 (×): C3 80..C3 9E, lower case is +0x20.
            if (c == 0xC3 && d >= 0x80 && d <= 0x9E && d != 0x97) {
                out += static_cast<char>(c);
                out += static_cast<char>(d + 0x20);
                ++i;
                continue;
            }
            // Š (C5 A0), Œ (C5 92), Ž (C5 BD) take the next code point; Ÿ (C5 B8) becomes ÿ (C3 BF).
            if (c == 0xC5 && (d == 0xA0 || d == 0x92 || d == 0xBD)) {
                out += static_cast<char>(c);
                out += static_cast<char>(d + 1);
                ++i;
                continue;
            }
            if (c == 0xC5 && d == 0xB8) {
                out += "\xC3\xBF";
                ++i;
                continue;
            }
        }
        out += static_cast<char>(c);
    }
    return out;
}

std::vector<ArchiveFile> listEmbeddedFiles(const fs::path& dir)
{
    std::vector<ArchiveFile> files;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (!it->is_regular_file(kind))
            continue;
        ArchiveFile f;
        f.name = lowerCaseFileName(it->path().filename().string());
        f.path = it->path();
        files.push_back(std::move(f));
    }
    std::sort(files.begin(), files.end(), [](const ArchiveFile& a, const ArchiveFile& b) {
        return a.name != b.name ? a.name < b.name : a.path < b.path;
    });
    // Names that differ only in letter case would land on one file when extracted: keep the first.
    files.erase(std::unique(files.begin(), files.end(),
                            [](const ArchiveFile& a, const ArchiveFile& b) { return a.name == b.name; }),
                files.end());
    return files;
}

int CompressionSetting::dialogShown()
{
    const int stored = platform::ReadRegValue("General", "EmbeddedCompression", kDefaultCompressionIndex);
    m_index = stored >= 0 && stored <= 3 ? stored : kDefaultCompressionIndex;
    return m_index;
}

void CompressionSetting::dialogHidden(int index)
{
    m_index = index >= 0 && index <= 3 ? index : kDefaultCompressionIndex;
    platform::WriteRegValue("General", "EmbeddedCompression", m_index);
}

int zlibLevelFor(int index)
{
    switch (index) {
    case 0:
        return 1;
    case 2:
        return Z_DEFAULT_COMPRESSION;
    case 3:
        return 9;
    default:
        return 0;
    }
}

const char* compressionLevelKey(int index)
{
    static const char* const keys[] = {"COMPLEVL1", "COMPLEVL2", "COMPLEVL3", "COMPLEVL4"};
    return index >= 0 && index < 4 ? keys[index] : keys[kDefaultCompressionIndex];
}

} // namespace project
