#include "link/rtu/RtuWorker.h"

#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"

namespace comm::rtu {

RtuWorker::RtuWorker(QObject* parent) : QObject(parent)
{
    connect(&m_line, &RtuLine::finished, this, &RtuWorker::onLineFinished);
    connect(&m_line, &RtuLine::lost, this, &RtuWorker::onLineLost);
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
    m_queue.enqueue(job);
    startNext();
}

void RtuWorker::startNext()
{
    while (!m_current && !m_queue.isEmpty()) {
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
