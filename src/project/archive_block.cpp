// Archive block writer and readers; see archive_block.h.
#include "project/archive_block.h"

#include "platform/text_encoding.h"
#include "project/check_value.h"
#include "project/file_version.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace project {
namespace {

constexpr char kDataMarker[4] = {'A', 'D', 'V', '\0'};
constexpr size_t kMaxEntryName = 4096;
// A stored zlib stream of n bytes takes n + 11 bytes (header, one stored block, Adler-32), so at
// level 0 a chunk longer than this never fits and is stored raw without asking zlib.
constexpr size_t kLevel0Fits = kArchiveChunkSize - 11;

void writeTaggedInt(ByteWriter& out, int32_t v)
{
    if (v >= -128 && v <= 127) {
        out.writeByte(2);
        out.writeByte(static_cast<uint8_t>(v));
    } else if (v >= -32768 && v <= 32767) {
        out.writeByte(3);
        const auto u = static_cast<uint16_t>(v);
        out.writeByte(static_cast<uint8_t>(u));
        out.writeByte(static_cast<uint8_t>(u >> 8));
    } else {
        out.writeByte(4);
        out.writeInt32(v);
    }
}

int64_t readTaggedInt(ByteReader& in)
{
    const uint8_t tag = in.readByte();
    unsigned char b[8];
    switch (tag) {
    case 2:
        in.readExact(b, 1);
        return static_cast<int8_t>(b[0]);
    case 3:
        in.readExact(b, 2);
        return static_cast<int16_t>(uint16_t(b[0] | b[1] << 8));
    case 4:
        return in.readInt32();
    case 19: {
        in.readExact(b, 8);
        uint64_t u = 0;
        for (int i = 7; i >= 0; --i)
            u = u << 8 | b[i];
        return static_cast<int64_t>(u);
    }
    default:
        throw FormatError("bad integer in archive entry");
    }
}

class Compressor {
public:
    explicit Compressor(int level) : m_level(level)
    {
        if (deflateInit(&m_z, level) != Z_OK)
            throw ArchiveError("Compression error");
    }
    ~Compressor() { deflateEnd(&m_z); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    // Compressed size in `out`, or 0 when the chunk does not fit in kArchiveChunkSize bytes.
    size_t compress(const unsigned char* data, size_t n, unsigned char* out)
    {
        if (m_level == 0 && n > kLevel0Fits)
            return 0;
        // A reset compressor produces the same stream as a freshly made one, without the set-up.
        if (deflateReset(&m_z) != Z_OK)
            throw ArchiveError("Compression error");
        m_z.next_in = const_cast<Bytef*>(data);
        m_z.avail_in = static_cast<uInt>(n);
        m_z.next_out = out;
        m_z.avail_out = static_cast<uInt>(kArchiveChunkSize);
        const int rc = deflate(&m_z, Z_FINISH);
        if (rc == Z_STREAM_END)
            return kArchiveChunkSize - m_z.avail_out;
        if (rc == Z_OK || rc == Z_BUF_ERROR)
            return 0;
        throw ArchiveError("Compression error");
    }

private:
    z_stream m_z{};
    int m_level;
};

class Progress {
public:
    Progress(const PercentFn& fn, uint64_t total) : m_fn(fn), m_total(total) {}
    void add(uint64_t n)
    {
        m_done += n;
        if (!m_fn || m_total == 0)
            return;
        const int pct = static_cast<int>(std::min<uint64_t>(100, m_done * 100 / m_total));
        if (pct != m_last) {
            m_last = pct;
            m_fn(pct);
        }
    }

private:
    const PercentFn& m_fn;
    uint64_t m_total;
    uint64_t m_done = 0;
    int m_last = -1;
};

struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

// Reads until n bytes or the end of the file.
size_t readFull(int fd, unsigned char* buf, size_t n)
{
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, buf + done, n - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw ArchiveError("Cannot read file");
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

class ChunkWriter {
public:
    ChunkWriter(ByteWriter& out, int level) : m_out(out), m_compressor(level) {}

    void chunk(const unsigned char* data, size_t n, CheckValue& check)
    {
        check.addChunk(data, n);
        const size_t packed = m_compressor.compress(data, n, m_packed);
        if (packed > 0) {
            emitInt(static_cast<int32_t>(packed));
            emit(m_packed, packed);
        } else {
            emitInt(-static_cast<int32_t>(n));
            emit(data, n);
        }
    }
    void emitInt(int32_t v)
    {
        try {
            m_out.writeInt32(v);
        } catch (const IoError&) {
            throw ArchiveError("Cannot write to archive");
        }
    }
    void emit(const void* data, size_t n)
    {
        try {
            m_out.write(data, n);
        } catch (const IoError&) {
            throw ArchiveError("Cannot write to archive");
        }
    }

private:
    ByteWriter& m_out;
    Compressor m_compressor;
    unsigned char m_packed[kArchiveChunkSize];
};

constexpr size_t kReadAhead = 64 * kArchiveChunkSize;

} // namespace

uint32_t toDosTime(std::int64_t unixSeconds)
{
    const auto t = static_cast<std::time_t>(unixSeconds);
    std::tm tm{};
    if (!localtime_r(&t, &tm) || tm.tm_year < 80)
        return (1u << 16) | (1u << 5) << 16; // 1980-01-01 00:00:00
    if (tm.tm_year > 207)
        return 0xFF9FBF7Du; // 2107-12-31 23:59:58
    const uint32_t date =
        uint32_t(tm.tm_year - 80) << 9 | uint32_t(tm.tm_mon + 1) << 5 | uint32_t(tm.tm_mday);
    const uint32_t time = uint32_t(tm.tm_hour) << 11 | uint32_t(tm.tm_min) << 5 | uint32_t(tm.tm_sec / 2);
    return date << 16 | time;
}

std::optional<std::int64_t> fromDosTime(uint32_t dosTime)
{
    const uint32_t date = dosTime >> 16, time = dosTime & 0xFFFF;
    std::tm tm{};
    tm.tm_year = int(date >> 9) + 80;
    tm.tm_mon = int((date >> 5) & 15) - 1;
    tm.tm_mday = int(date & 31);
    tm.tm_hour = int(time >> 11);
    tm.tm_min = int((time >> 5) & 63);
    tm.tm_sec = int(time & 31) * 2;
    tm.tm_isdst = -1;
    if (tm.tm_mon < 0 || tm.tm_mon > 11 || tm.tm_mday < 1 || tm.tm_hour > 23 || tm.tm_min > 59 ||
        tm.tm_sec > 59)
        return std::nullopt;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<std::int64_t>(t);
}

std::string crcFailedText(const std::string& path, uint32_t stored, uint32_t computed)
{
    return "CRC Failed in file " + path + ".\r\nStored CRC32 : " + std::to_string(int32_t(stored)) +
           ".\r\nCurrent CRC32 : " + std::to_string(int32_t(computed)) + ".";
}

bool isSafeEntryName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > 255)
        return false;
    return name.find_first_of(std::string_view("/\\:\0", 4)) == std::string_view::npos;
}

