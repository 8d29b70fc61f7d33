#pragma once
// What the busy run measures on the user-interface thread: when the answers of the periodic
// reads arrive, and how long the thread goes without running its timers.
#include "link/MBComMaster.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

namespace perf {

struct PeriodicRead {
    QString name;
    int qid = 0;
    int periodMs = 0;
};

struct PeriodFigures {
    PeriodicRead read;
    int answers = 0;
    int failures = 0;            // answers with a Result other than 0
    double meanMs = 0;           // mean interval between answers
    double meanDeviationPct = 0; // of the mean interval from the period
    double worstDeviationPct = 0;  // the interval farthest from the period, signed
};

// The arrival times of the answers of some periodic reads of one server.
class PeriodProbe {
public:
    PeriodProbe(comm::MBComMaster& server, QList<PeriodicRead> reads);

    // Forgets the answers so far.
    void restart();
    QList<PeriodFigures> figures() const;
    // How many answers of the probed reads arrived between the two moments (wall seconds).
    int answersBetween(double from, double to) const;

private:
    struct Track {
        PeriodicRead read;
        QList<double> arrivals;  // wall seconds
        int failures = 0;
    };
    void record(int qid, int result);

    QList<Track> m_tracks;
    QObject m_receiver;  // ends the connection with the probe
};

// The largest gap between the ticks of a 1 ms timer on the calling thread, how much of it the
// thread spent running (the program's own work) and how much waiting for a processor that
// other processes held (the machine's load, not the program).
class StallProbe {
public:
    StallProbe();
    ~StallProbe();
    StallProbe(const StallProbe&) = delete;
    StallProbe& operator=(const StallProbe&) = delete;

    void restart();
    double longestGapMs() const { return m_longest.wallS * 1000; }
    double longestGapRunningMs() const { return m_longest.cpuS * 1000; }
    double longestGapQueuedMs() const { return m_longest.queuedS * 1000; }

private:
    struct Moment {
        double wallS = 0;
        double cpuS = 0;
        double queuedS = 0;  // time spent runnable on the scheduler's queue
    };
    Moment now() const;

    int m_schedstat = -1;  // the thread's scheduler statistics; -1 when the system has none
    QTimer m_timer;
    Moment m_lastTick;
    Moment m_longest;  // of the longest gap
};

}  // namespace perf
