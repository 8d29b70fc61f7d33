#pragma once
// The program-wide state: both lines, the module descriptors, the result slots and decoded
// values of the bench, the chosen meter type, the working mode and the values the modes share.
// One instance, owned by the main window and passed by reference to every part that needs it.
#include "bench/BenchState.h"
#include "bench/ModuleDescriptor.h"
#include "bench/StatisticsInputs.h"
#include "link/Clock.h"
#include "link/Line.h"
#include "meter/Pribor.h"
#include "shell/context/ModuleAccess.h"
#include "shell/context/Timing.h"
#include "shell/context/WorkMode.h"

namespace ui {
class StatusBar;
}

namespace shell {

// What the imitation modes share between them.
struct Imitation {
    bool VerifyScale = false;  // counts use the fixed divisor 256 (bench verification)
    double CalibratedDT = 0;   // ns, from the latest delay line calibration; 0: none yet
    int ImitVolume = 0;        // m3, volume to accumulate
    int ImitPoint = 0;         // m3/h, flow of the accumulation
    int ImitTimeSec = 0;       // planned accumulation time
    int TimerTickCount = 0;    // seconds counted since the accumulation started
};

struct Context {
    Context(comm::MBComMaster& benchServer, comm::MBComMaster& meterServer, ui::StatusBar& messageLine,
            bench::StatisticsInputs& statistics, comm::Clock& clock = comm::steadyClock())
        : bench(benchServer), meter(meterServer), SB(messageLine), statistics(statistics), clock(clock)
    {
    }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    comm::Line bench;  // the modules' line
    comm::Line meter;  // the meter's line
    bench::Modules modules;
    ModuleAccess access{modules};  // who may send to which module
    bench::BenchState state;  // result slots and decoded values of the bench line
    meter::TPribor Pribor;
    int PriborType = -1;      // index of the chosen meter type; -1: none
    int TargetTask = 0;
    bool OldBench = false;    // a bench without the emulation bit
    WorkMode workMode;
    Imitation imitation;
    ui::StatusBar& SB;        // the message line; panel 0 takes progress and status texts
    bench::StatisticsInputs& statistics;
    comm::Clock& clock;       // every wait of a workflow runs on it
    Timing timing;

    qint32& AutoCircCount() { return state.values.AutoCircCount; }
    // The line is up and the module was found.
    bool reaches(const bench::TPZTA& module) const { return bench.connected && module.Adr != 0; }
    // The same for a workflow about to send: a module that was not found is said to the operator.
    bool canSendTo(const bench::TPZTA& module) const { return access.known(module) && bench.connected; }
};

}  // namespace shell
