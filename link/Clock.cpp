#include "link/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

namespace comm {

namespace {

class SteadyAlarm : public Alarm {
public:
    explicit SteadyAlarm(std::function<void()> fired)
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(fired));
    }
    void start(int ms) override { m_timer.start(ms); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class SteadyClock : public Clock {
public:
    SteadyClock() { m_started.start(); }
    qint64 nowMs() const override { return m_started.elapsed(); }
    std::unique_ptr<Alarm> alarm(std::function<void()> fired) override
    {
        return std::make_unique<SteadyAlarm>(std::move(fired));
    }

private:
    QElapsedTimer m_started;
};

}  // namespace

Clock& steadyClock()
{
    static SteadyClock clock;
    return clock;
}

// An alarm rather than a look at the time: a clock driven by a test moves on only to the
// next alarm due.
void pause(Clock& clock, int ms)
{
    bool over = false;
    const auto alarm = clock.alarm([&over] { over = true; });
    alarm->start(ms);
    while (!over) {
        QThread::msleep(1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace comm
