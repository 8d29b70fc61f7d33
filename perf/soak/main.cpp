// A fault soak of the communication server: one-shot requests through the real server over a
// pseudo-terminal to the simulated bench, with silence, damaged CRCs, answers from the wrong
// address, truncated answers, exceptions, late answers, cancellations and the port vanishing and
// coming back, drawn at random. Every request must be answered exactly once, none may hang, and
// the resident memory must stay flat after the warm-up.
// The last line is the summary; the exit code is non-zero when a request was lost, answered
// twice or hung, or the memory or the open descriptors grew beyond their bounds.
#include "SoakRun.h"

#include "link/rtu/TimerPrecision.h"
#include "sim/Simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace perf;

namespace {

// Qt may open a descriptor of its own on the way.
constexpr int DescriptorSlack = 2;

struct Options {
    SoakSettings soak;
    qint64 rssBoundKb = 4096;
};

bool parse(const QCoreApplication& app, Options* o)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Fault soak of the RTU server against the simulated bench."));
    p.addHelpOption();
    const QCommandLineOption requests(QStringLiteral("requests"), QStringLiteral("One-shot requests to send."),
                                      QStringLiteral("n"), QString::number(o->soak.requests));
    const QCommandLineOption answer(QStringLiteral("answer-ms"), QStringLiteral("Answer time-out of the line."),
                                    QStringLiteral("ms"), QString::number(o->soak.answerDelayMs));
    const QCommandLineOption retries(QStringLiteral("retries"), QStringLiteral("Repeats after a failed exchange."),
                                     QStringLiteral("n"), QString::number(o->soak.retries));
    const QCommandLineOption window(QStringLiteral("window"), QStringLiteral("Requests owed by the server at once."),
                                    QStringLiteral("n"), QString::number(o->soak.window));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the random faults and requests."),
                                  QStringLiteral("n"), QString::number(o->soak.seed));
    const QCommandLineOption bound(QStringLiteral("rss-bound-kb"),
                                   QStringLiteral("Resident memory growth after the warm-up that fails the soak."),
                                   QStringLiteral("kB"), QString::number(o->rssBoundKb));
    p.addOptions({requests, answer, retries, window, seed, bound});
    p.process(app);
    bool ok[6];
    o->soak.requests = p.value(requests).toInt(&ok[0]);
    o->soak.answerDelayMs = p.value(answer).toInt(&ok[1]);
    o->soak.retries = p.value(retries).toInt(&ok[2]);
    o->soak.window = p.value(window).toInt(&ok[3]);
    o->soak.seed = p.value(seed).toUInt(&ok[4]);
    o->rssBoundKb = p.value(bound).toLongLong(&ok[5]);
    if (std::find(std::begin(ok), std::end(ok), false) != std::end(ok) || o->soak.requests < 1 || o->soak.answerDelayMs < 1
        || o->soak.retries < 0 || o->soak.window < 1) {
        std::fprintf(stderr, "every option takes a number; requests, answer-ms and window at least 1\n");
        return false;
    }
    return true;
}

void printFigures(const Options& o, const SoakReport& r)
{
    std::printf("%d requests, answer time-out %d ms, %d retries, %d owed at once, seed %u\n", o.soak.requests,
                o.soak.answerDelayMs, o.soak.retries, o.soak.window, o.soak.seed);
    std::printf("time %.1f s, slowest answer %.1f ms (hung beyond %.0f ms)\n", r.seconds, r.slowestMs, r.hungAfterMs);
    std::printf("results:");
    for (int code = 0; code < Ledger::ResultSlots; ++code)
        if (r.results[code] > 0)
            std::printf(" %d=%d", code, r.results[code]);
    std::printf("\n");
    std::printf("cancelled before the answer %d\n", r.cancelledOwed);
    std::printf("port vanished %d times, unnoticed %d; line closed unasked %d; reconnection %s\n", r.vanished,
                r.unnoticedVanish, r.unexpectedClose, r.reconnectFailed ? "FAILED" : "ok");
    std::printf("stray answers %d%s\n", r.strays, r.stalled ? "; the server stopped answering, the rest was not sent" : "");
    std::printf("resident memory %lld kB after the warm-up, then %+lld kB half-way, %+lld kB at the end, %+lld kB at "
                "the peak (bound %lld kB)\n",
                (long long)r.rssAfterWarmUpKb, (long long)(r.rssHalfWayKb - r.rssAfterWarmUpKb), (long long)r.rssGrowthKb,
                (long long)r.rssPeakGrowthKb, (long long)o.rssBoundKb);
    std::printf("open descriptors %d after the warm-up, %d at the end\n", r.descriptorsAfterWarmUp, r.descriptorsAtEnd);
}

}  // namespace

int main(int argc, char** argv)
{
    comm::rtu::usePreciseTimers();  // as the monitor runs its lines
    QCoreApplication app(argc, argv);
    // Qt reports every damaged or unmatched frame; here they are wanted by the thousand.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.modbus*=false"));
    Options o;
    if (!parse(app, &o))
        return 2;

    QTemporaryDir dir;
    sim::Options simOptions;
    simOptions.directory = dir.path();
    sim::Simulator simulator(simOptions);
    if (QString error; !simulator.start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return 2;
    }
    SoakReport r;
    {
        SoakRun soak(simulator, o.soak);
        if (!soak.run(&r)) {
            std::fprintf(stderr, "the server does not connect to %s\n", qPrintable(simulator.benchPort()));
            return 2;
        }
    }
    printFigures(o, r);
    const Ledger::Tally& t = r.tally;
    std::printf("soak requests=%d once=%d lost=%d dup=%d hung=%d rss_growth_kb=%lld\n", o.soak.requests, t.once, t.lost,
                t.dup, t.hung, (long long)r.rssGrowthKb);
    std::fflush(stdout);
    const bool answeredOnce = t.lost == 0 && t.dup == 0 && t.hung == 0 && r.strays == 0;
    const bool lineFollowed = r.unnoticedVanish == 0 && !r.reconnectFailed;
    const bool measured = r.rssAfterWarmUpKb > 0 && r.descriptorsAfterWarmUp > 0;
    const bool nothingKept =
        r.rssGrowthKb <= o.rssBoundKb && r.descriptorsAtEnd - r.descriptorsAfterWarmUp <= DescriptorSlack;
    const bool sound = answeredOnce && lineFollowed && measured && nothingKept;
    return sound ? 0 : 1;
}
