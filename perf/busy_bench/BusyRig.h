#pragma once
// The program as the operator would have it during a flow imitation on a busy bench line: the
// simulated bench and meter with wire-time emulation, the real server on both lines, the main
// window with both lines connected, meter type 0 polled, the counters, currents and elapsed
// time read periodically and the imitation started at 13 m3/h.
#include "Probes.h"
#include "RecordingDialogs.h"

#include "ui/app/MainFrm.h"
#include "sim/Simulator.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace perf {

class BusyRig {
public:
    explicit BusyRig(int baud);
    ~BusyRig();
    BusyRig(const BusyRig&) = delete;
    BusyRig& operator=(const BusyRig&) = delete;

    // False with the reason when a step does not come about.
    bool start(QString* error);

    app::TMainFrm& main() { return *m_main; }
    RecordingDialogs dialogs;

    // The period of the counters, the currents and the meter's values.
    static constexpr int ReadPeriodMs = 1000;
    // The periodic reads of each line once the rig has started.
    static QList<PeriodicRead> benchReads();
    static QList<PeriodicRead> meterReads();

private:
    void writeSettings() const;
    bool connectLines(QString* error);
    void startBenchReads();
    bool startImitation(QString* error);

    int m_baud;
    QTemporaryDir m_simDir;
    QTemporaryDir m_settingsDir;  // outlives the window, which stores its settings when destroyed
    sim::Simulator m_sim;
    std::unique_ptr<app::TMainFrm> m_main;
};

// Processes events until the condition holds or the time is up; the condition's last value.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

}  // namespace perf
