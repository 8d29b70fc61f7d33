#include "link/rtu/RtuLine.h"

#include "link/Result.h"
#include "link/rtu/ExchangeCodec.h"
#include "link/rtu/Rs485.h"
#include "link/rtu/RtuClient.h"

#include <QModbusReply>
#include <QSerialPort>

#include <algorithm>

namespace comm::rtu {

RtuLine::RtuLine(QObject* parent) : QObject(parent) {}

RtuLine::~RtuLine()
{
    close();
}

bool RtuLine::open(const PortSettings& s)
{
    close();
    auto client = std::make_unique<RtuClient>();
    client->setConnectionParameter(QModbusDevice::SerialPortNameParameter, s.port);
    client->setConnectionParameter(QModbusDevice::SerialBaudRateParameter, s.baud);
    client->setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
    client->setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
    client->setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::OneStop);
    // Qt ignores a time-out under 10 ms and keeps its own second; the shortest it honours is
    // the nearest to what was asked.
    client->setTimeout(std::max(s.answerDelayMs, 10));
    client->setNumberOfRetries(s.retries);
    if (!client->connectDevice() || client->state() != QModbusDevice::ConnectedState)
        return false;
    if (s.rs485)
        if (auto* port = qobject_cast<QSerialPort*>(client->device()))
            enableRs485(int(port->handle()));  // a port without direction control works as it is
    m_interFrameDelayUs = s.interFrameDelayUs;
    client->setInterFrameDelay(m_interFrameDelayUs);
    connect(client.get(), &QModbusDevice::errorOccurred, this, &RtuLine::onClientError);
    m_client = std::move(client);
    return true;
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
    connect(reply, &QModbusReply::finished, this, [this, reply, r] { onReplyFinished(reply, r); });
    return std::nullopt;
}

void RtuLine::abandon()
{
    if (m_current)
        m_current->disconnect(this);
    m_current = nullptr;
}

void RtuLine::onReplyFinished(QModbusReply* reply, const Request& r)
{
    m_current = nullptr;
    Q_EMIT finished(interpretReply(r, *reply));
}

// A vanished port makes Qt report errors without end at full processor load until the
// device is disconnected: the first sign of it closes the line.
void RtuLine::onClientError()
{
    switch (m_client->error()) {
    case QModbusDevice::ReadError:
    case QModbusDevice::WriteError:
    case QModbusDevice::ConnectionError:
        close();
        Q_EMIT lost();
        break;
    default:
        break;
    }
}

}  // namespace comm::rtu
