// Sequential byte sources and sinks for the project file and its archive blocks: a file read or
// written through a large buffer, or a block of memory. Every reader of outside bytes checks a
// stored length against remaining() before it allocates or copies anything.
#pragma once

#include "platform/errors.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace project {

// A read or write failure of the underlying file; code() is the errno value (0 when none).
class IoError : public platform::Error {
public:
    IoError(const std::string& what, int code) : platform::Error(what), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

// Raised when stored bytes end early or do not make sense.
class FormatError : public platform::Error {
public:
    using platform::Error::Error;
};

class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Reads up to n bytes; returns how many were read (0 only at the end).
    virtual size_t read(void* buffer, size_t n) = 0;
    // Bytes left before the end of the source.
    virtual uint64_t remaining() const = 0;
    // Bytes consumed so far.
    virtual uint64_t position() const = 0;

    // Reads exactly n bytes or throws FormatError.
    void readExact(void* buffer, size_t n);
    // Skips n bytes or throws FormatError.
    void skip(uint64_t n);
    int32_t readInt32();
    uint32_t readUInt32() { return static_cast<uint32_t>(readInt32()); }
    uint8_t readByte();
    // A stored length checked against the bytes that remain.
    size_t checkedLength(int64_t length);
};

class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    virtual void write(const void* data, size_t n) = 0;
    virtual uint64_t position() const = 0;

    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    void writeInt32(int32_t value);
    void writeByte(uint8_t value) { write(&value, 1); }
};

// A block of memory that the caller keeps alive.
class MemoryReader final : public ByteReader {
public:
    MemoryReader(const void* data, size_t size)
        : m_data(static_cast<const unsigned char*>(data)), m_size(size)
    {}
    explicit MemoryReader(std::string_view bytes) : MemoryReader(bytes.data(), bytes.size()) {}
    size_t read(void* buffer, size_t n) override;
    uint64_t remaining() const override { return m_size - m_pos; }
    uint64_t position() const override { return m_pos; }

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

class StringWriter final : public ByteWriter {
public:
    void write(const void* data, size_t n) override;
    using ByteWriter::write;
    uint64_t position() const override { return m_bytes.size(); }
    const std::string& bytes() const { return m_bytes; }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

// A regular file opened for reading, from a start offset to its size at the time of opening.
class FileReader final : public ByteReader {
public:
    explicit FileReader(const std::filesystem::path& path, uint64_t start = 0);
    ~FileReader() override;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    size_t read(void* buffer, size_t n) override;
    uint64_t remaining() const override { return m_size - position(); }
    uint64_t position() const override { return m_filePos - (m_end - m_next); }
    uint64_t size() const { return m_size; }

private:
    int m_fd = -1;
    uint64_t m_size = 0;
    uint64_t m_filePos = 0;
    std::unique_ptr<unsigned char[]> m_buffer;
    size_t m_next = 0;
    size_t m_end = 0;
};

// A file written through a buffer. Opened on an already created descriptor or a path.
class FileWriter final : public ByteWriter {
public:
    // Takes over fd (closed by the destructor).
    explicit FileWriter(int fd);
    ~FileWriter() override;
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void write(const void* data, size_t n) override;
    using ByteWriter::write;
    uint64_t position() const override { return m_written + m_used; }
    void flush();
    // Flushes, then makes the bytes durable.
    void sync();
    // Flushes and closes, reporting what closing reports.
    void close();
    // Starts writing the bytes to the disk while more are produced, so that the final sync() has
    // little left to wait for (for files that are synced at the end anyway).
    void setEarlyWriteback(bool on) { m_earlyWriteback = on; }
    int fd() const { return m_fd; }

private:
    int m_fd;
    uint64_t m_written = 0;
    std::unique_ptr<unsigned char[]> m_buffer;
    size_t m_used = 0;
    bool m_earlyWriteback = false;
    uint64_t m_writebackStart = 0;
    void startWriteback();
};

// Throws IoError with errno and the system's text for it.
[[noreturn]] void throwErrno(const std::string& what, int code);

} // namespace project
