#include "Ledger.h"

#include <algorithm>

namespace perf {

Ledger::Ledger(int requests) : m_records(size_t(requests) + 1) {}

void Ledger::sent(int qid, qint64 atNs)
{
    Q_ASSERT(qid >= 1 && qid <= requests() && m_records[qid].sentNs < 0);
    m_records[qid].sentNs = atNs;
}

bool Ledger::answered(int qid, qint64 atNs, int result)
{
    if (qid < 1 || qid > requests() || m_records[qid].sentNs < 0) {
        ++m_strays;
        return false;
    }
    Record& r = m_records[qid];
    if (++r.answers > 1)
        return false;
    r.latencyNs = atNs - r.sentNs;
    m_slowestNs = std::max(m_slowestNs, r.latencyNs);
    ++m_results[std::clamp(result, 0, ResultSlots - 1)];
    ++m_firstAnswers;
    return true;
}

Ledger::Tally Ledger::tally(qint64 hungAfterNs) const
{
    Tally t;
    for (auto r = m_records.cbegin() + 1; r != m_records.cend(); ++r) {
        if (r->answers == 0)
            ++t.lost;
        else if (r->answers > 1)
            ++t.dup;
        else if (r->latencyNs > hungAfterNs)
            ++t.hung;
        else
            ++t.once;
    }
    return t;
}

}  // namespace perf
