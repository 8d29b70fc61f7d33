#include "link/rtu/ExchangeCodec.h"

#include "link/Result.h"
#include "link/rtu/DeviceName.h"
#include "link/rtu/RegisterCodec.h"
#include "link/rtu/ReplyResult.h"

#include <QModbusReply>

namespace comm::rtu {

namespace {

bool isKnownType(DataType t)
{
    return metaTypeOf(t).isValid();
}

Outgoing readOf(QModbusDataUnit::RegisterType kind, int start, int count)
{
    Outgoing o;
    o.kind = Outgoing::Kind::Read;
    o.unit = QModbusDataUnit(kind, start, quint16(count));
    return o;
}

Outgoing rawOf(const QModbusRequest& pdu)
{
    Outgoing o;
    o.kind = Outgoing::Kind::Raw;
    o.pdu = pdu;
    return o;
}

std::variant<Outgoing, int> registerWrite(const Request& r)
{
    QList<quint16> regs;
    if (!encodeRegisters(r.value, &regs))
        return ResultWrongType;
    const auto start = quint16(r.reg);
    if (r.function() == QModbusPdu::WriteSingleRegister)
        return rawOf(QModbusRequest(QModbusPdu::WriteSingleRegister, start, regs.first()));
    return rawOf(QModbusRequest(QModbusPdu::WriteMultipleRegisters, start, quint16(regs.size()), quint8(regs.size() * 2), regs));
}

std::variant<Outgoing, int> coilWrite(const Request& r)
{
    DataType t;
    if (!dataTypeOf(r.value, &t))
        return ResultWrongType;
    Outgoing o;
    o.kind = Outgoing::Kind::Write;
    o.unit = QModbusDataUnit(QModbusDataUnit::Coils, r.reg, QList<quint16>{quint16(r.value.toBool() ? 1 : 0)});
    return o;
}

// Report Server ID answers with a byte count and that many bytes: the name.
Answer deviceNameAnswer(const Request& r, const QByteArray& data)
{
    if (data.isEmpty() || data.size() < 1 + quint8(data[0]))
        return answerOf(r, ResultShortData);
    Answer a = answerOf(r, ResultOk);
    a.value = decodeDeviceName(data.mid(1, quint8(data[0])));
    return a;
}

}  // namespace

std::variant<Outgoing, int> prepareExchange(const Request& r)
{
    switch (r.op) {
    case Request::Op::ReadHolding:
    case Request::Op::ReadInput:
        if (!isKnownType(r.type))
            return ResultWrongType;
        if (r.count < 1)
            return ResultShortData;
        return readOf(r.op == Request::Op::ReadHolding ? QModbusDataUnit::HoldingRegisters : QModbusDataUnit::InputRegisters,
                      r.reg, r.count * registersPerValue(r.type));
    case Request::Op::ReadCoils:
        if (r.count < 1)
            return ResultShortData;
        return readOf(QModbusDataUnit::Coils, r.reg, r.count);
    case Request::Op::WriteRegisters: return registerWrite(r);
    case Request::Op::WriteCoil: return coilWrite(r);
    case Request::Op::DeviceName: return rawOf(QModbusRequest(QModbusPdu::ReportServerId));
    }
    return ResultNotPossible;
}

QModbusRequest requestPdu(const Outgoing& out)
{
    const auto start = quint16(out.unit.startAddress());
    switch (out.kind) {
    case Outgoing::Kind::Raw: return out.pdu;
    case Outgoing::Kind::Write: return QModbusRequest(QModbusPdu::WriteSingleCoil, start, quint16(out.unit.value(0) ? 0xFF00 : 0x0000));
    case Outgoing::Kind::Read: break;
    }
    const auto count = quint16(out.unit.valueCount());
    switch (out.unit.registerType()) {
    case QModbusDataUnit::Coils: return QModbusRequest(QModbusPdu::ReadCoils, start, count);
    case QModbusDataUnit::InputRegisters: return QModbusRequest(QModbusPdu::ReadInputRegisters, start, count);
    default: return QModbusRequest(QModbusPdu::ReadHoldingRegisters, start, count);
    }
}

Answer answerOf(const Request& r, int result)
{
    return Answer{r.address, r.function(), {}, result};
}

Answer interpretReply(const Request& r, const QModbusReply& reply)
{
    Answer a = answerOf(r, replyResult(reply));
    if (a.result != ResultOk || r.address == 0)  // a broadcast carries no answer
        return a;
    switch (r.op) {
    case Request::Op::ReadHolding:
    case Request::Op::ReadInput:
        a.result = decodeRegisters(r.type, r.count, reply.result().values(), &a.value);
        break;
    case Request::Op::ReadCoils:
        a.result = decodeRegisters(DataType::Bool, r.count, reply.result().values(), &a.value);
        break;
    case Request::Op::WriteRegisters:
    case Request::Op::WriteCoil:
        a.value = r.value;
        break;
    case Request::Op::DeviceName:
        return deviceNameAnswer(r, reply.rawResult().data());
    }
    return a;
}

}  // namespace comm::rtu
