#pragma once
// A request of the program as a Qt Modbus exchange, and a finished reply as its answer.
#include "link/Request.h"
#include "link/rtu/Answer.h"

#include <QVariant>  // qmodbusdevice.h only declares it
#include <QModbusDataUnit>
#include <QModbusPdu>

#include <variant>

class QModbusReply;

namespace comm::rtu {

// What a request puts on the line: a data unit for reads and coil writes, whose answers
// Qt decodes, or a ready PDU for register writes (the function is the request's own
// choice, not Qt's) and for Report Server ID.
struct Outgoing {
    enum class Kind { Read, Write, Raw };
    Kind kind = Kind::Read;
    QModbusDataUnit unit;
    QModbusRequest pdu;
};

// The exchange for r, or the Result that stops r before it reaches the line
// (ResultWrongType for a value or type code of no known type).
std::variant<Outgoing, int> prepareExchange(const Request& r);

// The answer the finished reply gives to r.
Answer interpretReply(const Request& r, const QModbusReply& reply);

// The PDU Qt puts on the line for out.
QModbusRequest requestPdu(const Outgoing& out);

// An answer to r with the given Result and no value.
Answer answerOf(const Request& r, int result);

}  // namespace comm::rtu
