// The archive sink that unpacks entries into a folder. The files are written by a second thread so
// that inflating the next chunks and writing the previous ones overlap; the reading thread only
// opens files (to see at once whether they can be created) and hands over full buffers.
#include "platform/text_encoding.h"
#include "project/archive_block.h"

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace project {
namespace {

constexpr size_t kBlock = 1 << 20;
constexpr size_t kMaxQueued = 8;

struct Job {
    int fd = -1;
    std::string data;
    bool finish = false;          // close the file after the data
    std::optional<int64_t> mtime; // set on finishing
};

class FolderSink final : public ArchiveSink {
public:
    explicit FolderSink(int dirFd) : m_dir(dirFd), m_worker([this] { run(); }) {}

    ~FolderSink() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_worker.join();
        for (auto& job : m_jobs)
            if (job.finish)
                ::close(job.fd);
        if (m_fd >= 0)
            ::close(m_fd);
        ::close(m_dir);
    }
    FolderSink(const FolderSink&) = delete;
    FolderSink& operator=(const FolderSink&) = delete;

    Open open(const ArchiveEntry& entry) override
    {
        const std::string name = platform::ansiToUtf8(entry.name);
        if (!isSafeEntryName(name))
            return Open::Skip;
        checkError();
        constexpr int flags = O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC;
        int fd = ::openat(m_dir, name.c_str(), flags, 0666);
        if (fd < 0 && errno == ELOOP) {
            // A symbolic link of that name is replaced by the file, never written through.
            if (::unlinkat(m_dir, name.c_str(), 0) == 0)
                fd = ::openat(m_dir, name.c_str(), flags | O_EXCL, 0666);
        }
        if (fd < 0)
            throw IoError("cannot create " + name, errno);
        m_fd = fd;
        if (m_buffer.capacity() < kBlock)
            m_buffer = takeBuffer();
        return Open::Accept;
    }

    void write(const void* data, size_t n) override
    {
        m_buffer.append(static_cast<const char*>(data), n);
        if (m_buffer.size() >= kBlock) {
            push(Job{m_fd, std::exchange(m_buffer, takeBuffer()), false, std::nullopt});
        }
    }

    void close(const ArchiveEntry& entry) override
    {
        Job job{m_fd, std::exchange(m_buffer, takeBuffer()), true, fromDosTime(entry.dosTime)};
        m_fd = -1;
        push(std::move(job));
    }

    void finish() override
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
        if (m_error)
            throw IoError("write error", m_error);
    }

private:
    // Buffers go back and forth between the threads instead of being allocated for every block: a
    // fresh megabyte costs a page fault per page.
    std::string takeBuffer()
    {
        std::lock_guard lock(m_mutex);
        std::string b;
        if (!m_free.empty()) {
            b = std::move(m_free.back());
            m_free.pop_back();
        }
        b.clear();
        b.reserve(kBlock);
        return b;
    }

    void checkError()
    {
        std::lock_guard lock(m_mutex);
        if (m_error)
            throw IoError("write error", m_error);
    }

    void push(Job&& job)
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return m_jobs.size() < kMaxQueued; });
        if (m_error) {
            if (job.finish)
                ::close(job.fd);
            throw IoError("write error", m_error);
        }
        m_jobs.push_back(std::move(job));
        lock.unlock();
        m_wake.notify_one();
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_busy = true;
            const bool failed = m_error != 0;
            lock.unlock();
            m_idle.notify_all();
            const int code = failed ? 0 : perform(job);
            if (job.finish)
                ::close(job.fd);
            lock.lock();
            if (m_free.size() < kMaxQueued + 2)
                m_free.push_back(std::move(job.data));
            if (code && !m_error)
                m_error = code;
            m_busy = false;
            m_idle.notify_all();
        }
    }

    static int perform(const Job& job)
    {
        const char* p = job.data.data();
        size_t n = job.data.size();
        while (n > 0) {
            const ssize_t put = ::write(job.fd, p, n);
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return errno;
            p += put;
            n -= static_cast<size_t>(put);
        }
        if (job.finish && job.mtime) {
            const struct timespec times[2] = {{0, UTIME_NOW}, {static_cast<time_t>(*job.mtime), 0}};
            ::futimens(job.fd, times);
        }
        return 0;
    }

    int m_dir;
    int m_fd = -1;
    std::string m_buffer;

    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::deque<Job> m_jobs;
    std::vector<std::string> m_free;
    bool m_busy = false;
    bool m_stop = false;
    int m_error = 0;
    std::thread m_worker; // last: started once everything above exists
};

} // namespace

std::unique_ptr<ArchiveSink> makeFolderSink(const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throwErrno("cannot open \"" + dir.string() + "\"", errno);
    return std::make_unique<FolderSink>(fd);
}

} // namespace project
