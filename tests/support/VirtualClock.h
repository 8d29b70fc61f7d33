#pragma once
// A clock the test drives: time stands still while anything is left to do at the present
// moment, then jumps to the next alarm due. A workflow's hour of settling, readings and volume
// imitation passes in the milliseconds its exchanges take to compute, in the same order of
// events as on real time. Alarms fire on the thread that owns the clock, from its event loop.
#include "link/Clock.h"
#include "sim/Device.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace test {

class VirtualAlarm;

class VirtualClock : public QObject, public comm::Clock {
public:
    VirtualClock();
    ~VirtualClock() override;

    // While it holds, time does not move on: an answer already on its way to the program.
    void setBusy(std::function<bool()> busy) { m_busy = std::move(busy); }

    qint64 nowMs() const override { return m_now; }
    std::unique_ptr<comm::Alarm> alarm(std::function<void()> fired) override;
    // The simulated equipment's time, on this clock.
    sim::Clock::time_point timePoint() const { return m_epoch + std::chrono::milliseconds(m_now); }

private:
    friend class VirtualAlarm;
    using Key = std::pair<qint64, quint64>;  // due time, then the order of arming

    Key arm(VirtualAlarm* alarm, int ms);
    void disarm(VirtualAlarm* alarm, const std::optional<Key>& key);
    void moveOn();
    void fire(VirtualAlarm* alarm);

    const sim::Clock::time_point m_epoch;
    qint64 m_now = 0;
    quint64 m_armed = 0;
    std::map<Key, VirtualAlarm*> m_due;
    // Taken off m_due, to go off from the event loop: the pump's own tick must return, or Qt
    // would not tick it again in the waits the alarm starts.
    std::set<VirtualAlarm*> m_going;
    std::function<bool()> m_busy = [] { return false; };
    QTimer m_pump;  // looks at every pass of the event loop whether time may move on
};

}  // namespace test
