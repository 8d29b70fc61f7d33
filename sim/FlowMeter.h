#pragma once
// The ultrasonic flow meter under test: its channels measure whatever flow the bench imitates,
// and it gives out the flow of its chosen channel as pulses (one per litre) and as a 4..20 mA
// current over 0..300 m3/h. The types differ in their channels and registers.
#include "sim/Device.h"
#include "sim/MeasuringChannel.h"
#include "sim/MeterType.h"

namespace sim {

// The current a 4..20 mA output gives for a flow, mA.
double currentForFlow(double m3h);

class FlowMeter : public Device {
public:
    QByteArray name() const override;
    const MeterType& type() const { return m_type; }
    // Its own number of autocirculations of the ultrasonic pulse.
    int autocirculations() const { return m_autocirculations; }
    // The flow its pulses stand for, m3/h; holds until changed.
    void setSensedFlow(double m3h) { m_sensedFlow = m3h; }
    // The flow of the channel its outputs follow, m3/h.
    virtual double flow() const = 0;
    // The pulses of its output since the last call.
    double takePulses();
    virtual double currentOutputMa() const { return currentForFlow(flow()); }

protected:
    // Chooses the channel the outputs follow: on, the second one (false for a single channel).
    static constexpr int ChannelCoil = 2;

    FlowMeter(const MeterType& type, int address, int autocirculations, Clock::time_point now);

    double sensedFlow() const { return m_sensedFlow; }
    // Lets its channels measure for `hours` and shows their readings.
    virtual void measure(double hours) = 0;
    virtual double pulsesPerM3() const;

private:
    void elapse(Clock::time_point before) final;

    MeterType m_type;
    int m_autocirculations;
    double m_sensedFlow = 0;
    double m_pulses = 0;
};

// Types with one flow and one volume in holding registers.
class SingleChannelMeter : public FlowMeter {
public:
    SingleChannelMeter(const MeterType& type, int address, int autocirculations, double errorPct, Clock::time_point now);
    double flow() const override;

protected:
    void measure(double hours) override;

private:
    MeasuringChannel m_channel;
};

}  // namespace sim
