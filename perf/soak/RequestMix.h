#pragma once
// The soak's one-shot requests, drawn at random: reads of holding and input registers and of
// coils, a register write and the device name, all on imitation module registers that take any
// value without side effects.
#include "link/MBComMaster.h"

#include <random>

namespace perf {

class RequestMix {
public:
    explicit RequestMix(quint32 seed) : m_rng(seed) {}
    void send(comm::MBComMaster& server, int qid);

private:
    std::mt19937 m_rng;
};

}  // namespace perf
