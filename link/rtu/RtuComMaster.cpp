#include "link/rtu/RtuComMaster.h"

#include "link/LineTrace.h"
#include "link/PortList.h"
#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"
#include "link/rtu/RtuWorker.h"

#include <algorithm>
#include <utility>

namespace comm {

RtuComMaster::RtuComMaster(const char* line, QObject* parent) : MBComMaster(parent), m_trace(lineCategory(line))
{
    m_thread.setObjectName(QStringLiteral("RtuComMaster"));
}

RtuComMaster::~RtuComMaster()
{
    if (!m_worker)
        return;
    QMetaObject::invokeMethod(m_worker, [w = m_worker] { delete w; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool RtuComMaster::attach()
{
    if (m_worker)
        return true;
    auto* worker = new rtu::RtuWorker(m_trace);
    worker->moveToThread(&m_thread);
    connect(worker, &rtu::RtuWorker::answered, this, &RtuComMaster::onAnswered, Qt::QueuedConnection);
    connect(worker, &rtu::RtuWorker::connectedChanged, this, &RtuComMaster::onConnectedChanged, Qt::QueuedConnection);
    m_thread.start(QThread::HighPriority);
    if (!m_thread.isRunning()) {
        delete worker;
        return false;
    }
    m_worker = worker;
    forwardRecords(isRecorded());
    return true;
}

void RtuComMaster::recordingChanged(bool on)
{
    forwardRecords(on);
}

void RtuComMaster::forwardRecords(bool on)
{
    if (!m_worker)
        return;
    if (on && !m_records)
        m_records = connect(m_worker, &rtu::RtuWorker::exchanged, this, &MBComMaster::exchanged, Qt::QueuedConnection);
    else if (!on && m_records)
        disconnect(std::exchange(m_records, {}));
}

void RtuComMaster::setConnected(bool on)
{
    if (!m_worker) {
        QMetaObject::invokeMethod(this, [this] { Q_EMIT OnChangeConnected(false); }, Qt::QueuedConnection);
        return;
    }
    if (!on) {
        QMetaObject::invokeMethod(m_worker, &rtu::RtuWorker::close);
        return;
    }
    rtu::PortSettings s;
    s.port = platformPortName(ComPort());
    s.baud = ComSpeed();
    s.rs485 = LinkType() == 1;
    s.answerDelayMs = AnswerDelay();
    s.retries = Retries();
    s.interFrameDelayUs = InterByte() * 100;
    QMetaObject::invokeMethod(m_worker, [w = m_worker, s] { w->open(s); });
}

void RtuComMaster::setInterByte(int tenthsOfMs)
{
    MBComMaster::setInterByte(tenthsOfMs);
    if (m_worker)
        QMetaObject::invokeMethod(m_worker, [w = m_worker, us = tenthsOfMs * 100] { w->setInterFrameDelay(us); });
}

void RtuComMaster::submit(const Request& r)
{
    if (!m_worker) {
        answerLater(r, ResultCannotSend);
        return;
    }
    const quint64 task = m_nextTask++;
    m_owed.insert(task, Owed{r});
    QMetaObject::invokeMethod(m_worker, [w = m_worker, task, r] { w->submit(task, r); });
}

int RtuComMaster::owes(int qid) const
{
    return int(std::count_if(m_owed.cbegin(), m_owed.cend(), [qid](const Owed& o) { return o.request.qid == qid; }));
}

void RtuComMaster::FreeTask(int qid)
{
    QList<quint64> tasks;
    for (auto it = m_owed.cbegin(); it != m_owed.cend(); ++it)
        if (it->request.qid == qid)
            tasks.append(it.key());
    cancel(tasks);
}

void RtuComMaster::FreeAllTasks()
{
    cancel(m_owed.keys());
}

void RtuComMaster::FreePeriodicTasks()
{
    QList<quint64> tasks;
    for (auto it = m_owed.cbegin(); it != m_owed.cend(); ++it)
        if (it->periodic())
            tasks.append(it.key());
    cancel(tasks);
}

void RtuComMaster::cancel(const QList<quint64>& tasks)
{
    if (tasks.isEmpty())
        return;
    for (quint64 task : tasks) {
        const Owed owed = m_owed.take(task);
        if (!owed.periodic())
            answerLater(owed.request, ResultCannotSend);
    }
    QMetaObject::invokeMethod(m_worker, [w = m_worker, tasks] { w->cancel(tasks); });
}

void RtuComMaster::answerLater(const Request& r, int result)
{
    const rtu::Answer a = rtu::answerOf(r, result);
    QMetaObject::invokeMethod(
        this, [this, qid = r.qid, a] { Q_EMIT OnExchange(qid, a.mbAddr, a.function, a.value, a.result); }, Qt::QueuedConnection);
}

void RtuComMaster::onAnswered(quint64 task, const rtu::Answer& a)
{
    const auto it = m_owed.find(task);
    if (it == m_owed.end())
        return;  // cancelled and already answered, or a freed periodic task
    const int qid = it->request.qid;
    if (!it->periodic())
        m_owed.erase(it);
    Q_EMIT OnExchange(qid, a.mbAddr, a.function, a.value, a.result);
}

void RtuComMaster::onConnectedChanged(bool connected, const QString& problem)
{
    m_connected = connected;
    setLinkProblem(problem);
    Q_EMIT OnChangeConnected(connected);
}

}  // namespace comm
