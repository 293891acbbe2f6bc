// The single-executable layout: a runtime executable with a saved project appended to its end.
// Bytes 46..49 of the runtime image hold the offset N at which the project begins (unsigned 32-bit,
// little-endian; 0 = no project), bytes 50..53 the marker "Kwel"; the project runs from N to the end
// of the file. Both lie in header bytes that the loader never reads (the DOS header's reserved words
// of a PE file, unused identification and header fields of our ELF runtime).
//
// This file depends on the platform layer only: EXE2LMB is built from it alone.
#pragma once

#include "platform/errors.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace exporting {

constexpr uint64_t kEmbeddedProjectOffsetAt = 46;
constexpr uint64_t kEmbeddedProjectMarkerAt = 50;
constexpr const char kEmbeddedProjectMarker[4] = {'K', 'w', 'e', 'l'};
// Sizes are kept in 32 bits: everything must stay below 2 GiB.
constexpr uint64_t kSingleExecutableLimit = uint64_t(1) << 31;

// A failed step; code() is the errno value that explains it (never 0).
class SingleExecutableError : public platform::Error {
public:
    SingleExecutableError(const std::string& what, int code) : platform::Error(what), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

// extractEmbeddedProject was asked to write over the executable it reads.
class OutputIsInputError : public SingleExecutableError {
public:
    using SingleExecutableError::SingleExecutableError;
};

// Writes N and "Kwel" over the executable's bytes 46..53, then appends the project file's bytes.
// Both files are opened for reading and writing under an exclusive lock, so a read-only project or
// one locked by another process makes it fail. Nothing is changed when the sizes would reach 2 GiB
// or the executable is shorter than the two fields; a failed copy restores the executable.
void AppendProjectToExe(const std::filesystem::path& executable, const std::filesystem::path& projectFile);

// Where the project of a single executable lies.
struct EmbeddedProject {
    uint64_t offset = 0;
    uint64_t size = 0;
};

// The reading rule shared by EXE2LMB and the runtime: the 4 bytes at 46; 0 (or a file too short to
// hold them) means no project. The marker is not consulted. Throws when the file cannot be read or
// the offset lies beyond its end.
std::optional<EmbeddedProject> findEmbeddedProject(const std::filesystem::path& executable);

// Copies the embedded project of `executable` to `output` and returns its size, or nothing when the
// executable carries no project (no output is made then). The output is written beside its final
// name and renamed into place, so a failure never leaves a damaged file where an old one was.
// Refuses an output that is the executable itself.
std::optional<uint64_t> extractEmbeddedProject(const std::filesystem::path& executable,
                                               const std::filesystem::path& output);

// Exit statuses of EXE2LMB. The status 1000 means "no project"; a process can only report its low
// 8 bits, so a caller sees 1000 & 0xFF = 232 (no errno value reaches that).
constexpr int kNoEmbeddedProjectStatus = 1000;
constexpr int kNoEmbeddedProjectExitCode = kNoEmbeddedProjectStatus & 0xFF;

} // namespace exporting
