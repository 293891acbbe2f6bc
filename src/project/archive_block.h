// Archive blocks: the compressed file lists that follow the value section of a project file (the
// embedded files, then script.txt). Layout, all integers little-endian:
//
//   title length (int32), title, total size (uint32), file count (uint32), entries, 0 (int32)
//   entry: name length (int32 > 0), name, version record (tagged integers), DOS file time,
//          "ADV\0", chunks, 0 (int32), check value (uint32)
//   chunk: L (int32) and |L| bytes: a complete zlib stream of at most 16384 input bytes when
//          L > 0, the bytes as they are when L < 0
//
// Each chunk is compressed alone, into at most 16384 bytes; what does not fit is stored raw.
#pragma once

#include "platform/errors.h"
#include "project/byte_io.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace project {

constexpr size_t kArchiveChunkSize = 16384;
constexpr const char* kArchiveTitle = "Embedded Files";

// A failure of the block writer. The texts are the archive's own: "Cannot read file",
// "Cannot write to archive", "Compression error".
class ArchiveError : public platform::Error {
public:
    using platform::Error::Error;
};

// Percent of the block's bytes done, reported after each chunk when it changes.
using PercentFn = std::function<void(int percent)>;

// One file to store: read from `path`, or, when `path` is empty, the bytes of `content`
// stamped with `dosTime`.
struct ArchiveFile {
    std::string name; // as stored: no folder, lower case
    std::filesystem::path path;
    std::string content;
    uint32_t dosTime = 0;
};

// Writes one block at a zlib level (0..9, or -1 for zlib's default). A listed file that no longer
// exists is left out. Throws ArchiveError; the bytes written so far are then incomplete.
void writeArchiveBlock(ByteWriter& out, const std::vector<ArchiveFile>& files, int zlibLevel,
                       const PercentFn& progress = {});

// What the reader met for one entry.
struct ArchiveEntry {
    std::string name; // the stored bytes
    bool hasVersion = false;
    uint32_t versionHigh = 0;
    uint32_t versionLow = 0;
    uint32_t dosTime = 0;
    uint64_t size = 0; // bytes of file content
    uint32_t storedCheck = 0;
    uint32_t computedCheck = 0;
    bool skipped = false; // not written: its name would leave the target folder
    bool checkOk() const { return storedCheck == computedCheck; }
};

// Receives the content of each entry while a block is read.
class ArchiveSink {
public:
    enum class Open { Accept, Skip };
    virtual ~ArchiveSink() = default;
    // Throws to stop the extraction (an output that cannot be created).
    virtual Open open(const ArchiveEntry& entry) = 0;
    virtual void write(const void* data, size_t n) = 0;
    // Called after the check value was read, for accepted entries.
    virtual void close(const ArchiveEntry& entry) = 0;
    // The block ended: everything handed over must be done. Throws when it could not be.
    virtual void finish() {}
};

struct ArchiveResult {
    bool headerRead = false; // false: not a block at all; nothing was extracted
    bool complete = false;   // the end marker was reached
    std::vector<ArchiveEntry> entries;
    std::string error;        // "Cannot read file" when reading stopped early
    uint64_t endPosition = 0; // reader position after the block (or where it stopped)
    // The compression level index (0 Fast, 1 None, 2 Default, 3 Max) that the header of the first
    // compressed chunk suggests; nothing when every chunk was stored raw.
    std::optional<int> levelIndex;
};

// Reads one block, handing every entry's bytes to `sink`. Never throws for bad data: a header that
// cannot be read gives headerRead = false, damage inside gives `error`; entries before it stay.
ArchiveResult readArchiveBlock(ByteReader& in, ArchiveSink& sink, const PercentFn& progress = {});

// A sink that writes each entry as a file directly inside `dir` (created when missing), with the
// rules of extractArchiveBlock. Throws IoError when the folder cannot be opened.
std::unique_ptr<ArchiveSink> makeFolderSink(const std::filesystem::path& dir);

// Extracts a block into `dir` (created when missing). Entry names that carry a folder separator,
// a drive, or are "." / ".." are skipped; an existing symbolic link is replaced, never followed.
// Modification times are restored from the stored DOS times.
ArchiveResult extractArchiveBlock(ByteReader& in, const std::filesystem::path& dir,
                                  const PercentFn& progress = {});

// Whether a stored entry name may be written as a file directly inside the target folder.
bool isSafeEntryName(std::string_view name);

// The archive's report of a check value mismatch (values as signed decimals).
std::string crcFailedText(const std::string& path, uint32_t stored, uint32_t computed);
constexpr const char* kCannotReadFile = "Cannot read file";

// DOS date and time (date in the high 16 bits), in local time; clamped to 1980..2107.
uint32_t toDosTime(std::int64_t unixSeconds);
// The moment of a DOS time, or nothing when its fields are not a valid date.
std::optional<std::int64_t> fromDosTime(uint32_t dosTime);

} // namespace project
