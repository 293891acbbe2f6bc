// One studio per user: the first process takes a lock and listens on a local socket, both named
// after the instance name in a folder of $XDG_RUNTIME_DIR that only the user can enter. A later
// process finds the lock taken and hands its first argument to the first process over the socket.
//
// The first process's handler runs on the channel's own thread; a Qt receiver queues the text to
// its event loop. Texts that arrive before a handler is installed are kept and handed to it when it
// is installed. Only connections from the same user are accepted; a text is at most 64 KiB.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kInstanceName = "Lumeni Zarerud Application";

class SingleInstance {
public:
    explicit SingleInstance(std::string_view name = kInstanceName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first (it now listens); false when another process holds the
    // lock. When the channel folder is unusable, every process counts as the first.
    bool becomePrimary();

    // From a later process: hands `argument` to the first one and waits for it to take it.
    bool sendToPrimary(std::string_view argument,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5));

    void setHandler(std::function<void(const std::string&)> handler);

    std::filesystem::path channelFolder() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

} // namespace platform
