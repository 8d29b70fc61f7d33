#include "link/TrafficLog.h"

#include <algorithm>

namespace comm {

bool TrafficFilter::accepts(const TrafficEntry& entry) const
{
    return (line.isEmpty() || entry.line == line) && (!address || entry.record.address == *address);
}

TrafficLog::TrafficLog(int capacity) : m_capacity(capacity)
{
    Q_ASSERT(capacity > 0);
}

const TrafficEntry& TrafficLog::at(int i) const
{
    Q_ASSERT(i >= 0 && i < size());
    return m_entries[size_t((m_oldest + i) % size())];
}

int TrafficLog::since(quint64 n) const
{
    const quint64 oldest = m_added - quint64(size());
    return n <= oldest ? 0 : int(std::min(n, m_added) - oldest);
}

void TrafficLog::add(const QString& line, const ExchangeRecord& record)
{
    ++m_added;
    if (size() < m_capacity) {
        m_entries.push_back({line, record});
        return;
    }
    m_entries[size_t(m_oldest)] = {line, record};
    m_oldest = (m_oldest + 1) % m_capacity;
}

void TrafficLog::clear()
{
    m_entries.clear();
    m_oldest = 0;
}

}  // namespace comm