void writeArchiveBlock(ByteWriter& out, const std::vector<ArchiveFile>& files, int zlibLevel,
                       const PercentFn& progress)
{
    ChunkWriter chunks(out, zlibLevel);
    uint64_t total = 0;
    uint32_t total32 = 0;
    for (const auto& f : files) {
        uint64_t size = f.content.size();
        if (!f.path.empty()) {
            struct stat st {};
            size = ::stat(f.path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
        }
        total += size;
        total32 += static_cast<uint32_t>(size);
    }
    const std::string_view title(kArchiveTitle);
    chunks.emitInt(static_cast<int32_t>(title.size()));
    chunks.emit(title.data(), title.size());
    chunks.emitInt(static_cast<int32_t>(total32));
    chunks.emitInt(static_cast<int32_t>(files.size()));

    Progress report(progress, total);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[kReadAhead]);
    for (const auto& f : files) {
        std::optional<Fd> fd;
        uint32_t dosTime = f.dosTime;
        std::optional<FileVersion> version;
        if (!f.path.empty()) {
            struct stat st {};
            if (::stat(f.path.c_str(), &st) != 0 && errno == ENOENT)
                continue;
            fd.emplace(::open(f.path.c_str(), O_RDONLY | O_CLOEXEC));
            if (fd->fd < 0 || ::fstat(fd->fd, &st) != 0 || !S_ISREG(st.st_mode))
                throw ArchiveError("Cannot read file");
            dosTime = toDosTime(st.st_mtim.tv_sec);
            version = readFileVersion(fd->fd);
        }
        chunks.emitInt(static_cast<int32_t>(f.name.size()));
        chunks.emit(f.name.data(), f.name.size());
        StringWriter record;
        if (version) {
            writeTaggedInt(record, 1);
            writeTaggedInt(record, static_cast<int32_t>(version->high));
            writeTaggedInt(record, static_cast<int32_t>(version->low));
        } else {
            writeTaggedInt(record, 2);
        }
        chunks.emit(record.bytes().data(), record.bytes().size());
        chunks.emitInt(static_cast<int32_t>(dosTime));
        chunks.emit(kDataMarker, 4);

        CheckValue check;
        if (fd) {
            for (;;) {
                const size_t got = readFull(fd->fd, buffer.get(), kReadAhead);
                for (size_t at = 0; at < got; at += kArchiveChunkSize) {
                    const size_t n = std::min(kArchiveChunkSize, got - at);
                    chunks.chunk(buffer.get() + at, n, check);
                    report.add(n);
                }
                if (got < kReadAhead)
                    break;
            }
        } else {
            const auto* data = reinterpret_cast<const unsigned char*>(f.content.data());
            for (size_t at = 0; at < f.content.size(); at += kArchiveChunkSize) {
                const size_t n = std::min(kArchiveChunkSize, f.content.size() - at);
                chunks.chunk(data + at, n, check);
                report.add(n);
            }
        }
        chunks.emitInt(0);
        chunks.emitInt(static_cast<int32_t>(check.value()));
    }
    chunks.emitInt(0);
}

