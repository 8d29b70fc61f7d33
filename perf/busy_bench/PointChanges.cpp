#include "PointChanges.h"

#include "perf/line_throughput/Clocks.h"

#include <algorithm>

namespace perf {

PointChanges::PointChanges(ui::RadioGroup& points, QList<int> items, std::function<bool()> succeeded)
    : m_points(points), m_items(std::move(items)), m_succeeded(std::move(succeeded))
{
    Q_ASSERT(!m_items.isEmpty() && m_succeeded);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { changeNext(); });
}

void PointChanges::start(int intervalMs, int driftMs, int count)
{
    Q_ASSERT(count > 0 && intervalMs > 0 && driftMs >= 0);
    m_stepMs = intervalMs + driftMs;
    m_count = count;
    m_done.clear();
    m_clock.start();
    scheduleNext();
}

// Due times count from the start, so a slow change does not push the later ones.
void PointChanges::scheduleNext()
{
    if (m_done.size() >= m_count)
        return;
    const qint64 due = (m_done.size() + 1) * qint64(m_stepMs);
    m_timer.start(int(std::max<qint64>(0, due - m_clock.elapsed())));
}

void PointChanges::changeNext()
{
    const int item = m_items[m_done.size() % m_items.size()];
    PointChange c;
    c.point = m_points.items().value(item);
    c.startS = wallSeconds();
    m_points.select(item);
    c.endS = wallSeconds();
    c.ok = m_succeeded();
    m_done.append(c);
    scheduleNext();
}

}  // namespace perf
