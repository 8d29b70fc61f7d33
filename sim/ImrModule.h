#pragma once
// The flow imitation module ИМР: its automaton, the imitation clock, the delay line and its
// calibration sums, and the converter's SAR data.
#include "sim/BenchModule.h"
#include "sim/DelayLine.h"
#include "sim/ImrAutomaton.h"
#include "sim/Jitter.h"
#include "sim/Options.h"

namespace sim {

class ImrModule : public BenchModule {
public:
    ImrModule(const Options& options, Clock::time_point now);

    int refuseWrite(int reg, quint16 value) const override;
    void holdingWritten(int reg) override;

    bool isImitating() const { return m_automaton.state() == imr::Imitating; }
    // Whether its delayed pulses reach the meter (coil 2).
    bool isEmulating() const;
    int delayedPulses() const;
    // The true delay the module's pulses are held by, ns.
    double delayNs() const { return m_delayLine.delayNs(); }
    // The autocirculations of the meter it is wired to, reported by command 4.
    void setMeterAutocirculations(int count) { m_meterAutocirculations = count; }
    void injectAutomatonError(quint8 error);

protected:
    void elapse(Clock::time_point before) override;

private:
    void finished(const ImrAutomaton::Completion& c);
    void storeCalibrationSums();
    void runImitationClock();
    void showAutomaton();

    ImrAutomaton m_automaton;
    DelayLine m_delayLine;
    Clock::time_point m_imitationStart;
    int m_meterAutocirculations = 256;
    Jitter m_sarNoise{6};
};

}  // namespace sim
