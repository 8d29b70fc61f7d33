#pragma once
// The meter types the simulator can play and where each keeps its readings.
#include <optional>

namespace sim {

struct MeterType {
    int type;
    const char* name;
    int flowReg;              // float, m3/h
    int volumeReg;            // float, m3
    int autocirculationsReg;  // 16-bit; -1: the type has none
    int delayedPulsesBias;    // what the imitation module's delayed-pulse count carries beyond the count
};

// Nothing for a type the simulator does not play.
std::optional<MeterType> meterType(int type);

}  // namespace sim
