// Buffered file and memory byte streams; see byte_io.h.
#include "project/byte_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace project {
namespace {

constexpr size_t kBufferSize = 256 * 1024;

} // namespace

void throwErrno(const std::string& what, int code)
{
    throw IoError(what + ": " + std::strerror(code), code);
}

void ByteReader::readExact(void* buffer, size_t n)
{
    auto* out = static_cast<unsigned char*>(buffer);
    while (n > 0) {
        const size_t got = read(out, n);
        if (got == 0)
            throw FormatError("unexpected end of data");
        out += got;
        n -= got;
    }
}

void ByteReader::skip(uint64_t n)
{
    if (n > remaining())
        throw FormatError("unexpected end of data");
    unsigned char scratch[4096];
    while (n > 0) {
        const size_t step = static_cast<size_t>(std::min<uint64_t>(n, sizeof scratch));
        readExact(scratch, step);
        n -= step;
    }
}

int32_t ByteReader::readInt32()
{
    unsigned char b[4];
    readExact(b, 4);
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                uint32_t(b[3]) << 24);
}

uint8_t ByteReader::readByte()
{
    uint8_t b;
    readExact(&b, 1);
    return b;
}

size_t ByteReader::checkedLength(int64_t length)
{
    if (length < 0 || static_cast<uint64_t>(length) > remaining())
        throw FormatError("a stored length runs past the end of the data");
    return static_cast<size_t>(length);
}

void ByteWriter::writeInt32(int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    write(b, 4);
}

size_t MemoryReader::read(void* buffer, size_t n)
{
    n = std::min(n, m_size - m_pos);
    if (n > 0)
        std::memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return n;
}

void StringWriter::write(const void* data, size_t n)
{
    m_bytes.append(static_cast<const char*>(data), n);
}

FileReader::FileReader(const std::filesystem::path& path, uint64_t start)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        throwErrno("cannot open \"" + path.string() + "\"", errno);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int code = S_ISREG(st.st_mode) ? errno : EISDIR;
        ::close(m_fd);
        throwErrno("cannot read \"" + path.string() + "\"", code);
    }
    m_size = static_cast<uint64_t>(st.st_size);
    m_filePos = std::min(start, m_size);
    if (m_filePos > 0 && ::lseek(m_fd, static_cast<off_t>(m_filePos), SEEK_SET) < 0) {
        const int code = errno;
        ::close(m_fd);
        throwErrno("cannot read \"" + path.string() + "\"", code);
    }
    m_buffer.reset(new unsigned char[kBufferSize]);
}

FileReader::~FileReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

size_t FileReader::read(void* buffer, size_t n)
{
    auto* out = static_cast<unsigned char*>(buffer);
    // The size is fixed at opening: a file that grows meanwhile is read to its old end only.
    n = static_cast<size_t>(std::min<uint64_t>(n, remaining()));
    size_t done = 0;
    while (done < n) {
        if (m_next == m_end) {
            const size_t want = n - done;
            if (want >= kBufferSize) {
                const ssize_t got = ::read(m_fd, out + done, want);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0)
                    throwErrno("read error", errno);
                if (got == 0)
                    break;
                m_filePos += static_cast<uint64_t>(got);
                done += static_cast<size_t>(got);
                continue;
            }
            const ssize_t got = ::read(m_fd, m_buffer.get(), kBufferSize);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throwErrno("read error", errno);
            if (got == 0)
                break;
            m_filePos += static_cast<uint64_t>(got);
            m_next = 0;
            m_end = static_cast<size_t>(got);
        }
        const size_t step = std::min(n - done, m_end - m_next);
        std::memcpy(out + done, m_buffer.get() + m_next, step);
        m_next += step;
        done += step;
    }
    if (done < n)
        m_size = position(); // the file shrank while it was open: its end is here now
    return done;
}

FileWriter::FileWriter(int fd) : m_fd(fd), m_buffer(new unsigned char[kBufferSize])
{}

FileWriter::~FileWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

static void writeAll(int fd, const unsigned char* data, size_t n)
{
    while (n > 0) {
        const ssize_t put = ::write(fd, data, n);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            throwErrno("write error", errno);
        data += put;
        n -= static_cast<size_t>(put);
    }
}

void FileWriter::startWriteback()
{
    constexpr uint64_t kStep = 8 << 20;
    if (!m_earlyWriteback || m_written - m_writebackStart < kStep)
        return;
    // Asynchronous: only queues the pages; errors show up at the final fsync.
    ::sync_file_range(m_fd, static_cast<off_t>(m_writebackStart),
                      static_cast<off_t>(m_written - m_writebackStart), SYNC_FILE_RANGE_WRITE);
    m_writebackStart = m_written;
}

void FileWriter::write(const void* data, size_t n)
{
    const auto* in = static_cast<const unsigned char*>(data);
    if (m_used + n > kBufferSize) {
        flush();
        if (n >= kBufferSize) {
            writeAll(m_fd, in, n);
            m_written += n;
            startWriteback();
            return;
        }
    }
    std::memcpy(m_buffer.get() + m_used, in, n);
    m_used += n;
}

void FileWriter::flush()
{
    if (m_used == 0)
        return;
    writeAll(m_fd, m_buffer.get(), m_used);
    m_written += m_used;
    m_used = 0;
    startWriteback();
}

void FileWriter::close()
{
    flush();
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0)
        throwErrno("write error", errno);
}

void FileWriter::sync()
{
    flush();
    if (::fsync(m_fd) != 0)
        throwErrno("write error", errno);
}

} // namespace project
