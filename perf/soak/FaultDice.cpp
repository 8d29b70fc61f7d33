#include "FaultDice.h"

namespace perf {

namespace {
// Chances per thousand requests.
constexpr int SilentPerMille = 10;
constexpr int BadCrcPerMille = 10;
constexpr int WrongAddressPerMille = 10;
constexpr int TruncatedPerMille = 10;
constexpr int ExceptionPerMille = 20;
constexpr int SlowPerMille = 20;
constexpr int VanishPerMille = 2;
constexpr int CancelPerMille = 5;
}  // namespace

FaultDice::FaultDice(quint32 seed, int answerDelayMs) : m_rng(seed), m_answerDelayMs(answerDelayMs) {}

Mishap FaultDice::roll()
{
    const auto upTo = [this](int last) { return std::uniform_int_distribution<int>(0, last)(m_rng); };
    Mishap m;
    int die = upTo(999);
    const auto hits = [&die](int perMille) {
        die -= perMille;
        return die < 0;
    };
    if (hits(SilentPerMille)) {
        m.fault.fault = sim::Fault::Silent;
    } else if (hits(BadCrcPerMille)) {
        m.fault.fault = sim::Fault::BadCrc;
    } else if (hits(WrongAddressPerMille)) {
        m.fault.fault = sim::Fault::WrongAddress;
    } else if (hits(TruncatedPerMille)) {
        m.fault.fault = sim::Fault::Truncated;
    } else if (hits(ExceptionPerMille)) {
        m.fault.fault = sim::Fault::Exception;
        m.fault.exceptionCode = 1 + upTo(3);  // illegal function .. device failure
    } else if (hits(SlowPerMille)) {
        // Up to twice the time-out: a late answer may land on the retry or the next request.
        m.fault.fault = sim::Fault::Slow;
        m.fault.slowMs = 1 + upTo(2 * m_answerDelayMs);
    }
    m.vanish = upTo(999) < VanishPerMille;
    m.vanishAfterMs = upTo(m_answerDelayMs);
    m.cancel = upTo(999) < CancelPerMille;
    m.cancelAfterMs = upTo(m_answerDelayMs);
    return m;
}

}  // namespace perf
