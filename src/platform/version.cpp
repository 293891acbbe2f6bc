// Version texts; see version.h.
#include "platform/version.h"

#include <algorithm>

#ifndef LMB_PROGRAM_VERSION
#define LMB_PROGRAM_VERSION "0.0.0.0"
#endif

namespace platform {

VersionNumbers programVersionNumbers() { return parseVersion(LMB_PROGRAM_VERSION); }

std::string versionText(const VersionNumbers& v)
{
    std::string s = std::to_string(v[0]);
    const size_t shown = (v[2] != 0 || v[3] != 0) ? 4 : 2;
    for (size_t i = 1; i < shown; ++i) {
        s += '.';
        s += std::to_string(v[i]);
    }
    return s;
}

std::string programVersion() { return versionText(programVersionNumbers()); }

std::string normalizeVersion(std::string_view version)
{
    std::string s(version);
    while (std::count(s.begin(), s.end(), '.') < 3)
        s += ".0";
    return s;
}

VersionNumbers parseVersion(std::string_view version)
{
    const std::string s = normalizeVersion(version);
    VersionNumbers out{};
    size_t part = 0;
    size_t i = 0;
    while (true) {
        if (part >= 4)
            return {};
        const size_t start = i;
        std::uint64_t n = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            n = n * 10 + static_cast<std::uint64_t>(s[i] - '0');
            if (n > 0xFFFFFFFFu)
                return {};
            ++i;
        }
        if (i == start)
            return {};
        out[part++] = static_cast<std::uint32_t>(n);
        if (i == s.size())
            break;
        if (s[i] != '.')
            return {};
        ++i;
    }
    return part == 4 ? out : VersionNumbers{};
}

int compareVersions(std::string_view a, std::string_view b)
{
    const VersionNumbers x = parseVersion(a), y = parseVersion(b);
    for (size_t i = 0; i < 4; ++i)
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    return 0;
}

} // namespace platform
