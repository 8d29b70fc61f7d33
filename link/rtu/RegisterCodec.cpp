#include "link/rtu/RegisterCodec.h"

#include "link/Result.h"

#include <bit>

namespace comm::rtu {

namespace {

void appendWords(quint32 v, QList<quint16>* registers)
{
    registers->append(quint16(v >> 16));
    registers->append(quint16(v & 0xFFFF));
}

bool encodeOne(const QVariant& v, QList<quint16>* registers)
{
    DataType t;
    if (!dataTypeOf(v, &t))
        return false;
    switch (t) {
    case DataType::Int16: registers->append(quint16(v.value<qint16>())); break;
    case DataType::UInt8: registers->append(v.value<quint8>()); break;
    case DataType::UInt16: registers->append(v.value<quint16>()); break;
    case DataType::Bool: registers->append(v.value<bool>() ? 1 : 0); break;
    case DataType::UInt32: appendWords(v.value<quint32>(), registers); break;
    case DataType::Float: appendWords(std::bit_cast<quint32>(v.value<float>()), registers); break;
    }
    return true;
}

QVariant decodeOne(DataType t, const quint16* r)
{
    const quint32 pair = t == DataType::Float || t == DataType::UInt32 ? quint32(r[0]) << 16 | r[1] : 0;
    switch (t) {
    case DataType::Int16: return i16(qint16(r[0]));
    case DataType::UInt8: return u8(quint8(r[0] & 0xFF));
    case DataType::UInt16: return u16(r[0]);
    case DataType::Bool: return boolean(r[0] != 0);
    case DataType::UInt32: return u32(pair);
    case DataType::Float: return f32(std::bit_cast<float>(pair));
    }
    return {};
}

QVariant oneOrList(const QVariantList& values)
{
    return values.size() == 1 ? values.first() : QVariant(values);
}

}  // namespace

bool encodeRegisters(const QVariant& value, QList<quint16>* registers)
{
    registers->clear();
    if (value.metaType() != QMetaType::fromType<QVariantList>())
        return encodeOne(value, registers);
    const QVariantList values = value.toList();
    for (const QVariant& v : values)
        if (!encodeOne(v, registers))
            return false;
    return !values.isEmpty();
}

int decodeRegisters(DataType t, int count, const QList<quint16>& registers, QVariant* value)
{
    const int width = registersPerValue(t);
    if (count < 1 || registers.size() < count * width)
        return ResultShortData;
    QVariantList values;
    for (int i = 0; i < count; ++i)
        values.append(decodeOne(t, registers.constData() + i * width));
    *value = oneOrList(values);
    return ResultOk;
}

}  // namespace comm::rtu
