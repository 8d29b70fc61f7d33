#include "SoakRun.h"

#include "ProcessUsage.h"

#include "sim/Simulator.h"

#include <algorithm>

namespace perf {

namespace {
constexpr int BenchBaud = 19200;
constexpr int ImrAddress = 1;
// Beyond the answer time-out an exchange spends a few ms on the inter-frame gaps and the
// request's own bytes.
constexpr int ExchangeOverheadMs = 5;
// A request is hung when it waits ten times its worst case.
constexpr int HungFactor = 10;
// The server has stopped answering altogether when nothing came for this many hung limits.
constexpr int StallFactor = 3;
constexpr int WatchMs = 100;
constexpr int ReconnectPauseMs = 10;
constexpr int MaxReconnectTries = 100;
constexpr qint64 NsPerMs = 1000000;

qint64 hungLimitNs(const SoakSettings& s)
{
    const qint64 exchangeWorstMs = qint64(s.retries + 1) * (s.answerDelayMs + ExchangeOverheadMs);
    // Each of the requests owed may wait for all the others ahead of it.
    return HungFactor * s.window * exchangeWorstMs * NsPerMs;
}
}  // namespace

SoakRun::SoakRun(sim::Simulator& simulator, const SoakSettings& settings)
    : m_sim(simulator),
      m_settings(settings),
      m_hungAfterNs(hungLimitNs(settings)),
      m_ledger(settings.requests),
      m_dice(settings.seed, settings.answerDelayMs),
      m_mix(settings.seed + 1)
{
    Q_ASSERT(settings.requests > 0 && settings.window > 0);
    m_server.setComPort(m_sim.benchPort());
    m_server.setComSpeed(BenchBaud);
    m_server.setAnswerDelay(settings.answerDelayMs);
    m_server.setRetries(settings.retries);
    m_server.setDeviceAddres(ImrAddress);
    connect(&m_server, &comm::MBComMaster::OnExchange, this,
            [this](int qid, int, int, const QVariant&, int result) { onExchange(qid, result); });
    connect(&m_server, &comm::MBComMaster::OnChangeConnected, this, &SoakRun::onConnectedChanged);
    connect(&m_watchdog, &QTimer::timeout, this, &SoakRun::watch);
    m_report.hungAfterMs = double(m_hungAfterNs) / NsPerMs;
}

bool SoakRun::run(SoakReport* report)
{
    if (!m_server.attach())
        return false;
    m_clock.start();
    m_watchdog.start(WatchMs);
    m_server.setConnected(true);
    const bool ran = m_loop.exec() == 0;
    *report = m_report;
    return ran;
}

void SoakRun::onConnectedChanged(bool connected)
{
    if (!m_started) {
        m_started = connected;
        if (!connected) {
            m_loop.exit(1);
            return;
        }
    }
    if (connected) {
        m_port = Port::Up;
        m_reconnectTries = 0;
        submitMore();
        return;
    }
    switch (m_port) {
    case Port::Up:
        ++m_report.unexpectedClose;
        break;
    case Port::Pulled:
        // Plugged in again under the same name, as an adapter comes back.
        if (QString why; !m_sim.restoreLine(sim::Module::Imr, &why)) {
            qWarning("the port does not come back: %s", qPrintable(why));
            m_report.reconnectFailed = true;
            finish();
            return;
        }
        break;
    case Port::Down:
        break;  // a reconnection that failed
    }
    if (m_port != Port::Down)
        m_sentWhileDown = 0;
    m_port = Port::Down;
    reconnect();
}

// What the operator does when the port is back: connect the line again.
void SoakRun::reconnect()
{
    if (m_finished)
        return;
    if (++m_reconnectTries > MaxReconnectTries) {
        qWarning("the line does not connect again after %d tries", MaxReconnectTries);
        m_report.reconnectFailed = true;
        finish();
        return;
    }
    if (m_reconnectTries == 1)
        m_server.setConnected(true);
    else
        QTimer::singleShot(ReconnectPauseMs, this, [this] { m_server.setConnected(true); });
}

void SoakRun::submitMore()
{
    if (m_draining || m_finished)
        return;
    while (int(m_owed.size()) < m_settings.window && m_next <= m_settings.requests) {
        // With the line known to be down only one window's worth goes out: enough to see each
        // answered at once, not so many that the outage takes a large share of the run.
        if (m_port == Port::Down) {
            if (m_sentWhileDown == m_settings.window)
                break;
            ++m_sentWhileDown;
        }
        const Mishap mishap = m_dice.roll();
        m_sim.setFault(sim::Module::Imr, mishap.fault);
        const int qid = m_next++;
        const qint64 t = now();
        m_ledger.sent(qid, t);
        m_owed.emplace(qid, t);
        m_mix.send(m_server, qid);
        if (mishap.vanish)
            QTimer::singleShot(mishap.vanishAfterMs, this, &SoakRun::pullPort);
        // Queued, on the line or already answered: the request still has exactly one answer.
        if (mishap.cancel)
            QTimer::singleShot(mishap.cancelAfterMs, this, [this, qid] {
                m_report.cancelledOwed += m_owed.count(qid);
                m_server.FreeTask(qid);
            });
    }
    if (m_next > m_settings.requests && m_owed.empty()) {
        // Late second answers would come within one request's worst case.
        m_draining = true;
        QTimer::singleShot(int(m_hungAfterNs / HungFactor / NsPerMs), this, &SoakRun::finish);
    }
}

void SoakRun::onExchange(int qid, int result)
{
    const qint64 t = now();
    m_lastAnswerNs = t;
    if (m_ledger.answered(qid, t, result)) {
        m_owed.erase(qid);
        if (m_ledger.firstAnswers() == std::max(1, m_settings.requests / 10))
            m_rssAfterWarmUp = residentKb();
        // A leak grows on through the second half; a heap settling in does not.
        if (m_ledger.firstAnswers() == std::max(1, m_settings.requests / 2))
            m_report.rssHalfWayKb = residentKb();
        // Counted with the line open on both ends: a vanished port holds fewer.
        if (m_rssAfterWarmUp >= 0 && m_descriptorsAfterWarmUp < 0 && m_port == Port::Up)
            m_descriptorsAfterWarmUp = openDescriptors();
    }
    submitMore();
}

void SoakRun::pullPort()
{
    if (m_port != Port::Up || m_draining || m_finished)
        return;
    m_sim.dropLine(sim::Module::Imr);
    m_port = Port::Pulled;
    m_pulledAtNs = now();
    ++m_report.vanished;
}

void SoakRun::watch()
{
    const qint64 t = now();
    if (m_rssAfterWarmUp >= 0)
        m_rssPeak = std::max(m_rssPeak, residentKb());
    const auto before = m_owed.size();
    std::erase_if(m_owed, [&](const auto& owed) { return t - owed.second > m_hungAfterNs; });
    if (m_owed.size() != before)
        submitMore();
    if (m_port == Port::Pulled && t - m_pulledAtNs > m_hungAfterNs) {
        // The server never noticed: close it by hand so that the soak goes on.
        ++m_report.unnoticedVanish;
        m_pulledAtNs = t;
        m_server.setConnected(false);
    }
    if (!m_draining && t - m_lastAnswerNs > StallFactor * m_hungAfterNs) {
        qWarning("no answer for %lld ms: the rest is not sent", (long long)((t - m_lastAnswerNs) / NsPerMs));
        m_report.stalled = true;
        finish();
    }
}

void SoakRun::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_watchdog.stop();
    SoakReport& r = m_report;
    r.tally = m_ledger.tally(m_hungAfterNs);
    r.strays = m_ledger.strays();
    r.seconds = double(now()) / 1e9;
    r.slowestMs = double(m_ledger.slowestNs()) / NsPerMs;
    r.results = m_ledger.results();
    if (m_rssAfterWarmUp >= 0) {
        const qint64 last = residentKb();
        r.rssAfterWarmUpKb = m_rssAfterWarmUp;
        r.descriptorsAfterWarmUp = m_descriptorsAfterWarmUp;
        r.descriptorsAtEnd = openDescriptors();
        r.rssGrowthKb = last - m_rssAfterWarmUp;
        r.rssPeakGrowthKb = std::max(m_rssPeak, last) - m_rssAfterWarmUp;
    }
    m_loop.exit(0);
}

}  // namespace perf
