#pragma once
// The soak itself: one-shot requests through the real server over the simulator's bench line,
// a few at a time, with faults drawn at random before each, some cancelled, the port vanishing
// now and then and the server reconnected as the monitor does when it comes back. Every answer
// is booked in the ledger; a watchdog gives up on a request that waits far beyond its worst
// case, so the soak always ends.
#include "FaultDice.h"
#include "Ledger.h"
#include "RequestMix.h"

#include "link/rtu/RtuComMaster.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <map>

namespace sim {
class Simulator;
}

namespace perf {

struct SoakSettings {
    int requests = 100000;
    int answerDelayMs = 20;
    int retries = 1;
    int window = 4;  // one-shot requests owed by the server at once
    quint32 seed = 1;
};

struct SoakReport {
    Ledger::Tally tally;
    int strays = 0;            // answers to numbers never sent
    int cancelledOwed = 0;     // requests freed before their answer came
    int vanished = 0;          // times the port was pulled away
    int unnoticedVanish = 0;   // ... without the server reporting the line closed
    int unexpectedClose = 0;   // the server reported the line closed with the port in place
    bool reconnectFailed = false;
    bool stalled = false;      // the server stopped answering altogether; the rest was not sent
    double seconds = 0;
    qint64 rssAfterWarmUpKb = -1;
    qint64 rssHalfWayKb = -1;
    qint64 rssGrowthKb = 0;    // from the end of the warm-up to the end
    qint64 rssPeakGrowthKb = 0;
    int descriptorsAfterWarmUp = -1;
    int descriptorsAtEnd = -1;
    double slowestMs = 0;
    double hungAfterMs = 0;
    std::array<int, Ledger::ResultSlots> results{};
};

class SoakRun : public QObject {
    Q_OBJECT
public:
    SoakRun(sim::Simulator& simulator, const SoakSettings& settings);
    // Connects, runs every request and waits for stray late answers; false when the line does
    // not even connect.
    bool run(SoakReport* report);

private:
    enum class Port { Up, Pulled, Down };

    void submitMore();
    void onExchange(int qid, int result);
    void onConnectedChanged(bool connected);
    void pullPort();
    void reconnect();
    void watch();
    void finish();
    qint64 now() const { return m_clock.nsecsElapsed(); }

    sim::Simulator& m_sim;
    const SoakSettings m_settings;
    const qint64 m_hungAfterNs;
    comm::RtuComMaster m_server;
    Ledger m_ledger;
    FaultDice m_dice;
    RequestMix m_mix;
    QElapsedTimer m_clock;
    QEventLoop m_loop;
    QTimer m_watchdog;

    std::map<int, qint64> m_owed;  // sent, no answer yet, not given up: when each was sent
    int m_next = 1;
    bool m_started = false;  // the first connection came
    bool m_finished = false;
    Port m_port = Port::Down;
    qint64 m_pulledAtNs = 0;
    int m_sentWhileDown = 0;
    int m_reconnectTries = 0;
    qint64 m_lastAnswerNs = 0;
    bool m_draining = false;
    qint64 m_rssAfterWarmUp = -1;
    int m_descriptorsAfterWarmUp = -1;
    qint64 m_rssPeak = 0;
    SoakReport m_report;
};

}  // namespace perf
