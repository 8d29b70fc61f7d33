#pragma once
// Our server (RtuComMaster) on a line: back-to-back reads, and the cost of the program's
// WaitAnswer loop while it waits for answers.
#include <QString>

#include <functional>

namespace comm {
class MBComMaster;
}

namespace perf {

struct ReadSetup {
    QString port;
    int baud = 19200;
    int address = 1;
    int reg = 0;
    int count = 8;  // input registers per read
};

struct Throughput {
    int transactions = 0;
    int failures = 0;
    double seconds = 0;
    double tps() const { return seconds > 0 ? transactions / seconds : 0; }
};

struct WaitCost {
    Throughput throughput;
    double cpuPercent = 0;  // user-interface thread, of one core, over the waited time
};

// What runs on the open line before the reads start (a listener of its records, say).
using ServerHook = std::function<void(comm::MBComMaster&)>;

// Keeps two reads outstanding, so that the server always has the next one at hand, as it
// does with the program's periodic tasks; false when the port does not open.
bool runServerBackToBack(const ReadSetup& setup, double seconds, Throughput* out, const ServerHook& before = {});

// One read at a time, each waited for as the program does: sleep 1 ms, process events,
// until the answer has arrived.
bool runServerWaited(const ReadSetup& setup, double seconds, WaitCost* out);

}  // namespace perf
