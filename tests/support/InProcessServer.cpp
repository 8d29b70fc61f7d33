#include "InProcessServer.h"

#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"
#include "link/rtu/RtuClient.h"
#include "sim/Crc16.h"
#include "sim/Equipment.h"

#include <QModbusReply>

#include <algorithm>
#include <cmath>

namespace test {

using comm::rtu::Answer;
using comm::rtu::Outgoing;

// Qt's own decoding of a response into a data unit, as the real server's client does it
// (Report Server ID included); never opened.
class ResponseDecoder : public comm::rtu::RtuClient {
public:
    using comm::rtu::RtuClient::processResponse;
};

namespace {

// The request PDU Qt's client sends for a data unit: a read, or the write of one coil.
QModbusRequest requestOf(const Outgoing& out)
{
    const auto start = quint16(out.unit.startAddress());
    if (out.kind == Outgoing::Kind::Write) {
        Q_ASSERT(out.unit.registerType() == QModbusDataUnit::Coils && out.unit.valueCount() == 1);
        return QModbusRequest(QModbusPdu::WriteSingleCoil, start, quint16(out.unit.value(0) ? 0xFF00 : 0x0000));
    }
    QModbusPdu::FunctionCode function = QModbusPdu::ReadHoldingRegisters;
    switch (out.unit.registerType()) {
    case QModbusDataUnit::Coils: function = QModbusPdu::ReadCoils; break;
    case QModbusDataUnit::DiscreteInputs: function = QModbusPdu::ReadDiscreteInputs; break;
    case QModbusDataUnit::InputRegisters: function = QModbusPdu::ReadInputRegisters; break;
    default: break;
    }
    return QModbusRequest(function, start, quint16(out.unit.valueCount()));
}

QByteArray frameOf(int address, const QModbusRequest& pdu)
{
    QByteArray frame(1, char(address));
    frame.append(char(pdu.functionCode()));
    frame.append(pdu.data());
    return sim::withCrc(frame);
}

}  // namespace

InProcessServer::InProcessServer(sim::Equipment& equipment, sim::LineKind line, comm::Clock& clock)
    : m_equipment(equipment),
      m_clock(clock),
      m_decoder(std::make_unique<ResponseDecoder>()),
      m_line(line),
      m_step(clock.alarm([this] { serveCurrent(); }))
{
}

InProcessServer::~InProcessServer() = default;

bool InProcessServer::attach()
{
    m_attached = true;
    return true;
}

void InProcessServer::setConnected(bool on)
{
    if (!m_attached) {
        reportConnectedLater(false);
        return;
    }
    if (on) {
        m_open = true;
        reportConnectedLater(true);
    } else {
        closePort();
    }
}

void InProcessServer::dropLine()
{
    if (m_open)
        closePort();
}

void InProcessServer::closePort()
{
    m_open = false;
    failOutstanding();
    reportConnectedLater(false);
}

void InProcessServer::submit(const comm::Request& r)
{
    if (!m_attached) {
        answerLater(r, comm::ResultCannotSend);
        return;
    }
    const quint64 task = m_nextTask++;
    m_owed.insert(task, r);
    if (r.period > 0) {
        auto repeat = std::make_unique<Repeat>();
        repeat->request = r;
        repeat->alarm = m_clock.alarm([this, task, rep = repeat.get()] {
            rep->alarm->start(rep->request.period);
            if (!rep->outstanding)
                enqueue(Job{task, rep->request});
        });
        repeat->alarm->start(r.period);
        m_repeats[task] = std::move(repeat);
    }
    enqueue(Job{task, r});
}

void InProcessServer::enqueue(const Job& job)
{
    if (!m_open) {
        completeLater(job.task, comm::rtu::answerOf(job.request, comm::ResultCannotSend));
        return;
    }
    if (auto it = m_repeats.find(job.task); it != m_repeats.end())
        it->second->outstanding = true;
    m_queue.enqueue(job);
    startNext();
}

void InProcessServer::startNext()
{
    if (m_current || m_queue.isEmpty())
        return;
    m_current = m_queue.dequeue();
    m_ready.reset();
    m_frames = {};
    m_step->start(m_latencyMs);
}

// First the exchange itself; an answer the equipment holds back waits for its time.
void InProcessServer::serveCurrent()
{
    Q_ASSERT(m_current);
    if (m_ready) {
        finishCurrent(*m_ready);
        return;
    }
    qint64 delayUs = 0;
    const Answer answer = exchange(m_current->request, &delayUs);
    if (delayUs <= 0) {
        finishCurrent(answer);
        return;
    }
    m_ready = answer;
    m_step->start(int(std::ceil(delayUs / 1000.0)));
}

// The state is settled before the answer goes out: its handler may submit, cancel or wait.
void InProcessServer::finishCurrent(const Answer& answer)
{
    const quint64 task = m_current->task;
    record(m_current->request, answer);
    m_current.reset();
    m_ready.reset();
    if (auto it = m_repeats.find(task); it != m_repeats.end())
        it->second->outstanding = false;
    startNext();
    deliver(task, answer);
}

Answer InProcessServer::exchange(const comm::Request& r, qint64* answerDelayUs)
{
    const auto prepared = comm::rtu::prepareExchange(r);
    if (const int* refused = std::get_if<int>(&prepared))
        return comm::rtu::answerOf(r, *refused);
    const Outgoing& out = std::get<Outgoing>(prepared);
    const QModbusRequest pdu = out.kind == Outgoing::Kind::Raw ? out.pdu : requestOf(out);
    m_frames.sentFunction = quint8(pdu.functionCode());
    m_frames.sentData = pdu.data();
    // Sent at the port's present speed: a module set to another one does not hear it.
    const std::optional<sim::Reply> reply = m_equipment.respond(m_line, frameOf(r.address, pdu), ComSpeed());
    if (r.address == 0)
        return comm::rtu::answerOf(r, comm::ResultOk);  // a broadcast is done once sent

    // The reply Qt's client would finish with, read by the real server's own interpretation.
    QModbusReply finished(out.kind == Outgoing::Kind::Raw ? QModbusReply::Raw : QModbusReply::Common, r.address);
    auto timeOut = [&](std::optional<QModbusDevice::IntermediateError> seen) {
        if (seen)
            finished.addIntermediateError(*seen);
        finished.setError(QModbusDevice::TimeoutError, QStringLiteral("Request timeout."));
    };
    const QByteArray& frame = reply ? reply->frame : QByteArray();
    const int answerDelayMs = r.patience.answerDelayMs.value_or(AnswerDelay());
    if (!reply || reply->delayUs > qint64(answerDelayMs) * 1000) {
        timeOut(std::nullopt);
    } else if (!sim::hasValidCrc(frame) || frame.size() < 4) {
        timeOut(QModbusDevice::ResponseCrcError);
    } else if (quint8(frame[0]) != r.address) {
        timeOut(QModbusDevice::ResponseRequestMismatch);
    } else {
        *answerDelayUs = reply->delayUs;
        m_frames.durationMs = double(reply->delayUs) / 1000.0;
        m_frames.receivedFunction = quint8(frame[1]);
        m_frames.receivedData = frame.mid(2, frame.size() - 4);
        const QModbusResponse response(QModbusPdu::FunctionCode(quint8(frame[1])), frame.mid(2, frame.size() - 4));
        finished.setRawResult(response);
        QModbusDataUnit unit = out.unit;
        if (response.isException())
            finished.setError(QModbusDevice::ProtocolError, QStringLiteral("Modbus Exception Response."));
        else if (!m_decoder->processResponse(response, &unit))
            finished.setError(QModbusDevice::InvalidResponseError, QStringLiteral("An invalid response has been received."));
        else {
            finished.setResult(unit);
            finished.setFinished(true);
        }
    }
    return comm::rtu::interpretReply(r, finished);
}

int InProcessServer::owes(int qid) const
{
    return int(std::count_if(m_owed.cbegin(), m_owed.cend(), [qid](const comm::Request& r) { return r.qid == qid; }));
}

void InProcessServer::FreeTask(int qid)
{
    QList<quint64> tasks;
    for (auto it = m_owed.cbegin(); it != m_owed.cend(); ++it)
        if (it->qid == qid)
            tasks.append(it.key());
    cancel(tasks);
}

void InProcessServer::FreeAllTasks() { cancel(m_owed.keys()); }

void InProcessServer::FreePeriodicTasks()
{
    QList<quint64> tasks;
    for (auto it = m_owed.cbegin(); it != m_owed.cend(); ++it)
        if (it->period > 0)
            tasks.append(it.key());
    cancel(tasks);
}

void InProcessServer::cancel(const QList<quint64>& tasks)
{
    for (quint64 task : tasks) {
        const comm::Request r = m_owed.take(task);
        if (r.period <= 0)
            answerLater(r, comm::ResultCannotSend);
    }
    m_queue.removeIf([&](const Job& j) { return tasks.contains(j.task); });
    if (m_current && tasks.contains(m_current->task)) {
        m_step->stop();
        m_current.reset();
        m_ready.reset();
    }
    for (quint64 t : tasks)
        m_repeats.erase(t);
    startNext();
}

void InProcessServer::failOutstanding()
{
    QQueue<Job> owed;
    owed.swap(m_queue);
    if (m_current)
        owed.prepend(*m_current);
    m_step->stop();
    m_current.reset();
    m_ready.reset();
    m_frames = {};
    for (const Job& job : owed) {
        const Answer answer = comm::rtu::answerOf(job.request, comm::ResultCannotSend);
        record(job.request, answer);
        completeLater(job.task, answer);
    }
}

void InProcessServer::record(const comm::Request& r, const Answer& answer)
{
    if (!isRecorded())
        return;
    comm::ExchangeRecord rec = m_frames;
    comm::rtu::stampRecord(rec, r, answer);
    Q_EMIT exchanged(rec);
}

void InProcessServer::answerLater(const comm::Request& r, int result)
{
    const Answer a = comm::rtu::answerOf(r, result);
    post([this, qid = r.qid, a] { Q_EMIT OnExchange(qid, a.mbAddr, a.function, a.value, a.result); });
}

void InProcessServer::completeLater(quint64 task, const Answer& answer)
{
    if (auto it = m_repeats.find(task); it != m_repeats.end())
        it->second->outstanding = false;
    post([this, task, answer] { deliver(task, answer); });
}

void InProcessServer::deliver(quint64 task, const Answer& a)
{
    const auto it = m_owed.find(task);
    if (it == m_owed.end())
        return;  // cancelled and already answered, or a freed periodic task
    const int qid = it->qid;
    if (it->period <= 0)
        m_owed.erase(it);
    Q_EMIT OnExchange(qid, a.mbAddr, a.function, a.value, a.result);
}

void InProcessServer::reportConnectedLater(bool connected)
{
    post([this, connected] {
        m_connected = connected;
        Q_EMIT OnChangeConnected(connected);
    });
}

void InProcessServer::post(std::function<void()> deliver)
{
    ++m_posted;
    QMetaObject::invokeMethod(
        this,
        [this, deliver = std::move(deliver)] {
            --m_posted;
            deliver();
        },
        Qt::QueuedConnection);
}

}  // namespace test
