#include "link/rtu/RtuLine.h"

#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"
#include "link/rtu/LowLatency.h"
#include "link/rtu/PortProblem.h"
#include "link/rtu/Rs485.h"
#include "link/rtu/RtuClient.h"

#include <QLoggingCategory>
#include <QModbusReply>
#include <QSerialPort>

#include <algorithm>

namespace comm::rtu {

RtuLine::RtuLine(const QLoggingCategory& trace, QObject* parent) : QObject(parent), m_trace(trace) {}

RtuLine::~RtuLine()
{
    close();
}

QString RtuLine::open(const PortSettings& s)
{
    close();
    auto client = std::make_unique<RtuClient>();
    client->setConnectionParameter(QModbusDevice::SerialPortNameParameter, s.port);
    client->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, s.baud);
    client->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
    client->setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
    client->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::OneStop);
    auto* port = qobject_cast<QSerialPort*>(client->device());
    Q_ASSERT(port);
    if (!client->connectDevice() || client->state() != QModbusDevice::ConnectedState) {
        const QString problem = openProblemText(s.port, port->error(), userMayOpen(s.port), port->errorString());
        qCDebug(m_trace).noquote() << problem;
        return problem;
    }
    useLowLatency(int(port->handle()));
    if (s.rs485)
        enableRs485(int(port->handle()));  // a port without direction control works as it is
    m_port = s.port;
    m_answerDelayMs = s.answerDelayMs;
    m_retries = s.retries;
    m_interFrameDelayUs = s.interFrameDelayUs;
    client->setInterFrameDelay(m_interFrameDelayUs);
    connect(client.get(), &QModbusDevice::errorOccurred, this, &RtuLine::onClientError);
    m_client = std::move(client);
    return {};
}

void RtuLine::useLowLatency(int fd)
{
    if (!requestLowLatency(fd))
        qCDebug(m_trace) << "the driver offers no low-latency mode; answers may come late by its buffering";
}

void RtuLine::close()
{
    if (!m_client)
        return;
    abandon();
    // Later, not now: close() also runs inside the client's own error signal.
    RtuClient* client = m_client.release();
    client->disconnect(this);
    client->disconnectDevice();
    client->deleteLater();
}

void RtuLine::setInterFrameDelay(int microseconds)
{
    m_interFrameDelayUs = microseconds;
    if (m_client)
        m_client->setInterFrameDelay(microseconds);
}

std::optional<Answer> RtuLine::start(const Request& r)
{
    if (!m_client)
        return answerOf(r, ResultCannotSend);
    const auto prepared = prepareExchange(r);
    if (const int* refused = std::get_if<int>(&prepared))
        return answerOf(r, *refused);
    const Outgoing& out = std::get<Outgoing>(prepared);
    const QModbusRequest sent = requestPdu(out);
    usePatience(r.patience);
    QModbusReply* reply = nullptr;
    switch (out.kind) {
    case Outgoing::Kind::Read: reply = m_client->sendReadRequest(out.unit, r.address); break;
    case Outgoing::Kind::Write: reply = m_client->sendWriteRequest(out.unit, r.address); break;
    case Outgoing::Kind::Raw: reply = m_client->sendRawRequest(out.pdu, r.address); break;
    }
    if (!reply)
        return answerOf(r, ResultCannotSend);
    if (reply->isFinished()) {
        const Answer a = interpretReply(r, *reply);
        reply->deleteLater();
        return a;
    }
    m_current = reply;
    connect(reply, &QModbusReply::finished, reply, &QObject::deleteLater);
    connect(reply, &QModbusReply::finished, this, [this, reply, r, sent] { onReplyFinished(reply, r, sent); });
    return std::nullopt;
}

// Qt takes the retries when a request is queued and the time-out at each try; with one
// exchange at a time, both set just before it apply to it alone.
void RtuLine::usePatience(const Patience& own)
{
    // Qt ignores a time-out under 10 ms and keeps the one before; the shortest it honours is
    // the nearest to what was asked.
    m_client->setTimeout(std::max(own.answerDelayMs.value_or(m_answerDelayMs), 10));
    m_client->setNumberOfRetries(std::max(own.retries.value_or(m_retries), 0));
}

void RtuLine::abandon()
{
    if (m_current)
        m_current->disconnect(this);
    m_current = nullptr;
}

void RtuLine::onReplyFinished(QModbusReply* reply, const Request& r, const QModbusRequest& sent)
{
    m_current = nullptr;
    Q_EMIT finished(interpretReply(r, *reply), Pdus{sent, reply->rawResult()});
}

// A vanished port makes Qt report errors without end at full processor load until the
// device is disconnected: the first sign of it closes the line.
void RtuLine::onClientError()
{
    switch (m_client->error()) {
    case QModbusDevice::ReadError:
    case QModbusDevice::WriteError:
    case QModbusDevice::ConnectionError: {
        const QString problem = vanishedText(m_port);
        qCDebug(m_trace).noquote() << problem << m_client->errorString();
        close();
        Q_EMIT lost(problem);
        break;
    }
    default:
        break;
    }
}

}  // namespace comm::rtu
