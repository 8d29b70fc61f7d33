#pragma once
// The readings a trend shows: the reference flow and the meter's flow, time-stamped, over the
// last minutes. Older readings fall out as new ones arrive, and a hard cap on the count keeps
// a burst of readings from growing the memory, so an hour of polling costs what ten minutes do.
#include <QtGlobal>

#include <deque>

namespace ui {

struct TrendSample {
    qint64 ms = 0;         // on a monotonic clock
    double reference = 0;  // m3/h
    double measured = 0;   // m3/h
};

class TrendHistory {
public:
    // Long enough to watch a flow point settle and the one before it, short enough to read.
    static constexpr qint64 DefaultSpanMs = 10 * 60 * 1000;
    // Four readings a second over the whole span: the meter is polled once a second, so only a
    // burst ever reaches the cap, and then the oldest go first.
    static constexpr qsizetype DefaultCapacity = 4 * DefaultSpanMs / 1000;

    explicit TrendHistory(qint64 spanMs = DefaultSpanMs, qsizetype capacity = DefaultCapacity);

    qint64 spanMs() const { return m_spanMs; }
    qsizetype capacity() const { return m_capacity; }

    // A reading taken at `ms`, never earlier than the last one.
    void add(qint64 ms, double reference, double measured);
    void clear() { m_samples.clear(); }

    bool isEmpty() const { return m_samples.empty(); }
    qsizetype size() const { return qsizetype(m_samples.size()); }
    // Oldest first.
    const std::deque<TrendSample>& samples() const { return m_samples; }

private:
    qint64 m_spanMs;
    qsizetype m_capacity;
    std::deque<TrendSample> m_samples;
};

}  // namespace ui
