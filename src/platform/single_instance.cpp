// Lock file plus Unix-domain socket; see single_instance.h.
#include "platform/single_instance.h"

#include "platform/system_folders.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono;

namespace platform {
namespace {

constexpr std::uint32_t kMaxMessage = 64 * 1024;

std::string fileStem(std::string_view name)
{
    std::string out;
    for (char c : name)
        out.push_back((std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.') ? c : '_');
    return out;
}

// The user's private folder for the channel; empty when it cannot be made safe.
fs::path privateFolder()
{
    const fs::path dir = runtimeDir() / "lumeni-zarerud";
    ::mkdir(dir.c_str(), 0700);
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return {};
    if ((st.st_mode & 077) != 0 && ::chmod(dir.c_str(), 0700) != 0)
        return {};
    return dir;
}

bool fillAddress(const fs::path& socketFile, sockaddr_un& addr, socklen_t& len)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    const std::string p = socketFile.string();
    if (p.size() < sizeof addr.sun_path) {
        std::memcpy(addr.sun_path, p.c_str(), p.size() + 1);
        len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + p.size() + 1);
        return true;
    }
    // Too long for a file name: an abstract socket named after the path's hash.
    const std::string abstractName =
        "lumeni-zarerud-" + std::to_string(::geteuid()) + "-" + std::to_string(std::hash<std::string>{}(p));
    addr.sun_path[0] = '\0';
    std::memcpy(addr.sun_path + 1, abstractName.data(), abstractName.size());
    len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + abstractName.size());
    return true;
}

bool waitFor(int fd, short events, steady_clock::time_point until)
{
    for (;;) {
        const auto left = duration_cast<milliseconds>(until - steady_clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, static_cast<int>(left));
        if (r > 0)
            return true;
        if (r < 0 && errno != EINTR)
            return false;
    }
}

bool readAll(int fd, void* buf, size_t n, steady_clock::time_point until)
{
    auto* p = static_cast<char*>(buf);
    while (n > 0) {
        if (!waitFor(fd, POLLIN, until))
            return false;
        const ssize_t r = ::read(fd, p, n);
        if (r == 0 || (r < 0 && errno != EINTR && errno != EAGAIN))
            return false;
        if (r > 0) {
            p += r;
            n -= static_cast<size_t>(r);
        }
    }
    return true;
}

bool writeAll(int fd, const void* buf, size_t n, steady_clock::time_point until)
{
    const auto* p = static_cast<const char*>(buf);
    while (n > 0) {
        if (!waitFor(fd, POLLOUT, until))
            return false;
        const ssize_t r = ::send(fd, p, n, MSG_NOSIGNAL);
        if (r < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        if (r > 0) {
            p += r;
            n -= static_cast<size_t>(r);
        }
    }
    return true;
}

} // namespace

struct SingleInstance::Impl {
    std::string stem;
    fs::path folder;
    int lockFd = -1;
    int listenFd = -1;
    int wakePipe[2] = {-1, -1};
    bool primary = false;
    std::thread thread;
    std::mutex mutex;
    std::function<void(const std::string&)> handler;
    std::deque<std::string> pending;

    fs::path socketFile() const { return folder / (stem + ".sock"); }

    void deliver(std::string text)
    {
        std::function<void(const std::string&)> h;
        {
            std::lock_guard lock(mutex);
            if (!handler) {
                pending.push_back(std::move(text));
                return;
            }
            h = handler;
        }
        h(text);
    }

    void serve(int fd)
    {
        ucred cred{};
        socklen_t len = sizeof cred;
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != ::geteuid())
            return;
        const auto until = steady_clock::now() + seconds(2);
        std::uint32_t size = 0;
        if (!readAll(fd, &size, sizeof size, until) || size > kMaxMessage)
            return;
        std::string text(size, '\0');
        if (!readAll(fd, text.data(), size, until))
            return;
        const char ack = 'A';
        writeAll(fd, &ack, 1, until);
        deliver(std::move(text));
    }

    void run()
    {
        for (;;) {
            pollfd fds[2] = {{listenFd, POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            if (fds[1].revents)
                return;
            if (fds[0].revents & POLLIN) {
                const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
                if (fd >= 0) {
                    serve(fd);
                    ::close(fd);
                }
            }
        }
    }
};

SingleInstance::SingleInstance(std::string_view name) : m(std::make_unique<Impl>())
{
    m->stem = fileStem(name);
}

SingleInstance::~SingleInstance()
{
    if (m->thread.joinable()) {
        const char c = 'q';
        [[maybe_unused]] ssize_t ignored = ::write(m->wakePipe[1], &c, 1);
        m->thread.join();
    }
    if (m->listenFd >= 0) {
        ::close(m->listenFd);
        ::unlink(m->socketFile().c_str());
    }
    for (int fd : m->wakePipe)
        if (fd >= 0)
            ::close(fd);
    if (m->lockFd >= 0)
        ::close(m->lockFd); // releases the lock
}

fs::path SingleInstance::channelFolder() const { return m->folder; }

bool SingleInstance::becomePrimary()
{
    if (m->primary)
        return true;
    m->folder = privateFolder();
    if (m->folder.empty())
        return true;
    const fs::path lockFile = m->folder / (m->stem + ".lock");
    m->lockFd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m->lockFd < 0)
        return true;
    if (::flock(m->lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m->lockFd);
        m->lockFd = -1;
        return false;
    }
    m->primary = true;
    // The lock is ours, so a socket file left by a crashed studio can go.
    ::unlink(m->socketFile().c_str());
    sockaddr_un addr{};
    socklen_t len = 0;
    fillAddress(m->socketFile(), addr, len);
    m->listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m->listenFd < 0 || ::bind(m->listenFd, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(m->listenFd, 8) != 0 || ::pipe2(m->wakePipe, O_CLOEXEC) != 0) {
        if (m->listenFd >= 0)
            ::close(m->listenFd);
        m->listenFd = -1;
        return true; // the first process all the same, only deaf
    }
    m->thread = std::thread([impl = m.get()] { impl->run(); });
    return true;
}

bool SingleInstance::sendToPrimary(std::string_view argument, milliseconds timeout)
{
    if (argument.size() > kMaxMessage)
        argument = argument.substr(0, kMaxMessage);
    if (m->folder.empty())
        m->folder = privateFolder();
    if (m->folder.empty())
        return false;
    sockaddr_un addr{};
    socklen_t len = 0;
    fillAddress(m->socketFile(), addr, len);
    const auto until = steady_clock::now() + timeout;
    // The first process may hold the lock but not listen yet: try again until the time is up.
    while (steady_clock::now() < until) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0) {
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            const auto size = static_cast<std::uint32_t>(argument.size());
            char ack = 0;
            const bool ok = writeAll(fd, &size, sizeof size, until) &&
                            writeAll(fd, argument.data(), argument.size(), until) &&
                            readAll(fd, &ack, 1, until) && ack == 'A';
            ::close(fd);
            return ok;
        }
        ::close(fd);
        std::this_thread::sleep_for(milliseconds(20));
    }
    return false;
}

void SingleInstance::setHandler(std::function<void(const std::string&)> handler)
{
    std::deque<std::string> waiting;
    {
        std::lock_guard lock(m->mutex);
        m->handler = handler;
        if (handler)
            waiting.swap(m->pending);
    }
    for (const std::string& t : waiting)
        handler(t);
}

} // namespace platform
