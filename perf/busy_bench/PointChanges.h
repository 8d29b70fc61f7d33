#pragma once
// The operator changing the imitated flow at a steady pace: one verification point after
// another, each by selecting its item, each timed from the click to the handler's return
// (the count written and the start command accepted, both waited for).
#include "ui/model/Controls.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace perf {

struct PointChange {
    QString point;     // the item's text, m3/h
    double startS = 0; // wall seconds
    double endS = 0;
    bool ok = false;   // no message to the operator
    double ms() const { return (endS - startS) * 1000; }
};

class PointChanges {
public:
    // succeeded: whether the change just made went without a message to the operator.
    PointChanges(ui::RadioGroup& points, QList<int> items, std::function<bool()> succeeded);

    // Changes the point `count` times, the first after one step, a step being intervalMs plus driftMs. The
    // drift lets the changes meet the periodic reads at every phase, as clicks would.
    void start(int intervalMs, int driftMs, int count);
    // When the last change is due, from start().
    static int lastDueMs(int intervalMs, int driftMs, int count) { return count * (intervalMs + driftMs); }
    const QList<PointChange>& done() const { return m_done; }

private:
    void changeNext();
    void scheduleNext();

    ui::RadioGroup& m_points;
    QList<int> m_items;
    std::function<bool()> m_succeeded;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_stepMs = 0;
    int m_count = 0;
    QList<PointChange> m_done;
};

}  // namespace perf
