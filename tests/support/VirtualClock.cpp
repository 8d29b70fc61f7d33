#include "VirtualClock.h"

namespace test {

class VirtualAlarm : public comm::Alarm {
public:
    VirtualAlarm(VirtualClock& clock, std::function<void()> fired) : m_clock(clock), m_fired(std::move(fired)) {}
    ~VirtualAlarm() override { stop(); }

    void start(int ms) override
    {
        stop();
        m_key = m_clock.arm(this, ms);
    }
    void stop() override
    {
        m_clock.disarm(this, m_key);
        m_key.reset();
    }
    bool isActive() const override { return m_key.has_value(); }

    // The clock has taken it off its list, to go off from the event loop.
    void leaveList() { m_key.reset(); }
    void fire() { m_fired(); }

private:
    VirtualClock& m_clock;
    const std::function<void()> m_fired;
    std::optional<VirtualClock::Key> m_key;
};

VirtualClock::VirtualClock() : m_epoch(sim::Clock::now())
{
    m_pump.setInterval(0);
    connect(&m_pump, &QTimer::timeout, this, &VirtualClock::moveOn);
}

VirtualClock::~VirtualClock()
{
    Q_ASSERT_X(m_due.empty() && m_going.empty(), "VirtualClock", "an alarm outlives its clock");
}

std::unique_ptr<comm::Alarm> VirtualClock::alarm(std::function<void()> fired)
{
    return std::make_unique<VirtualAlarm>(*this, std::move(fired));
}

VirtualClock::Key VirtualClock::arm(VirtualAlarm* alarm, int ms)
{
    const Key key{m_now + std::max(ms, 0), m_armed++};
    m_due.emplace(key, alarm);
    if (!m_pump.isActive())
        m_pump.start();
    return key;
}

void VirtualClock::disarm(VirtualAlarm* alarm, const std::optional<Key>& key)
{
    if (key)
        m_due.erase(*key);
    m_going.erase(alarm);
}

// One alarm at a time: what it starts (a request, a nested wait) settles before the next.
void VirtualClock::moveOn()
{
    if (m_due.empty()) {
        m_pump.stop();
        return;
    }
    if (!m_going.empty() || m_busy())
        return;
    const auto first = m_due.begin();
    VirtualAlarm* alarm = first->second;
    m_now = std::max(m_now, first->first.first);
    m_due.erase(first);
    alarm->leaveList();
    m_going.insert(alarm);
    QMetaObject::invokeMethod(this, [this, alarm] { fire(alarm); }, Qt::QueuedConnection);
}

// Only if it is still owed: it may have been stopped, started again or destroyed meanwhile.
void VirtualClock::fire(VirtualAlarm* alarm)
{
    if (m_going.erase(alarm) == 0)
        return;
    alarm->fire();
}

}  // namespace test
