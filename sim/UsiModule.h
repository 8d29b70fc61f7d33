#pragma once
// The pulse counter module УСИ: four inputs counting the meter's pulse output.
#include "sim/BenchModule.h"

namespace sim {

class UsiModule : public BenchModule {
public:
    UsiModule(int address, Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;
    void holdingWritten(int reg) override;
    // Pulses that reached all four inputs; fractions are kept for the next call.
    void countPulses(double pulses);

private:
    void reset(int input);

    double m_fraction = 0;
};

}  // namespace sim
