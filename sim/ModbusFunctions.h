#pragma once
// Executes one request PDU (function code and data, no address, no CRC) on a device and
// builds the response PDU, a Modbus exception where the request cannot be served.
#include <QByteArray>
#include <QByteArrayView>

namespace sim {

class Device;

namespace exception {
constexpr quint8 IllegalFunction = 1;
constexpr quint8 IllegalDataAddress = 2;
constexpr quint8 IllegalDataValue = 3;
}  // namespace exception

QByteArray executeRequest(Device& device, QByteArrayView pdu);
QByteArray exceptionResponse(quint8 function, quint8 code);

}  // namespace sim
