// The file version that an embedded Windows program or library carries in its version resource
// (VS_FIXEDFILEINFO), stored with each archive entry. Other files carry none.
#pragma once

#include <cstdint>
#include <optional>

namespace project {

struct FileVersion {
    uint32_t high = 0; // dwFileVersionMS
    uint32_t low = 0;  // dwFileVersionLS
};

// Reads the version of the PE image open on `fd` (any position; pread only). Nothing for a file
// that is not a PE image or has no version resource; damaged headers never read out of bounds.
std::optional<FileVersion> readFileVersion(int fd);

} // namespace project
