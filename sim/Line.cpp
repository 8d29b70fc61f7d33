#include "sim/Line.h"

#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <unistd.h>

namespace sim {

namespace {
// A pty delivers a request in one burst or a few close together; 2 ms without a byte ends
// whatever the framer could not cut by length (3.5 characters at 19200 baud).
constexpr int SilenceMs = 2;
}  // namespace

Line::Line(Responder responder, QObject* parent) : QObject(parent), m_respond(std::move(responder))
{
    m_silence.setSingleShot(true);
    m_silence.setTimerType(Qt::PreciseTimer);
    m_silence.setInterval(SilenceMs);
    connect(&m_silence, &QTimer::timeout, this, [this] { serve(m_framer.flush()); });
    m_clock.start();
}

Line::~Line() { close(); }

bool Line::open(const QString& linkPath, QString* error)
{
    close();
    if (!m_pty.open(linkPath, error))
        return false;
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.masterFd(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &Line::readAvailable);
    return true;
}

void Line::close()
{
    ++m_generation;
    m_notifier.reset();
    m_silence.stop();
    m_framer.flush();
    m_pty.close();
}

void Line::readAvailable()
{
    QByteArray received;
    char chunk[512];
    for (;;) {
        const ssize_t n = ::read(m_pty.masterFd(), chunk, sizeof chunk);
        if (n > 0) {
            received.append(chunk, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;  // EAGAIN: all read; EIO cannot happen while we hold the slave open
    }
    for (const QByteArray& frame : m_framer.feed(received))
        serve(frame);
    if (m_framer.hasPending())
        m_silence.start();
    else
        m_silence.stop();
}

void Line::serve(const QByteArray& frame)
{
    if (frame.isEmpty())
        return;
    const std::optional<Reply> reply = m_respond(frame, m_pty.slaveBaud());
    if (!reply)
        return;
    if (reply->delayUs <= 0) {
        send(reply->frame);
        return;
    }
    // Timers count whole milliseconds; the last fraction is slept away so that the answer
    // leaves when its bytes would have crossed the wire, not up to a millisecond later.
    const qint64 dueNs = m_clock.nsecsElapsed() + reply->delayUs * 1000;
    QTimer::singleShot(int(reply->delayUs / 1000), Qt::PreciseTimer, this,
                       [this, frame = reply->frame, generation = m_generation, dueNs] {
                           for (qint64 left = dueNs - m_clock.nsecsElapsed(); left > 0;
                                left = dueNs - m_clock.nsecsElapsed())
                               QThread::usleep(std::max<qint64>(1, left / 1000));
                           if (generation == m_generation)
                               send(frame);
                       });
}

void Line::send(const QByteArray& frame)
{
    if (!m_pty.isOpen())
        return;
    qsizetype written = 0;
    while (written < frame.size()) {
        const ssize_t n = ::write(m_pty.masterFd(), frame.constData() + written, size_t(frame.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;  // the pty's buffer is full: nobody reads, the answer is lost as on a wire
        written += n;
    }
}

}  // namespace sim
