// write-temp, fsync, rename; see atomic_file.h.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace fs = std::filesystem;

namespace platform {
namespace {

bool fail(std::string* error, const std::string& what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}

} // namespace

bool writeFileAtomically(const fs::path& file, std::string_view bytes, std::string* error)
{
    const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
    thread_local std::mt19937 rng(std::random_device{}());
    std::string tmpName = ".";
    tmpName += file.filename().string();
    tmpName += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(rng() % 1000000);
    const fs::path tmp = dir / tmpName;
    // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
    mode_t mode = 0666;
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return fail(error, "cannot create " + tmp.string());
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            errno = saved;
            return fail(error, "cannot write " + tmp.string());
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int saved = errno;
        ::unlink(tmp.c_str());
        errno = saved;
        return fail(error, "cannot flush " + tmp.string());
    }
    if (::rename(tmp.c_str(), file.c_str()) != 0) {
        const int saved = errno;
        ::unlink(tmp.c_str());
        errno = saved;
        return fail(error, "cannot replace " + file.string());
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

std::optional<std::string> readWholeFile(const fs::path& file, std::size_t maxBytes)
{
    // O_NONBLOCK: opening a FIFO or a device must not wait for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFL, 0);
    std::string out;
    out.reserve(static_cast<size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        // The file may grow while it is read: the limit holds for what is read, not only for stat.
        if (out.size() + static_cast<size_t>(n) > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

} // namespace platform
