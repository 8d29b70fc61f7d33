#include "sim/ModbusFunctions.h"

#include "sim/Device.h"

#include <QList>

namespace sim {

namespace {

enum Function : quint8 {
    ReadCoils = 0x01,
    ReadHolding = 0x03,
    ReadInput = 0x04,
    WriteCoil = 0x05,
    WriteRegister = 0x06,
    WriteCoils = 0x0F,
    WriteRegisters = 0x10,
    ReportServerId = 0x11,
};

constexpr int MaxReadRegisters = 125;
constexpr int MaxReadCoils = 2000;
constexpr int MaxWriteRegisters = 123;
constexpr int MaxWriteCoils = 1968;

quint16 be16(QByteArrayView pdu, int at) { return quint16((quint8(pdu[at]) << 8) | quint8(pdu[at + 1])); }

void appendBe16(QByteArray& out, quint16 v)
{
    out.append(char(v >> 8));
    out.append(char(v & 0xFF));
}

QByteArray readRegisters(Device& d, Table table, quint8 fn, QByteArrayView pdu)
{
    if (pdu.size() != 5)
        return exceptionResponse(fn, exception::IllegalDataValue);
    const int first = be16(pdu, 1), count = be16(pdu, 3);
    if (count < 1 || count > MaxReadRegisters)
        return exceptionResponse(fn, exception::IllegalDataValue);
    if (!d.registers().has(table, first, count))
        return exceptionResponse(fn, exception::IllegalDataAddress);
    QByteArray out(1, char(fn));
    out.append(char(count * 2));
    for (int r = first; r < first + count; ++r)
        appendBe16(out, d.registers().word(table, r));
    return out;
}

QByteArray readCoils(Device& d, QByteArrayView pdu)
{
    if (pdu.size() != 5)
        return exceptionResponse(ReadCoils, exception::IllegalDataValue);
    const int first = be16(pdu, 1), count = be16(pdu, 3);
    if (count < 1 || count > MaxReadCoils)
        return exceptionResponse(ReadCoils, exception::IllegalDataValue);
    if (!d.registers().hasCoils(first, count))
        return exceptionResponse(ReadCoils, exception::IllegalDataAddress);
    QByteArray bits((count + 7) / 8, '\0');
    for (int i = 0; i < count; ++i)
        if (d.registers().coil(first + i))
            bits[i / 8] = char(quint8(bits[i / 8]) | (1 << (i % 8)));
    QByteArray out(1, char(ReadCoils));
    out.append(char(bits.size()));
    return out.append(bits);
}

// Validates every value before storing any, so a refused block leaves the device untouched.
QByteArray writeRegisterBlock(Device& d, quint8 fn, int first, const QList<quint16>& values)
{
    if (!d.registers().has(Table::Holding, first, int(values.size())))
        return exceptionResponse(fn, exception::IllegalDataAddress);
    for (int i = 0; i < values.size(); ++i)
        if (const int code = d.refuseWrite(first + i, values[i]))
            return exceptionResponse(fn, quint8(code));
    for (int i = 0; i < values.size(); ++i)
        d.registers().setWord(Table::Holding, first + i, values[i]);
    for (int i = 0; i < values.size(); ++i)
        d.holdingWritten(first + i);
    return {};
}

QByteArray writeRegister(Device& d, QByteArrayView pdu)
{
    if (pdu.size() != 5)
        return exceptionResponse(WriteRegister, exception::IllegalDataValue);
    const QByteArray refused = writeRegisterBlock(d, WriteRegister, be16(pdu, 1), {be16(pdu, 3)});
    return refused.isEmpty() ? pdu.toByteArray() : refused;
}

QByteArray writeRegisters(Device& d, QByteArrayView pdu)
{
    if (pdu.size() < 6)
        return exceptionResponse(WriteRegisters, exception::IllegalDataValue);
    const int first = be16(pdu, 1), count = be16(pdu, 3), bytes = quint8(pdu[5]);
    if (count < 1 || count > MaxWriteRegisters || bytes != count * 2 || pdu.size() != 6 + bytes)
        return exceptionResponse(WriteRegisters, exception::IllegalDataValue);
    QList<quint16> values;
    for (int i = 0; i < count; ++i)
        values.append(be16(pdu, 6 + 2 * i));
    const QByteArray refused = writeRegisterBlock(d, WriteRegisters, first, values);
    return refused.isEmpty() ? pdu.first(5).toByteArray() : refused;
}

QByteArray writeCoil(Device& d, QByteArrayView pdu)
{
    if (pdu.size() != 5)
        return exceptionResponse(WriteCoil, exception::IllegalDataValue);
    const int coil = be16(pdu, 1);
    const quint16 value = be16(pdu, 3);
    if (value != 0xFF00 && value != 0x0000)
        return exceptionResponse(WriteCoil, exception::IllegalDataValue);
    if (!d.registers().hasCoils(coil))
        return exceptionResponse(WriteCoil, exception::IllegalDataAddress);
    d.registers().setCoil(coil, value == 0xFF00);
    d.coilWritten(coil);
    return pdu.toByteArray();
}

QByteArray writeCoils(Device& d, QByteArrayView pdu)
{
    if (pdu.size() < 6)
        return exceptionResponse(WriteCoils, exception::IllegalDataValue);
    const int first = be16(pdu, 1), count = be16(pdu, 3), bytes = quint8(pdu[5]);
    if (count < 1 || count > MaxWriteCoils || bytes != (count + 7) / 8 || pdu.size() != 6 + bytes)
        return exceptionResponse(WriteCoils, exception::IllegalDataValue);
    if (!d.registers().hasCoils(first, count))
        return exceptionResponse(WriteCoils, exception::IllegalDataAddress);
    for (int i = 0; i < count; ++i)
        d.registers().setCoil(first + i, (quint8(pdu[6 + i / 8]) >> (i % 8)) & 1);
    for (int i = 0; i < count; ++i)
        d.coilWritten(first + i);
    return pdu.first(5).toByteArray();
}

QByteArray reportServerId(const Device& d)
{
    const QByteArray name = d.name().left(255);
    QByteArray out(1, char(ReportServerId));
    out.append(char(name.size()));
    return out.append(name);
}

}  // namespace

QByteArray exceptionResponse(quint8 function, quint8 code)
{
    QByteArray out;
    out.append(char(function | 0x80));
    out.append(char(code));
    return out;
}

QByteArray executeRequest(Device& device, QByteArrayView pdu)
{
    if (pdu.isEmpty())
        return {};
    const quint8 fn = quint8(pdu[0]);
    switch (fn) {
    case ReadCoils: return readCoils(device, pdu);
    case ReadHolding: return readRegisters(device, Table::Holding, fn, pdu);
    case ReadInput: return readRegisters(device, Table::Input, fn, pdu);
    case WriteCoil: return writeCoil(device, pdu);
    case WriteRegister: return writeRegister(device, pdu);
    case WriteCoils: return writeCoils(device, pdu);
    case WriteRegisters: return writeRegisters(device, pdu);
    case ReportServerId: return pdu.size() == 1 ? reportServerId(device)
                                                : exceptionResponse(fn, exception::IllegalDataValue);
    default: return exceptionResponse(fn, exception::IllegalFunction);
    }
}

}  // namespace sim
