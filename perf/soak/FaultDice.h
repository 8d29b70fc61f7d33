#pragma once
// What the simulated module does to the requests that follow, drawn at random before each one:
// usually nothing; sometimes silence, a damaged CRC, an answer from the wrong address, a
// truncated answer, an exception or a late answer (late either within the answer time-out or
// beyond it); now and then the port vanishes a moment later, or the request is cancelled,
// perhaps before its answer comes.
#include "sim/Options.h"

#include <random>

namespace perf {

struct Mishap {
    sim::FaultSpec fault;
    bool vanish = false;
    int vanishAfterMs = 0;  // after the request was handed to the server
    bool cancel = false;    // FreeTask on the request's number
    int cancelAfterMs = 0;
};

class FaultDice {
public:
    FaultDice(quint32 seed, int answerDelayMs);
    Mishap roll();

private:
    std::mt19937 m_rng;
    int m_answerDelayMs;
};

}  // namespace perf
