// A self-pipe from the signal handler to a socket notifier in the event loop.
#include "shell/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace shell {
namespace {

int g_signalFds[2] = {-1, -1};
volatile std::sig_atomic_t g_requested = 0;

void onSignal(int)
{
    g_requested = 1;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalFds[0], &c, 1);
}

} // namespace

bool terminationRequested()
{
    return g_requested != 0;
}

void catchTerminationSignals()
{
    if (g_signalFds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalFds) != 0)
        return;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

void quitOnTerminationSignals()
{
    catchTerminationSignals();
    if (g_signalFds[1] < 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalFds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char c = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_signalFds[1], &c, 1);
        // The session is ending: leave the event loop at once. quit() would ask every window to
        // close, and a window that waits for an answer would keep the process alive.
        QCoreApplication::exit(0);
    });
}

} // namespace shell
