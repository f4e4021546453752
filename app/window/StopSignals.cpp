#include "app/window/StopSignals.h"

#include <QSocketNotifier>
#include <QWidget>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] written by the handler, [1] read by the event loop.
std::array<int, 2> stopPipe{-1, -1};

constexpr std::size_t stopSignalCount = 2;
constexpr auto stopSignals = std::to_array<int>({SIGTERM, SIGINT});
static_assert(stopSignals.size() == stopSignalCount);

void onStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopPipe[0], &byte, 1);
}

} // namespace

void closeOnStopSignals(QWidget& window) {
    if (stopPipe[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, stopPipe.data()) != 0)
        return; // then the signals keep their default: the program ends at once
    auto* notifier = new QSocketNotifier(stopPipe[1], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char bytes[16];
        while (::read(stopPipe[1], bytes, sizeof bytes) > 0) {
        }
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : stopSignals)
        ::sigaction(signal, &action, nullptr);
}
