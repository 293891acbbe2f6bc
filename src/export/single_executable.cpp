// Single-executable writer and reader; see single_executable.h.
#include "export/single_executable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exporting {
namespace {

namespace fs = std::filesystem;

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

[[noreturn]] void fail(const std::string& what, int code)
{
    if (code == 0)
        code = EIO;
    throw SingleExecutableError(what + ": " + std::strerror(code), code);
}

int openLocked(const fs::path& path, int flags, int lock)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        fail("cannot open \"" + path.string() + "\"", errno);
    if (::flock(fd, lock | LOCK_NB) != 0) {
        const int code = errno;
        ::close(fd);
        fail("\"" + path.string() + "\" is in use", code);
    }
    return fd;
}

uint64_t sizeOf(int fd, const fs::path& path)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        fail("cannot read \"" + path.string() + "\"", errno);
    if (!S_ISREG(st.st_mode))
        fail("\"" + path.string() + "\" is not a file", EISDIR);
    return static_cast<uint64_t>(st.st_size);
}

bool preadExact(int fd, void* buf, size_t n, uint64_t at)
{
    auto* p = static_cast<unsigned char*>(buf);
    while (n > 0) {
        const ssize_t got = ::pread(fd, p, n, static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        p += got;
        at += static_cast<uint64_t>(got);
        n -= static_cast<size_t>(got);
    }
    return true;
}

bool pwriteAll(int fd, const void* buf, size_t n, uint64_t at)
{
    const auto* p = static_cast<const unsigned char*>(buf);
    while (n > 0) {
        const ssize_t put = ::pwrite(fd, p, n, static_cast<off_t>(at));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        p += put;
        at += static_cast<uint64_t>(put);
        n -= static_cast<size_t>(put);
    }
    return true;
}

// Copies `count` bytes from `in` at `from` to `out` at `to`; in the kernel where it can, through a
// buffer where it cannot. Returns 0 or the errno value of the failure (ENODATA: the input ended).
int copyRange(int in, uint64_t from, int out, uint64_t to, uint64_t count)
{
    bool kernel = true;
    std::unique_ptr<unsigned char[]> buffer;
    constexpr size_t kStep = 1 << 20;
    while (count > 0) {
        const size_t step = static_cast<size_t>(std::min<uint64_t>(count, uint64_t(1) << 30));
        if (kernel) {
            loff_t inOff = static_cast<loff_t>(from), outOff = static_cast<loff_t>(to);
            const ssize_t n = ::copy_file_range(in, &inOff, out, &outOff, step, 0);
            if (n > 0) {
                from += static_cast<uint64_t>(n);
                to += static_cast<uint64_t>(n);
                count -= static_cast<uint64_t>(n);
                continue;
            }
            if (n == 0)
                return ENODATA;
            if (errno == EINTR)
                continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP && errno != EPERM)
                return errno;
            kernel = false; // file systems or kernels that cannot copy in place
            buffer.reset(new unsigned char[kStep]);
        }
        const size_t chunk = std::min(step, kStep);
        const ssize_t got = ::pread(in, buffer.get(), chunk, static_cast<off_t>(from));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return ENODATA;
        if (!pwriteAll(out, buffer.get(), static_cast<size_t>(got), to))
            return errno ? errno : EIO;
        from += static_cast<uint64_t>(got);
        to += static_cast<uint64_t>(got);
        count -= static_cast<uint64_t>(got);
    }
    return 0;
}

