// Version texts and their comparison: the program's own version, and the dotted versions that
// language files and the update information carry.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

using VersionNumbers = std::array<std::uint32_t, 4>; // major, minor, release, build

// The program's file version.
VersionNumbers programVersionNumbers();
// major.minor, then .release.build only when those two are not both zero ("2.0" for 2.0.0.0).
std::string programVersion();
std::string versionText(const VersionNumbers& v);

// Appends ".0" while the text has fewer than three dots; more than three dots stay as they are.
std::string normalizeVersion(std::string_view version);
// The four numbers of a normalised version; anything that is not four decimal numbers between
// dots counts as 0.0.0.0.
VersionNumbers parseVersion(std::string_view version);
// Compares two version texts after normalising them: negative when a is older than b.
int compareVersions(std::string_view a, std::string_view b);

} // namespace platform
