#include "app/DEndSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// [0] written by the handler, [1] read by the event loop.
int g_pair[2] = {-1, -1};

extern "C" void OnSignal(int signal)
{
    // write() is async-signal-safe; errno belongs to the code interrupted.
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &number, 1);
    errno = saved;
}
} // namespace

DEndSignals::DEndSignals(std::function<void(int signal)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler))
{
    if (g_pair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pair) != 0)
        return;
    // A handler must never block, even on signals that come faster than the
    // loop reads them.
    ::fcntl(g_pair[0], F_SETFL, ::fcntl(g_pair[0], F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &DEndSignals::Read);

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

DEndSignals::~DEndSignals()
{
    if (!notifier_)
        return;
    for (const int signal : kSignals)
        ::signal(signal, SIG_DFL);
    delete notifier_;
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void DEndSignals::Read()
{
    unsigned char number = 0;
    if (::read(g_pair[1], &number, 1) == 1 && handler_)
        handler_(number);
}
