#include "RequestMix.h"

namespace perf {

namespace {
constexpr int WordReg = 16385;         // holding: number of conversions
constexpr int FreeHoldingReg = 32772;  // holding: imitation time
constexpr int SarReg = 6;              // input: one byte
constexpr int PolarityCoil = 1;        // coils 1 and 2
}  // namespace

void RequestMix::send(comm::MBComMaster& server, int qid)
{
    using comm::DataType;
    switch (std::uniform_int_distribution<int>(0, 4)(m_rng)) {
    case 0: server.ReadHoldRegs(qid, 0, WordReg, int(DataType::UInt16), 1); break;
    case 1: server.ReadInputRegs(qid, 0, SarReg, int(DataType::UInt8), 1); break;
    case 2: server.WriteHoldRegs(qid, 0, FreeHoldingReg, comm::u16(quint16(qid))); break;
    case 3: server.ReadHoldBins(qid, 0, PolarityCoil, 2); break;
    default: server.GetDeviceName(qid); break;
    }
}

}  // namespace perf