namespace {

class Inflater {
public:
    Inflater()
    {
        if (inflateInit(&m_z) != Z_OK)
            throw FormatError("cannot start decompression");
    }
    ~Inflater() { inflateEnd(&m_z); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Inflates one complete zlib stream into at most kArchiveChunkSize bytes.
    size_t inflateChunk(const unsigned char* data, size_t n, unsigned char* out)
    {
        if (inflateReset(&m_z) != Z_OK)
            throw FormatError("cannot start decompression");
        m_z.next_in = const_cast<Bytef*>(data);
        m_z.avail_in = static_cast<uInt>(n);
        m_z.next_out = out;
        m_z.avail_out = static_cast<uInt>(kArchiveChunkSize);
        const int rc = inflate(&m_z, Z_FINISH);
        if (rc != Z_STREAM_END)
            throw FormatError(m_z.avail_out == 0 ? "a chunk inflates past its size" : "damaged chunk");
        return kArchiveChunkSize - m_z.avail_out;
    }

private:
    z_stream m_z{};
};

// zlib's header records a level class (FLEVEL); a stored first block tells level 0 from level 1.
int levelIndexOf(const unsigned char* stream)
{
    switch (stream[1] >> 6) {
    case 0:
        return ((stream[2] >> 1) & 3) == 0 ? 1 : 0;
    case 1:
        return 0;
    case 2:
        return 2;
    default:
        return 3;
    }
}

} // namespace

ArchiveResult readArchiveBlock(ByteReader& in, ArchiveSink& sink, const PercentFn& progress)
{
    ArchiveResult result;
    uint32_t total = 0;
    try {
        const size_t titleLength = in.checkedLength(in.readInt32());
        in.skip(titleLength);
        total = in.readUInt32();
        in.readUInt32(); // the file count: the entries end at a zero name length instead
    } catch (const platform::Error&) {
        result.endPosition = in.position();
        return result;
    }
    result.headerRead = true;
    Progress report(progress, total);
    Inflater inflater;
    std::unique_ptr<unsigned char[]> packed(new unsigned char[kArchiveChunkSize]);
    std::unique_ptr<unsigned char[]> plain(new unsigned char[kArchiveChunkSize]);
    try {
        for (;;) {
            const int32_t nameLength = in.readInt32();
            if (nameLength == 0)
                break;
            // No file name comes near this; a longer one is damage, and is not worth the memory.
            if (nameLength > int32_t(kMaxEntryName))
                throw FormatError("entry name too long");
            ArchiveEntry entry;
            entry.name.resize(in.checkedLength(nameLength));
            in.readExact(entry.name.data(), entry.name.size());
            if (readTaggedInt(in) == 1) {
                entry.hasVersion = true;
                entry.versionHigh = static_cast<uint32_t>(readTaggedInt(in));
                entry.versionLow = static_cast<uint32_t>(readTaggedInt(in));
            }
            entry.dosTime = in.readUInt32();
            entry.skipped = sink.open(entry) == ArchiveSink::Open::Skip;
            char marker[4];
            in.readExact(marker, 4);
            if (!std::equal(marker, marker + 4, kDataMarker))
                throw FormatError("bad data marker");
            CheckValue check;
            for (;;) {
                const int32_t length = in.readInt32();
                if (length == 0)
                    break;
                const int64_t size = length < 0 ? -int64_t(length) : int64_t(length);
                if (size > int64_t(kArchiveChunkSize))
                    throw FormatError("chunk too long");
                const size_t n = in.checkedLength(size);
                size_t produced = n;
                if (length > 0) {
                    in.readExact(packed.get(), n);
                    if (!result.levelIndex && n >= 3)
                        result.levelIndex = levelIndexOf(packed.get());
                    produced = inflater.inflateChunk(packed.get(), n, plain.get());
                } else {
                    in.readExact(plain.get(), n);
                }
                check.addChunk(plain.get(), produced);
                if (!entry.skipped)
                    sink.write(plain.get(), produced);
                entry.size += produced;
                report.add(produced);
            }
            entry.storedCheck = in.readUInt32();
            entry.computedCheck = check.value();
            if (!entry.skipped)
                sink.close(entry);
            result.entries.push_back(std::move(entry));
        }
        sink.finish();
        result.complete = true;
    } catch (const std::exception&) {
        result.error = kCannotReadFile;
    }
    result.endPosition = in.position();
    return result;
}

ArchiveResult extractArchiveBlock(ByteReader& in, const std::filesystem::path& dir, const PercentFn& progress)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::unique_ptr<ArchiveSink> sink;
    try {
        sink = makeFolderSink(dir);
    } catch (const IoError&) {
        ArchiveResult r;
        r.headerRead = true;
        r.error = kCannotReadFile;
        return r;
    }
    return readArchiveBlock(in, *sink, progress);
}

} // namespace project
