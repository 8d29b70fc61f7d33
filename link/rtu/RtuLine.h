#pragma once
// One serial port speaking Modbus RTU through Qt's client: opening and closing it, one
// exchange at a time, and noticing when the port goes away. Lives on the server's thread.
#include "link/Request.h"
#include "link/rtu/Answer.h"
#include "link/rtu/PortSettings.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class QModbusReply;

namespace comm::rtu {

class RtuClient;

class RtuLine : public QObject {
    Q_OBJECT
public:
    explicit RtuLine(QObject* parent = nullptr);
    ~RtuLine() override;

    bool open(const PortSettings& settings);
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
    void finished(const comm::rtu::Answer& answer);
    // The port failed or vanished; it has been closed, the exchange in progress dropped.
    void lost();

private:
    void onReplyFinished(QModbusReply* reply, const Request& r);
    void onClientError();

    std::unique_ptr<RtuClient> m_client;  // a fresh one per opening: Qt keeps the longest inter-frame delay ever set
    QPointer<QModbusReply> m_current;
    int m_interFrameDelayUs = 0;
};

}  // namespace comm::rtu
