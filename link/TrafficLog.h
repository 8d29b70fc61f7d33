#pragma once
// The exchanges of the lines as a traffic view keeps them: a bounded ring, oldest first, that
// drops its oldest entry once full, so a line left watched for hours keeps memory flat.
#include "link/ExchangeRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace comm {

struct TrafficEntry {
    QString line;  // the line's name as the operator knows it
    ExchangeRecord record;
};

// Which entries a view shows: a line's name or all lines, one Modbus address or all.
struct TrafficFilter {
    QString line;                // empty: every line
    std::optional<int> address;  // none: every address

    bool accepts(const TrafficEntry& entry) const;
};

class TrafficLog {
public:
    // Some minutes of a busy bench line (a few periodic readings, several exchanges a second),
    // about a quarter of a kilobyte each with the frames' bytes; the operator saves what must
    // be kept longer.
    static constexpr int DefaultCapacity = 5000;

    explicit TrafficLog(int capacity = DefaultCapacity);

    int capacity() const { return m_capacity; }
    int size() const { return int(m_entries.size()); }
    // i from 0 (the oldest kept) to size() - 1 (the newest).
    const TrafficEntry& at(int i) const;
    // How many entries were ever added; the newest one is number added() - 1. A view that
    // has shown the entries up to some number asks for the rest with since().
    quint64 added() const { return m_added; }
    // The position of entry number n, or of the oldest one kept when n has been dropped.
    int since(quint64 n) const;

    void add(const QString& line, const ExchangeRecord& record);
    void clear();

private:
    const int m_capacity;
    std::vector<TrafficEntry> m_entries;  // a ring once full: m_oldest is the first entry
    int m_oldest = 0;
    quint64 m_added = 0;
};

}  // namespace comm
