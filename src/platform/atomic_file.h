// Safe replacement of small files: the new bytes go to a temporary file beside the target, are
// flushed to the disk, and only then renamed over it, so a crash or a full disk never leaves a
// half-written file in place of the old one. Also a bounded whole-file reader for outside files.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Writes `bytes` to `file` through write-temp, fsync, rename. Returns false (and leaves the old file
// as it was) on any failure; `error` then says why.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         std::string* error = nullptr);

// The whole file, or nothing when it is missing, unreadable, not a regular file or larger than
// `maxBytes`.
std::optional<std::string> readWholeFile(const std::filesystem::path& file, std::size_t maxBytes);

} // namespace platform
