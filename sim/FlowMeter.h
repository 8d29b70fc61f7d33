#pragma once
// The ultrasonic flow meter under test: it measures whatever flow the bench imitates, with a
// little noise, and accumulates the volume.
#include "sim/Device.h"
#include "sim/Jitter.h"
#include "sim/MeterType.h"

namespace sim {

class FlowMeter : public Device {
public:
    static constexpr int Autocirculations = 256;

    FlowMeter(const MeterType& type, int address, Clock::time_point now);

    QByteArray name() const override;
    // The flow its pulses say, m3/h; holds until changed.
    void setSensedFlow(double m3h) { m_sensedFlow = m3h; }
    double flow() const { return m_sensedFlow; }

protected:
    void elapse(Clock::time_point before) override;

private:
    MeterType m_type;
    double m_sensedFlow = 0;
    double m_volume = 0;
    Jitter m_noise{3};
};

}  // namespace sim
