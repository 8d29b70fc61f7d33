#include "link/rtu/RtuWorker.h"

#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"

#include <algorithm>

namespace comm::rtu {

RtuWorker::RtuWorker(QObject* parent) : QObject(parent)
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
    Q_EMIT connectedChanged(m_line.isOpen() || m_line.open(settings));
}

void RtuWorker::close()
{
    m_line.close();
    failOutstanding();
    Q_EMIT connectedChanged(false);
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
        if (const std::optional<Answer> refused = m_line.start(job.request))
            complete(job, *refused);
        else
            m_current = job;
    }
}

void RtuWorker::complete(const Job& job, const Answer& answer)
{
    if (auto it = m_repeats.find(job.task); it != m_repeats.end())
        it->second->outstanding = false;
    Q_EMIT answered(job.task, answer);
}

void RtuWorker::onLineFinished(const Answer& answer)
{
    const Job job = *m_current;
    m_current.reset();
    if (job.request.period == 0)
        m_grace.start(OneShotGraceMs);
    complete(job, answer);
    startNext();
}

void RtuWorker::onLineLost()
{
    failOutstanding();
    Q_EMIT connectedChanged(false);
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
