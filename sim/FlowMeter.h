#pragma once
// The ultrasonic flow meter under test: it measures whatever flow the bench imitates, off by
// its own error and with a little noise, accumulates the volume it measures, and gives it out
// as pulses (one per litre) and as a 4..20 mA current over 0..300 m3/h.
#include "sim/Device.h"
#include "sim/Jitter.h"
#include "sim/MeterType.h"

namespace sim {

class FlowMeter : public Device {
public:
    FlowMeter(const MeterType& type, int address, int autocirculations, double errorPct, Clock::time_point now);

    QByteArray name() const override;
    const MeterType& type() const { return m_type; }
    // Its own number of autocirculations of the ultrasonic pulse.
    int autocirculations() const { return m_autocirculations; }
    // The flow its pulses stand for, m3/h; holds until changed.
    void setSensedFlow(double m3h) { m_sensedFlow = m3h; }
    // The flow it measures, m3/h.
    double flow() const { return m_measuredFlow; }
    // The pulses of its output since the last call.
    double takePulses();
    double currentOutputMa() const;

protected:
    void elapse(Clock::time_point before) override;

private:
    MeterType m_type;
    int m_autocirculations;
    double m_gain;
    double m_sensedFlow = 0;
    double m_measuredFlow = 0;
    double m_volume = 0;
    double m_pulses = 0;
    Jitter m_noise{3};
};

}  // namespace sim
