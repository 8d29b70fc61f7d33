#include "link/rtu/RtuWorker.h"

#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"

#include <QLoggingCategory>

#include <algorithm>

namespace comm::rtu {

namespace {

quint8 functionByte(const QModbusPdu& pdu)
{
    if (!pdu.isValid())
        return 0;
    return quint8(pdu.functionCode() | (pdu.isException() ? QModbusPdu::ExceptionByte : 0));
}

}  // namespace

RtuWorker::RtuWorker(const QLoggingCategory& trace, QObject* parent) : QObject(parent), m_trace(trace), m_line(trace, this)
{
    connect(&m_line, &RtuLine::finished, this, &RtuWorker::onLineFinished);
    connect(&m_line, &RtuLine::lost, this, &RtuWorker::onLineLost);
    m_grace.setSingleShot(true);
    m_grace.setTimerType(Qt::PreciseTimer);
    connect(&m_grace, &QTimer::timeout, this, &RtuWorker::startNext);
}

void RtuWorker::open(const PortSettings& settings)
{
    // An open line keeps its settings until it is closed.
    const QString problem = m_line.isOpen() ? QString() : m_line.open(settings);
    Q_EMIT connectedChanged(problem.isEmpty(), problem);
}

void RtuWorker::close()
{
    m_line.close();
    failOutstanding();
    Q_EMIT connectedChanged(false, {});
}

void RtuWorker::setInterFrameDelay(int microseconds)
{
    m_line.setInterFrameDelay(microseconds);
}

void RtuWorker::submit(quint64 task, const Request& r)
{
    if (r.period > 0) {
        auto repeat = std::make_unique<Repeat>();
        repeat->request = r;
        connect(&repeat->timer, &QTimer::timeout, this, [this, task, rep = repeat.get()] {
            if (!rep->outstanding)
                enqueue(Job{task, rep->request});
        });
        // Coarse timers may move each beat by 5 % of the period.
        repeat->timer.setTimerType(Qt::PreciseTimer);
        repeat->timer.start(r.period);
        m_repeats[task] = std::move(repeat);
    }
    enqueue(Job{task, r});
}

void RtuWorker::cancel(const QList<quint64>& tasks)
{
    m_queue.removeIf([&](const Job& j) { return tasks.contains(j.task); });
    if (m_current && tasks.contains(m_current->task)) {
        m_line.abandon();
        m_current.reset();
    }
    for (quint64 t : tasks)
        m_repeats.erase(t);
    startNext();
}

void RtuWorker::enqueue(const Job& job)
{
    if (!m_line.isOpen()) {
        complete(job, answerOf(job.request, ResultCannotSend));
        return;
    }
    if (auto it = m_repeats.find(job.task); it != m_repeats.end())
        it->second->outstanding = true;
    if (job.request.period > 0) {
        m_queue.enqueue(job);
    } else {
        const auto firstPeriodic =
            std::find_if(m_queue.begin(), m_queue.end(), [](const Job& j) { return j.request.period > 0; });
        m_queue.insert(firstPeriodic, job);
    }
    startNext();
}

void RtuWorker::startNext()
{
    while (!m_current && !m_queue.isEmpty()) {
        if (m_queue.head().request.period > 0 && m_grace.isActive())
            return;  // the grace's end starts it
        const Job job = m_queue.dequeue();
        m_onLine.start();
        if (const std::optional<Answer> refused = m_line.start(job.request))
            complete(job, *refused);
        else
            m_current = job;
    }
}

void RtuWorker::complete(const Job& job, const Answer& answer, const Pdus* pdus)
{
    if (auto it = m_repeats.find(job.task); it != m_repeats.end())
        it->second->outstanding = false;
    record(job, answer, pdus);
    Q_EMIT answered(job.task, answer);
}

void RtuWorker::record(const Job& job, const Answer& answer, const Pdus* pdus)
{
    ExchangeRecord rec;
    stampRecord(rec, job.request, answer);
    if (pdus) {
        rec.durationMs = double(m_onLine.nsecsElapsed()) / 1e6;
        rec.sentFunction = functionByte(pdus->sent);
        rec.sentData = pdus->sent.data();
        rec.receivedFunction = functionByte(pdus->received);
        rec.receivedData = pdus->received.data();
    }
    // qCDebug formats the line only when the trace is on.
    qCDebug(m_trace).noquote() << rec.traceLine();
    Q_EMIT exchanged(rec);
}

void RtuWorker::onLineFinished(const Answer& answer, const Pdus& pdus)
{
    const Job job = *m_current;
    m_current.reset();
    if (job.request.period == 0)
        m_grace.start(OneShotGraceMs);
    complete(job, answer, &pdus);
    startNext();
}

void RtuWorker::onLineLost(const QString& problem)
{
    failOutstanding();
    Q_EMIT connectedChanged(false, problem);
}

void RtuWorker::failOutstanding()
{
    QQueue<Job> owed;
    owed.swap(m_queue);
    if (m_current)
        owed.prepend(*m_current);
    m_current.reset();
    for (const Job& job : owed)
        complete(job, answerOf(job.request, ResultCannotSend));
}

}  // namespace comm::rtu
