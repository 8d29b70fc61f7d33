#pragma once
// What every request of the soak got back: when it was sent, when its first answer came and how
// many answers it had. All records exist from the start, so the ledger itself does not grow while
// the soak measures the process's memory.
#include <QtGlobal>

#include <array>
#include <vector>

namespace perf {

class Ledger {
public:
    // Requests are numbered 1..requests.
    explicit Ledger(int requests);

    void sent(int qid, qint64 atNs);
    // True for the request's first answer. An answer to a number never sent is a stray.
    bool answered(int qid, qint64 atNs, int result);

    // Every request falls in exactly one class.
    struct Tally {
        int once = 0;  // one answer, in time
        int lost = 0;  // none (also a request never sent)
        int dup = 0;   // more than one
        int hung = 0;  // one answer, later than allowed
    };
    Tally tally(qint64 hungAfterNs) const;

    int requests() const { return int(m_records.size()) - 1; }
    int firstAnswers() const { return m_firstAnswers; }
    int strays() const { return m_strays; }
    qint64 slowestNs() const { return m_slowestNs; }
    // First answers by their Result; the last slot gathers any code beyond.
    static constexpr int ResultSlots = 20;
    const std::array<int, ResultSlots>& results() const { return m_results; }

private:
    struct Record {
        qint64 sentNs = -1;
        qint64 latencyNs = -1;  // to the first answer
        int answers = 0;
    };

    std::vector<Record> m_records;  // [0] unused: numbers start at 1
    std::array<int, ResultSlots> m_results{};
    int m_firstAnswers = 0;
    int m_strays = 0;
    qint64 m_slowestNs = 0;
};

}  // namespace perf
