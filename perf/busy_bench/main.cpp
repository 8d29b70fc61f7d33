// A flow imitation on a busy bench line: the simulated bench and meter at 19200 baud with
// wire-time emulation, the real server on both lines and the main window's own logic, with
// every periodic read running (counters and currents every second, the elapsed imitation
// time every two seconds, the meter's flow and volume every second) while the operator
// changes the verification point every two seconds. Measures how well the periodic reads
// keep their periods, how long a point change takes against the wire's own minimum, and the
// longest stall of the user-interface thread. The last line is the summary.
#include "BusyRig.h"
#include "PointChanges.h"
#include "Probes.h"

#include "link/rtu/TimerPrecision.h"
#include "perf/line_throughput/WireLimit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace perf;

namespace {

constexpr int kBaud = 19200;
constexpr int kChangeIntervalMs = 2000;
// After the start at 13 m3/h: 30, 130, 250, 13 and round again.
const QList<int> kChangeItems{2, 3, 4, 1};
// Both steps of a point change write one register (function 06): an 8-byte request and its
// 8-byte echo.
constexpr int kWriteRequestBytes = 8;
constexpr int kWriteAnswerBytes = 8;
constexpr int kStepsPerChange = 2;

int secondsOption(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Periodic reads, point changes and stalls during a flow imitation"));
    parser.addHelpOption();
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("How long to change points (default 60)."),
                                     QStringLiteral("N"), QStringLiteral("60"));
    parser.addOption(seconds);
    parser.process(app);
    bool ok = false;
    const int n = parser.value(seconds).toInt(&ok);
    if (!ok || n < kChangeIntervalMs / 1000) {
        std::fprintf(stderr, "--seconds takes a whole number of seconds, at least %d\n", kChangeIntervalMs / 1000);
        std::exit(2);
    }
    return n;
}

// Returns the worst deviation, in per cent of the period.
double printPeriods(const QList<PeriodFigures>& figures)
{
    double worst = 0;
    for (const PeriodFigures& f : figures) {
        std::printf("  %s %7d %8d %7d %9.1f %+9.2f %+10.2f\n", qPrintable(f.read.name.leftJustified(24)), f.read.periodMs,
                    f.answers, f.failures, f.meanMs, f.meanDeviationPct, f.worstDeviationPct);
        worst = std::max(worst, std::abs(f.worstDeviationPct));
    }
    return worst;
}

struct ChangeFigures {
    double meanRatio = 0;
    double worstRatio = 0;
    int failed = 0;
};

ChangeFigures printChanges(const QList<PointChange>& changes, const PeriodProbe& benchReads, double wireMinimumMs)
{
    ChangeFigures f;
    std::printf("\npoint changes (wire minimum %.2f ms: %d x (%d + %d bytes + 2 x 3.5 characters) at %d bits a character)\n",
                wireMinimumMs, kStepsPerChange, kWriteRequestBytes, kWriteAnswerBytes, BitsPerCharacter);
    std::printf("     #  m3/h       ms   ratio  periodic answers meanwhile  outcome\n");
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const PointChange& c = changes[i];
        const double ratio = c.ms() / wireMinimumMs;
        f.meanRatio += ratio;
        f.worstRatio = std::max(f.worstRatio, ratio);
        f.failed += c.ok ? 0 : 1;
        std::printf("  %4lld  %4s  %7.2f  %6.2f  %25d  %s\n", static_cast<long long>(i + 1), qPrintable(c.point), c.ms(), ratio,
                    benchReads.answersBetween(c.startS, c.endS), c.ok ? "ok" : "message");
    }
    if (!changes.isEmpty())
        f.meanRatio /= double(changes.size());
    std::printf("  ratio mean %.2f, worst %.2f; %d of %lld with a message\n", f.meanRatio, f.worstRatio, f.failed,
                static_cast<long long>(changes.size()));
    return f;
}

}  // namespace

int main(int argc, char** argv)
{
    comm::rtu::usePreciseTimers();  // as the monitor runs its lines
    QCoreApplication app(argc, argv);
    const int seconds = secondsOption(app);

    StallProbe stalls;
    BusyRig rig(kBaud);
    QString error;
    if (!rig.start(&error)) {
        std::fprintf(stderr, "busy_bench: %s\n", qPrintable(error));
        return 1;
    }
    const double setupStallMs = stalls.longestGapMs();
    const double setupStallRunningMs = stalls.longestGapRunningMs();
    const double setupStallQueuedMs = stalls.longestGapQueuedMs();
    stalls.restart();
    app::TMainFrm& main = rig.main();
    PeriodProbe benchReads(*main.MBCM, BusyRig::benchReads());
    PeriodProbe meterReads(*main.MBCM1, BusyRig::meterReads());
    qsizetype messagesSeen = rig.dialogs.messages.size();
    PointChanges changes(main.form.imitQ.RGPoint, kChangeItems, [&] {
        const bool quiet = rig.dialogs.messages.size() == messagesSeen;
        messagesSeen = rig.dialogs.messages.size();
        return quiet;
    });

    const int count = seconds * 1000 / kChangeIntervalMs;
    // Over the run the changes move once through a whole read period.
    const int driftMs = BusyRig::ReadPeriodMs / count;
    changes.start(kChangeIntervalMs, driftMs, count);
    QEventLoop run;
    // Half an interval past the last change, so that it has ended.
    QTimer::singleShot(PointChanges::lastDueMs(kChangeIntervalMs, driftMs, count) + kChangeIntervalMs / 2, Qt::PreciseTimer,
                       &run, &QEventLoop::quit);
    run.exec();

    std::printf("busy flow imitation: %d baud, wire-time emulation, %d point changes every %d ms + %d ms\n", kBaud, count,
                kChangeIntervalMs, driftMs);
    std::printf("\n  periodic read              period  answers  failed   mean ms  mean dev %%  worst dev %%\n");
    const double worstBench = printPeriods(benchReads.figures());
    const double worstPeriod = std::max(worstBench, printPeriods(meterReads.figures()));
    const double wireMinimumMs = kStepsPerChange * 1000.0 / wireLimitTps(kBaud, kWriteRequestBytes, kWriteAnswerBytes);
    const ChangeFigures changeFigures = printChanges(changes.done(), benchReads, wireMinimumMs);
    const double stallMs = stalls.longestGapMs();
    std::printf("\nuser-interface thread: longest gap between 1 ms timer ticks %.1f ms: running %.1f ms, waiting for a "
                "processor %.1f ms\n",
                stallMs, stalls.longestGapRunningMs(), stalls.longestGapQueuedMs());
    std::printf("  while starting: %.1f ms: running %.1f ms, waiting for a processor %.1f ms\n", setupStallMs,
                setupStallRunningMs, setupStallQueuedMs);
    std::printf("messages to the operator: %lld\n", static_cast<long long>(rig.dialogs.messages.size()));
    for (const QString& m : rig.dialogs.messages)
        std::printf("  %s\n", qPrintable(m));
    std::printf("busy period=%.1f%% pointchange=%.1fx stall=%.0fms\n", worstPeriod, changeFigures.worstRatio, stallMs);
    return 0;
}
