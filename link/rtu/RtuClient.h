#pragma once
// Qt's RTU client, taught to accept Report Server ID answers.
#include <QVariant>  // qmodbusdevice.h only declares it
#include <QModbusRtuSerialClient>

namespace comm::rtu {

class RtuClient : public QModbusRtuSerialClient {
    Q_OBJECT
public:
    using QModbusRtuSerialClient::QModbusRtuSerialClient;

protected:
    // Qt has no decoder for Report Server ID and would fail the reply although its raw
    // result is complete; the caller reads the name from rawResult() itself.
    bool processResponse(const QModbusResponse& response, QModbusDataUnit* data) override;
};

}  // namespace comm::rtu
