// Names for temporary files and folders: <dir>/lmb-<five base-32 digits><suffix>, the first that does
// not exist yet, starting from a random value.
#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Throws platform::Error naming the folder when every one of the 2^25 names is taken.
std::filesystem::path MakeUniqueName(const std::filesystem::path& dir, std::string_view suffix);

} // namespace platform
