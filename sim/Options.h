#pragma once
// What the simulator plays and how: the modules, the faults that can be injected into them,
// and the options the equipment is built with.
#include <QString>

#include <array>

namespace sim {

enum class Module { Imr, Usi, Ipt, Meter };

// The two serial lines: the bench modules share one, the meter has its own.
enum class LineKind { Bench, Meter };

inline LineKind lineOf(Module m) { return m == Module::Meter ? LineKind::Meter : LineKind::Bench; }

enum class Fault {
    None,
    Silent,     // never answers
    BadCrc,     // answers with a damaged CRC
    Exception,  // answers with a Modbus exception (exceptionCode)
    Slow,       // answers after slowMs
    // Executes the request, but its answer carries the next address on the line (247: 1), as if
    // another device had answered in its place.
    WrongAddress,
    // Its answers to reads lose their last two data bytes, well formed otherwise (see LineResponder).
    Truncated,
};

struct FaultSpec {
    Fault fault = Fault::None;
    int exceptionCode = 4;  // device failure
    int slowMs = 2000;
};

struct Options {
    QString directory;      // where the lines' stable names go; empty: defaultLineDirectory()
    int imrAddress = 1;
    int usiAddress = 2;
    int iptAddress = 3;
    int meterAddress = 1;
    int meterType = 0;      // 0..6
    bool wireTime = false;  // delay answers by their time on a real wire
    int baud = 19200;       // for the wire-time emulation
    int executingMs = 300;  // how long the imitation module stays in its "executing" states
    int calibrationMs = 20; // how long its delay line calibration takes; the program looks after 30 ms
    double delayNs = 97.3;  // the true delay of its delay line
    int noisyRecord = -1;   // a calibration series with noisy fine codes: 0, 1, or -1 none
    int meterAutocirculations = 256;
    double meterErrorPct = 0;  // the meter's reading against the flow it is given
    int noSignalChannel = 0;   // type 2: channel 1 or 2 has no ultrasonic signal; 0 none
    int channels = 4;          // type 6: its measuring channels, 1..4
    std::array<int, 2> slotKinds{2, 0};  // type 6: its output slots' boards, 0 empty .. 3 discrete
    double slotErrorPct = 0;   // type 6: its current boards' error at 20 mA
    int slotIptChannel = 1;    // the current meter's channel (1..4) the meter's current output is wired to
    int iptOutOfLimits = 0;    // the current meter's channel (1..4) whose response fails a calibration; 0 none
    // The speed code (register 1: 0 = 1200 .. 3 = 9600, 4 = 19200 baud) each bench module leaves
    // the factory with, indexed ИМР, УСИ, ИПТ. A module hears only requests sent at its own speed.
    std::array<int, 3> moduleSpeedCodes{4, 4, 4};
    // The bench line's speed where the port does not show it (a relay, a test's own transport);
    // 0: unknown, every module hears every request.
    int lineSpeed = 0;
};

}  // namespace sim
