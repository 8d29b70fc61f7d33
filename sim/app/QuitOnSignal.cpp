#include "sim/app/QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int wakePipe[2] = {-1, -1};
}  // namespace

QuitOnSignal::QuitOnSignal(QObject* parent) : QObject(parent)
{
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [] {
        char drained;
        while (::read(wakePipe[0], &drained, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = &QuitOnSignal::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

QuitOnSignal::~QuitOnSignal()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    for (int& fd : wakePipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void QuitOnSignal::handle(int)
{
    const char wake = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &wake, 1);
}
