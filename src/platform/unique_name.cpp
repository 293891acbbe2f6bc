// The unique-name search: a random start, then counting upwards with wrap-around until a free name
// turns up or every name was tried.
#include "platform/unique_name.h"

#include "platform/errors.h"

#include <random>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr std::uint32_t kNameCount = 1u << 25;

bool existsOnDisk(const std::string& p)
{
    std::error_code ec;
    // symlink_status: a dangling link still occupies the name.
    const auto st = fs::symlink_status(p, ec);
    if (ec)
        return ec != std::errc::no_such_file_or_directory;
    return st.type() != fs::file_type::not_found;
}

void writeDigits(char* out, std::uint32_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
    for (int i = 4; i >= 0; --i) {
        out[i] = kDigits[value & 31u];
        value >>= 5;
    }
}

} // namespace

std::string uniqueNameDigits(std::uint32_t value)
{
    std::string out(5, '0');
    writeDigits(out.data(), value);
    return out;
}

fs::path makeUniqueNameFrom(const fs::path& dir, std::string_view suffix, std::uint32_t start,
                            const std::function<bool(const std::string&)>& taken)
{
    // One buffer whose five digits are rewritten in place: a full folder costs 2^25 probes.
    std::string candidate = (dir / "lmb-").string();
    const size_t digitsAt = candidate.size();
    candidate.append(5, '0');
    candidate.append(suffix);
    start %= kNameCount;
    std::uint32_t n = start;
    do {
        writeDigits(candidate.data() + digitsAt, n);
        if (!taken(candidate))
            return fs::path(candidate);
        n = (n + 1) % kNameCount;
    } while (n != start);
    throw Error("The folder \"" + dir.string() + "\" contains too many files.");
}

fs::path MakeUniqueName(const fs::path& dir, std::string_view suffix)
{
    thread_local std::mt19937 rng(std::random_device{}());
    const std::uint32_t start = std::uniform_int_distribution<std::uint32_t>(0, kNameCount - 1)(rng);
    return makeUniqueNameFrom(dir, suffix, start, existsOnDisk);
}

} // namespace platform
