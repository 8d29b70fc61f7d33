#pragma once
// The meter types the simulator can play and where each keeps its readings.
#include <optional>

namespace sim {

enum class MeterKind {
    SingleChannel,  // one flow and one volume in holding registers
    TwoChannel,     // two channels, an imitator input and status words
    MultiChannel,   // up to four channels in input registers, a regime and two output slots
};

struct MeterType {
    int type;
    const char* name;
    MeterKind kind;
    int flowReg;              // float, m3/h; the first channel's
    int volumeReg;            // float, m3; the first channel's
    int autocirculationsReg;  // 16-bit, the first channel's; -1: the type has none
    int delayedPulsesBias;    // what the imitation module's delayed-pulse count carries beyond the count
};

// Nothing for a type the simulator does not play.
std::optional<MeterType> meterType(int type);

}  // namespace sim
