#include "Probes.h"

#include "perf/line_throughput/Clocks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace perf {

PeriodProbe::PeriodProbe(comm::MBComMaster& server, QList<PeriodicRead> reads)
{
    for (PeriodicRead& r : reads)
        m_tracks.append(Track{std::move(r), {}, 0});
    QObject::connect(&server, &comm::MBComMaster::OnExchange, &m_receiver,
                     [this](int qid, int, int, const QVariant&, int result) { record(qid, result); });
}

void PeriodProbe::record(int qid, int result)
{
    const double now = wallSeconds();
    for (Track& t : m_tracks) {
        if (t.read.qid != qid)
            continue;
        t.arrivals.append(now);
        if (result != 0)
            ++t.failures;
    }
}

void PeriodProbe::restart()
{
    for (Track& t : m_tracks) {
        t.arrivals.clear();
        t.failures = 0;
    }
}

QList<PeriodFigures> PeriodProbe::figures() const
{
    QList<PeriodFigures> out;
    for (const Track& t : m_tracks) {
        PeriodFigures f{t.read, int(t.arrivals.size()), t.failures};
        const double period = t.read.periodMs;
        double sum = 0;
        for (qsizetype i = 1; i < t.arrivals.size(); ++i) {
            const double ms = (t.arrivals[i] - t.arrivals[i - 1]) * 1000;
            sum += ms;
            const double deviation = 100 * (ms - period) / period;
            if (std::abs(deviation) > std::abs(f.worstDeviationPct))
                f.worstDeviationPct = deviation;
        }
        if (t.arrivals.size() > 1) {
            f.meanMs = sum / double(t.arrivals.size() - 1);
            f.meanDeviationPct = 100 * (f.meanMs - period) / period;
        }
        out.append(f);
    }
    return out;
}

int PeriodProbe::answersBetween(double from, double to) const
{
    int n = 0;
    for (const Track& t : m_tracks)
        n += int(std::count_if(t.arrivals.begin(), t.arrivals.end(), [&](double a) { return a >= from && a <= to; }));
    return n;
}

StallProbe::StallProbe() : m_schedstat(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        const Moment tick = now();
        if (tick.wallS - m_lastTick.wallS > m_longest.wallS)
            m_longest = {tick.wallS - m_lastTick.wallS, tick.cpuS - m_lastTick.cpuS, tick.queuedS - m_lastTick.queuedS};
        m_lastTick = tick;
    });
    restart();
    m_timer.start();
}

void StallProbe::restart()
{
    m_lastTick = now();
    m_longest = {};
}

StallProbe::~StallProbe()
{
    if (m_schedstat >= 0)
        ::close(m_schedstat);
}

// schedstat reads "<ns running> <ns waiting on the run queue> <time slices>".
StallProbe::Moment StallProbe::now() const
{
    Moment m{wallSeconds(), threadCpuSeconds(), 0};
    char text[96];
    const ssize_t n = m_schedstat >= 0 ? ::pread(m_schedstat, text, sizeof text - 1, 0) : -1;
    if (n > 0) {
        text[n] = 0;
        char* end = nullptr;
        std::strtoull(text, &end, 10);
        m.queuedS = double(std::strtoull(end, nullptr, 10)) / 1e9;
    }
    return m;
}

}  // namespace perf
