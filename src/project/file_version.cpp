// Version resource lookup in PE images; see file_version.h. Walks DOS header, PE header, section
// table and the resource tree (type 16, first name, first language) with every offset checked
// against the file size.
#include "project/file_version.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace project {
namespace {

class Image {
public:
    explicit Image(int fd) : m_fd(fd)
    {
        struct stat st {};
        if (::fstat(fd, &st) == 0)
            m_size = static_cast<uint64_t>(st.st_size);
    }

    bool read(uint64_t offset, void* out, size_t n) const
    {
        if (offset > m_size || n > m_size - offset)
            return false;
        auto* p = static_cast<unsigned char*>(out);
        while (n > 0) {
            const ssize_t got = ::pread(m_fd, p, n, static_cast<off_t>(offset));
            if (got <= 0)
                return false;
            p += got;
            offset += static_cast<uint64_t>(got);
            n -= static_cast<size_t>(got);
        }
        return true;
    }
    bool u16(uint64_t offset, uint32_t& v) const
    {
        unsigned char b[2];
        if (!read(offset, b, 2))
            return false;
        v = b[0] | uint32_t(b[1]) << 8;
        return true;
    }
    bool u32(uint64_t offset, uint32_t& v) const
    {
        unsigned char b[4];
        if (!read(offset, b, 4))
            return false;
        v = b[0] | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
        return true;
    }

    uint64_t size() const { return m_size; }

private:
    int m_fd;
    uint64_t m_size = 0;
};

struct Section {
    uint32_t va, vsize, rawSize, rawPtr;
};

constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;

} // namespace

std::optional<FileVersion> readFileVersion(int fd)
{
    const Image img(fd);
    char mz[2];
    uint32_t peOffset = 0, sig = 0;
    if (!img.read(0, mz, 2) || mz[0] != 'M' || mz[1] != 'Z' || !img.u32(0x3C, peOffset) ||
        !img.u32(peOffset, sig) || sig != 0x00004550)
        return std::nullopt;
    const uint64_t coff = uint64_t(peOffset) + 4;
    uint32_t sectionCount = 0, optSize = 0, magic = 0;
    if (!img.u16(coff + 2, sectionCount) || !img.u16(coff + 16, optSize))
        return std::nullopt;
    const uint64_t opt = coff + 20;
    if (!img.u16(opt, magic))
        return std::nullopt;
    uint64_t dirs = 0, countAt = 0;
    if (magic == 0x10B) {
        countAt = opt + 92;
        dirs = opt + 96;
    } else if (magic == 0x20B) {
        countAt = opt + 108;
        dirs = opt + 112;
    } else {
        return std::nullopt;
    }
    uint32_t dirCount = 0, resRva = 0;
    if (!img.u32(countAt, dirCount) || dirCount < 3 || !img.u32(dirs + 16, resRva) || resRva == 0)
        return std::nullopt;

    std::vector<Section> sections;
    const uint64_t table = opt + optSize;
    for (uint32_t i = 0; i < sectionCount && i < 96; ++i) {
        Section s{};
        const uint64_t at = table + uint64_t(i) * 40;
        if (!img.u32(at + 8, s.vsize) || !img.u32(at + 12, s.va) || !img.u32(at + 16, s.rawSize) ||
            !img.u32(at + 20, s.rawPtr))
            return std::nullopt;
        sections.push_back(s);
    }
    auto toOffset = [&](uint32_t rva) -> std::optional<uint64_t> {
        for (const auto& s : sections) {
            const uint32_t span = s.vsize > s.rawSize ? s.vsize : s.rawSize;
            if (rva >= s.va && rva - s.va < span)
                return uint64_t(s.rawPtr) + (rva - s.va);
        }
        return std::nullopt;
    };
    const auto base = toOffset(resRva);
    if (!base)
        return std::nullopt;

    // One level of the resource tree: the entry with `id`, or the first entry when id is 0.
    auto entryOf = [&](uint64_t dir, uint32_t id, uint32_t& target) -> bool {
        uint32_t named = 0, ids = 0;
        if (!img.u16(dir + 12, named) || !img.u16(dir + 14, ids))
            return false;
        const uint32_t total = named + ids;
        for (uint32_t i = 0; i < total; ++i) {
            uint32_t name = 0, data = 0;
            if (!img.u32(dir + 16 + uint64_t(i) * 8, name) || !img.u32(dir + 20 + uint64_t(i) * 8, data))
                return false;
            if (id == 0 || (i >= named && name == id)) {
                target = data;
                return true;
            }
        }
        return false;
    };
    uint32_t typeEntry = 0, nameEntry = 0, langEntry = 0;
    if (!entryOf(*base, kRtVersion, typeEntry) || !(typeEntry & 0x80000000u))
        return std::nullopt;
    if (!entryOf(*base + (typeEntry & 0x7FFFFFFFu), 0, nameEntry) || !(nameEntry & 0x80000000u))
        return std::nullopt;
    if (!entryOf(*base + (nameEntry & 0x7FFFFFFFu), 0, langEntry) || (langEntry & 0x80000000u))
        return std::nullopt;
    uint32_t dataRva = 0, dataSize = 0;
    if (!img.u32(*base + langEntry, dataRva) || !img.u32(*base + langEntry + 4, dataSize))
        return std::nullopt;
    const auto data = toOffset(dataRva);
    // VS_VERSIONINFO: 3 words, "VS_VERSION_INFO\0" in UTF-16, padding to 4, VS_FIXEDFILEINFO.
    constexpr uint32_t kFixedAt = 40;
    uint32_t valueLength = 0, signature = 0;
    FileVersion v;
    if (!data || dataSize < kFixedAt + 16 || *data > img.size() || dataSize > img.size() - *data ||
        !img.u16(*data + 2, valueLength) || valueLength < 16 || !img.u32(*data + kFixedAt, signature) ||
        signature != kFixedFileInfoSignature || !img.u32(*data + kFixedAt + 8, v.high) ||
        !img.u32(*data + kFixedAt + 12, v.low))
        return std::nullopt;
    char16_t key[16];
    if (!img.read(*data + 6, key, sizeof key) || std::memcmp(key, u"VS_VERSION_INFO", sizeof key) != 0)
        return std::nullopt;
    return v;
}

} // namespace project
