// Throughput of back-to-back "read 8 input registers" exchanges against the simulated bench
// with wire-time emulation, at 19200 and 9600 baud: our server, libmodbus, and the wire's
// own limit; and the processor time the program's WaitAnswer loop costs while it waits.
// The last line is the 19200-baud summary.
#include "LibmodbusRun.h"
#include "ServerRun.h"
#include "WireLimit.h"

#include "link/rtu/TimerPrecision.h"
#include "sim/Simulator.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

using namespace perf;

namespace {

constexpr int RequestBytes = 8;                 // address, function, start, count, CRC
constexpr int ResponseBytes = 5 + 2 * 8;        // address, function, byte count, 8 registers, CRC
constexpr int CalibrationSumsReg = 32772;       // ИМР input registers, 20 of them
constexpr double SecondsPerRun = 5.0;

struct Figures {
    double ours = 0;
    double libmodbus = 0;
    double waitCpuPercent = 0;
};

bool measure(sim::Simulator& sim, int baud, Figures* f)
{
    sim.setWireTime(true, baud);
    ReadSetup setup;
    setup.port = sim.benchPort();
    setup.baud = baud;
    setup.address = 1;
    setup.reg = CalibrationSumsReg;
    setup.count = 8;
    const double limit = wireLimitTps(baud, RequestBytes, ResponseBytes);

    Throughput ours, lib;
    WaitCost waited;
    if (!runServerBackToBack(setup, SecondsPerRun, &ours) || !runServerWaited(setup, SecondsPerRun, &waited)
        || !runLibmodbus(setup, SecondsPerRun, &lib)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(setup.port));
        return false;
    }
    f->ours = ours.tps() / limit;
    f->libmodbus = lib.tps() / limit;
    f->waitCpuPercent = waited.cpuPercent;
    std::printf("%d baud: wire limit %.2f tx/s\n", baud, limit);
    std::printf("  ours, back to back   %7.2f tx/s  ratio %.3f  (%d ok, %d failed)\n", ours.tps(), f->ours, ours.transactions,
                ours.failures);
    std::printf("  ours, WaitAnswer     %7.2f tx/s  ratio %.3f  UI thread CPU while waiting %.2f%%\n", waited.throughput.tps(),
                waited.throughput.tps() / limit, waited.cpuPercent);
    std::printf("  libmodbus            %7.2f tx/s  ratio %.3f  (%d ok, %d failed)\n", lib.tps(), f->libmodbus, lib.transactions,
                lib.failures);
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    comm::rtu::usePreciseTimers();  // as the monitor runs its lines
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    sim::Options options;
    options.directory = dir.path();
    options.wireTime = true;
    sim::Simulator sim(options);
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 1;
    }
    Figures at9600, at19200;
    if (!measure(sim, 9600, &at9600) || !measure(sim, 19200, &at19200))
        return 1;
    std::printf("efficiency ours=%.2f libmodbus=%.2f waitcpu=%.1f%%\n", at19200.ours, at19200.libmodbus, at19200.waitCpuPercent);
    return 0;
}
