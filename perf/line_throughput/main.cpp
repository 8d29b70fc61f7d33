// Throughput of back-to-back "read 8 input registers" exchanges against the simulated bench
// with wire-time emulation, at 19200 and 9600 baud: our server, libmodbus, and the wire's
// own limit; and the processor time the program's WaitAnswer loop costs while it waits.
// Then the cost of the exchange trace: our server with the bench line's trace off and on
// (written to a file), at 19200 baud and with no wire time at all; and the same for the
// traffic window's recording (its subscription to the line and its log).
// The last line is the 19200-baud summary.
#include "LibmodbusRun.h"
#include "ServerRun.h"
#include "WireLimit.h"

#include "link/TrafficRecorder.h"
#include "link/rtu/TimerPrecision.h"
#include "sim/BenchModule.h"
#include "sim/Simulator.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace perf;

namespace {

constexpr int RequestBytes = 8;                 // address, function, start, count, CRC
constexpr int ResponseBytes = 5 + 2 * 8;        // address, function, byte count, 8 registers, CRC
constexpr int CalibrationSumsReg = 32772;       // ИМР input registers, 20 of them
constexpr int SpeedCodeReg = 1;                 // common holding register of every bench module
constexpr double SecondsPerRun = 5.0;

struct Figures {
    double ours = 0;
    double libmodbus = 0;
    double waitCpuPercent = 0;
};

bool measure(sim::Simulator& sim, int baud, Figures* f)
{
    sim.setWireTime(true, baud);
    // The imitation module hears only its own speed.
    sim.setHolding(sim::Module::Imr, SpeedCodeReg, quint16(sim::BenchModule::speedCodeOfBaud(baud)));
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

// The trace as a technician takes it: every message of the line's category into a file.
class TraceToFile {
public:
    explicit TraceToFile(const QString& path) : m_file(path)
    {
        m_file.open(QIODevice::WriteOnly);
        s_file = &m_file;
        m_previous = qInstallMessageHandler(&TraceToFile::write);
        QLoggingCategory::setFilterRules(QStringLiteral("zta.link.bench.debug=true"));
    }
    ~TraceToFile()
    {
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(m_previous);
        s_file = nullptr;
    }
    qint64 size() const { return m_file.size(); }

private:
    static void write(QtMsgType, const QMessageLogContext&, const QString& text)
    {
        s_file->write(text.toUtf8().append('\n'));
    }

    static inline QFile* s_file = nullptr;
    QFile m_file;
    QtMessageHandler m_previous = nullptr;
};

// The traffic window's recording of the line, as the window subscribes when it is shown.
class MonitorRecording {
public:
    MonitorRecording() : m_recorder(m_log) {}
    ServerHook hook()
    {
        return [this](comm::MBComMaster& line) {
            m_recorder.addLine(line, QStringLiteral("ЗТА"));
            m_recorder.start();
        };
    }
    quint64 recorded() const { return m_log.added(); }

private:
    comm::TrafficLog m_log;
    comm::TrafficRecorder m_recorder;
};

struct OnOffCost {
    double off = 0;  // tx/s, median of the runs
    double on = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One back-to-back run with the thing measured on; false when the port does not open.
using RunOn = std::function<bool(const ReadSetup&, Throughput*)>;

// Back-to-back reads with the thing off and on, alternating so that a change in the
// machine's load falls on both; false when the port does not open.
bool measureOnOff(const ReadSetup& setup, const RunOn& runOn, OnOffCost* cost)
{
    constexpr int Pairs = 3;
    std::vector<double> off, on;
    for (int i = 0; i < Pairs; ++i) {
        Throughput plain, measured;
        if (!runServerBackToBack(setup, SecondsPerRun, &plain) || !runOn(setup, &measured))
            return false;
        off.push_back(plain.tps());
        on.push_back(measured.tps());
    }
    cost->off = median(off);
    cost->on = median(on);
    return true;
}

// The efficiency at 19200 baud with the thing off and on; the run without wire time shows the
// cost where the line does not hide it.
bool measureCost(sim::Simulator& sim, const char* what, const RunOn& runOn, double* efficiencyOff, double* efficiencyOn)
{
    ReadSetup setup;
    setup.port = sim.benchPort();
    setup.address = 1;
    setup.reg = CalibrationSumsReg;
    setup.count = 8;
    for (const bool wire : {true, false}) {
        setup.baud = 19200;
        sim.setWireTime(wire, setup.baud);
        OnOffCost cost;
        if (!measureOnOff(setup, runOn, &cost))
            return false;
        std::printf("%s %s: off %7.2f tx/s, on %7.2f tx/s (%+.2f %%)\n", what, wire ? "at 19200 baud" : "without wire time",
                    cost.off, cost.on, 100.0 * (cost.on - cost.off) / cost.off);
        std::fflush(stdout);
        if (wire) {
            const double limit = wireLimitTps(setup.baud, RequestBytes, ResponseBytes);
            *efficiencyOff = cost.off / limit;
            *efficiencyOn = cost.on / limit;
        }
    }
    return true;
}

bool runTraced(const QString& tracePath, const ReadSetup& setup, Throughput* out)
{
    TraceToFile trace(tracePath);
    return runServerBackToBack(setup, SecondsPerRun, out);
}

// Every answer must have made its record, or the recording was not on.
bool runRecorded(const ReadSetup& setup, Throughput* out)
{
    MonitorRecording recording;
    if (!runServerBackToBack(setup, SecondsPerRun, out, recording.hook()))
        return false;
    const quint64 answers = quint64(out->transactions + out->failures);
    if (recording.recorded() < answers)
        std::fprintf(stderr, "the traffic log holds %llu of %llu exchanges\n", recording.recorded(), answers);
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
    const QString tracePath = dir.filePath(QStringLiteral("trace.log"));
    double traceOff = 0, traceOn = 0, monitorOff = 0, monitorOn = 0;
    if (!measureCost(sim, "trace", [&](const ReadSetup& s, Throughput* t) { return runTraced(tracePath, s, t); }, &traceOff,
                     &traceOn)
        || !measureCost(sim, "traffic window", runRecorded, &monitorOff, &monitorOn))
        return 1;
    std::printf("efficiency ours=%.2f libmodbus=%.2f waitcpu=%.1f%% trace-off=%.3f trace-on=%.3f monitor-off=%.3f "
                "monitor-on=%.3f\n",
                at19200.ours, at19200.libmodbus, at19200.waitCpuPercent, traceOff, traceOn, monitorOff, monitorOn);
    return 0;
}
