#pragma once
// What the simulator plays and how: the modules, the faults that can be injected into them,
// and the options the equipment is built with.
#include <QString>

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
    int meterType = 0;      // 0, 1, 3, 4 or 5
    bool wireTime = false;  // delay answers by their time on a real wire
    int baud = 19200;       // for the wire-time emulation
    int executingMs = 300;  // how long the imitation module stays in its "executing" states
    int calibrationMs = 20; // how long its delay line calibration takes; the program looks after 30 ms
    double delayNs = 97.3;  // the true delay of its delay line
    int noisyRecord = -1;   // a calibration series with noisy fine codes: 0, 1, or -1 none
    int meterAutocirculations = 256;
    double meterErrorPct = 0;  // the meter's reading against the flow it is given
};

}  // namespace sim
