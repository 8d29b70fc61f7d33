#pragma once
// The DC current meter module ИПТ: four channels whose raw sums turn into currents through a
// scale and an offset per channel; in calibration mode the selected channel measures the
// module's own AD420 DAC.
#include "sim/BenchModule.h"
#include "sim/Jitter.h"

namespace sim {

class IptModule : public BenchModule {
public:
    IptModule(int address, Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;

protected:
    void elapse(Clock::time_point before) override;

private:
    double rawSum(int channel);

    Jitter m_noise{11};
};

}  // namespace sim
