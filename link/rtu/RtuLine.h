#pragma once
// One serial port speaking Modbus RTU through Qt's client: opening and closing it, one
// exchange at a time, and noticing when the port goes away. Lives on the server's thread.
#include "link/Request.h"
#include "link/rtu/Answer.h"
#include "link/rtu/PortSettings.h"

#include <QVariant>  // qmodbusdevice.h only declares it
#include <QModbusPdu>
#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class QLoggingCategory;
class QModbusReply;

namespace comm::rtu {

class RtuClient;

// What an exchange put on the line and what came back, for its record; an empty PDU
// (function code Invalid) when nothing did.
struct Pdus {
    QModbusRequest sent;
    QModbusResponse received;
};

class RtuLine : public QObject {
    Q_OBJECT
public:
    // trace: where the line tells what happens to its port beyond the answers.
    RtuLine(const QLoggingCategory& trace, QObject* parent);
    ~RtuLine() override;

    // Opens the port; returns why it did not open, in the operator's words, or nothing.
    QString open(const PortSettings& settings);
    // Closes the port; the exchange in progress is dropped without an answer.
    void close();
    bool isOpen() const { return m_client != nullptr; }
    void setInterFrameDelay(int microseconds);

    // Starts the exchange of r; its answer arrives as finished(). Returns the answer at
    // once instead when r cannot go out (port closed, value of no known type).
    std::optional<Answer> start(const Request& r);
    // Forgets the exchange in progress: it runs to its end on the wire, unreported.
    void abandon();

Q_SIGNALS:
    void finished(const comm::rtu::Answer& answer, const comm::rtu::Pdus& pdus);
    // The port failed or vanished; it has been closed, the exchange in progress dropped.
    // problem: what the operator reads about it.
    void lost(const QString& problem);

private:
    void onReplyFinished(QModbusReply* reply, const Request& r, const QModbusRequest& sent);
    void onClientError();
    void useLowLatency(int fd);
    // The request's own time-out and retries, the line's where it has none.
    void usePatience(const Patience& own);

    const QLoggingCategory& m_trace;
    QString m_port;
    std::unique_ptr<RtuClient> m_client;  // a fresh one per opening: Qt keeps the longest inter-frame delay ever set
    QPointer<QModbusReply> m_current;
    int m_interFrameDelayUs = 0;
    int m_answerDelayMs = 0;  // the line's own time-out and retries, from its opening
    int m_retries = 0;
};

}  // namespace comm::rtu
