#pragma once
// How a finished Qt Modbus reply maps onto the server's Result codes.
class QModbusReply;

namespace comm::rtu {

// The Result of the exchange behind a finished reply, before its data are looked at:
// 0 when the device answered normally, else what went wrong on the line.
int replyResult(const QModbusReply& reply);

// The Result for a Modbus exception code.
int exceptionResult(int exceptionCode);

}  // namespace comm::rtu
