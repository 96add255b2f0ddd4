#include "QuitOnSignals.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

namespace tesso
{

namespace
{

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

} // namespace

bool quitOnSignals(QCoreApplication& app)
{
    return onSignals(app, [] { QCoreApplication::quit(); });
}

// A handler may only write to a descriptor; the event loop reads the other end and acts.
bool onSignals(QCoreApplication& app, std::function<void()> action)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [action = std::move(action)] {
        char byte = 0;
        [[maybe_unused]] const auto ignored = ::read(signalPipe[0], &byte, 1);
        action();
    });
    struct sigaction handler {
    };
    handler.sa_handler = onSignal;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &handler, nullptr);
    ::sigaction(SIGTERM, &handler, nullptr);
    return true;
}

} // namespace tesso