// Creates <dir>/lmb-<five base-32 digits><name> exclusively, as the studio names its temporary files.
int createSibling(const fs::path& target, fs::path& created)
{
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
    std::random_device rd;
    uint32_t v = rd() & 0x1FFFFFF;
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (int attempt = 0; attempt < 1000; ++attempt, v = (v + 1) & 0x1FFFFFF) {
        std::string name = "lmb-";
        for (int k = 4; k >= 0; --k)
            name += digits[(v >> (5 * k)) & 31];
        name += target.filename().string();
        created = dir / name;
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

void AppendProjectToExe(const fs::path& executable, const fs::path& projectFile)
{
    const Fd exe(openLocked(executable, O_RDWR, LOCK_EX));
    const Fd project(openLocked(projectFile, O_RDWR, LOCK_EX));
    const uint64_t n = sizeOf(exe.get(), executable);
    const uint64_t payload = sizeOf(project.get(), projectFile);
    if (n < kEmbeddedProjectMarkerAt + 4)
        fail("\"" + executable.string() + "\" is too short to be a runtime", ENOEXEC);
    if (n + payload >= kSingleExecutableLimit)
        fail("the single executable would reach 2 GiB", EFBIG);

    unsigned char old[8];
    if (!preadExact(exe.get(), old, sizeof old, kEmbeddedProjectOffsetAt))
        fail("cannot read \"" + executable.string() + "\"", errno);
    unsigned char fields[8] = {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                               static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
    std::memcpy(fields + 4, kEmbeddedProjectMarker, 4);
    if (!pwriteAll(exe.get(), fields, sizeof fields, kEmbeddedProjectOffsetAt))
        fail("cannot write \"" + executable.string() + "\"", errno);
    const int rc = copyRange(project.get(), 0, exe.get(), n, payload);
    if (rc != 0) {
        // Give the runtime back as it was rather than leave it pointing at a partial project.
        if (::ftruncate(exe.get(), static_cast<off_t>(n)) == 0)
            pwriteAll(exe.get(), old, sizeof old, kEmbeddedProjectOffsetAt);
        fail("cannot append \"" + projectFile.string() + "\" to \"" + executable.string() + "\"", rc);
    }
}

namespace {

std::optional<EmbeddedProject> locate(int fd, const fs::path& executable)
{
    const uint64_t size = sizeOf(fd, executable);
    unsigned char b[4];
    if (size < kEmbeddedProjectOffsetAt + 4)
        return std::nullopt;
    if (!preadExact(fd, b, 4, kEmbeddedProjectOffsetAt))
        fail("cannot read \"" + executable.string() + "\"", errno);
    const uint64_t offset = b[0] | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    if (offset == 0)
        return std::nullopt;
    if (offset > size)
        fail("the embedded project of \"" + executable.string() + "\" lies beyond its end", ENODATA);
    return EmbeddedProject{offset, size - offset};
}

} // namespace

std::optional<EmbeddedProject> findEmbeddedProject(const fs::path& executable)
{
    const Fd fd(openLocked(executable, O_RDONLY, LOCK_SH));
    return locate(fd.get(), executable);
}

std::optional<uint64_t> extractEmbeddedProject(const fs::path& executable, const fs::path& given)
{
    // An output reached through a symbolic link is written where the link points.
    std::error_code ec;
    fs::path output = given;
    if (fs::is_symlink(given, ec)) {
        const fs::path real = fs::canonical(given, ec);
        if (!real.empty())
            output = real;
    }
    const Fd in(openLocked(executable, O_RDONLY, LOCK_SH));
    const auto where = locate(in.get(), executable);
    if (!where)
        return std::nullopt;

    struct stat inSt {
    }, outSt{};
    ::fstat(in.get(), &inSt);
    const bool replacing = ::stat(output.c_str(), &outSt) == 0;
    if (replacing && outSt.st_dev == inSt.st_dev && outSt.st_ino == inSt.st_ino)
        throw OutputIsInputError("the output file is the input file itself", EINVAL);
    if (replacing && S_ISDIR(outSt.st_mode))
        fail("cannot write \"" + output.string() + "\"", EISDIR);

    fs::path temp;
    const Fd out(createSibling(output, temp));
    if (out.get() < 0)
        fail("cannot create \"" + output.string() + "\"", errno);
    int rc = copyRange(in.get(), where->offset, out.get(), 0, where->size);
    if (rc == 0 && replacing) {
        // The old file is only given up once the new one is safely on the disk.
        ::fchmod(out.get(), outSt.st_mode & 07777);
        if (::fsync(out.get()) != 0)
            rc = errno;
    }
    if (rc == 0 && ::rename(temp.c_str(), output.c_str()) != 0)
        rc = errno;
    if (rc != 0) {
        ::unlink(temp.c_str());
        fail("cannot write \"" + output.string() + "\"", rc);
    }
    if (replacing) {
        const fs::path dir = output.parent_path().empty() ? fs::path(".") : output.parent_path();
        const Fd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirFd.get() >= 0)
            ::fsync(dirFd.get());
    }
    return where->size;
}

} // namespace exporting
