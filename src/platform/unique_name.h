// Names for temporary files and folders: <dir>/lmb-<five base-32 digits><suffix>, the first that does
// not exist yet, starting from a random value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Throws platform::Error naming the folder when every one of the 2^25 names is taken.
std::filesystem::path MakeUniqueName(const std::filesystem::path& dir, std::string_view suffix);

// The five digits of `value` (below 2^25) in the alphabet 0-9A-V, most significant first.
std::string uniqueNameDigits(std::uint32_t value);

// The search itself, with the start value and the existence test (given the full path) supplied:
// MakeUniqueName draws the start at random and asks the file system.
std::filesystem::path makeUniqueNameFrom(const std::filesystem::path& dir, std::string_view suffix,
                                         std::uint32_t start,
                                         const std::function<bool(const std::string&)>& taken);

} // namespace platform
