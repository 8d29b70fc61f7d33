#include "ui/model/TrendHistory.h"

namespace ui {

TrendHistory::TrendHistory(qint64 spanMs, qsizetype capacity) : m_spanMs(spanMs), m_capacity(capacity)
{
    Q_ASSERT(spanMs > 0 && capacity > 0);
}

void TrendHistory::add(qint64 ms, double reference, double measured)
{
    Q_ASSERT(m_samples.empty() || ms >= m_samples.back().ms);
    m_samples.push_back(TrendSample{ms, reference, measured});
    while (m_samples.front().ms <= ms - m_spanMs)
        m_samples.pop_front();
    while (size() > m_capacity)
        m_samples.pop_front();
}

}  // namespace ui
