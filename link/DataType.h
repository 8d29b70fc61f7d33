#pragma once
// Type codes of the values passed to and from the communication server, and the Qt variant
// types that carry them. 32-bit values take two registers, the high word first.
#include <QMetaType>
#include <QVariant>

namespace comm {

enum class DataType : int {
    Int16 = 2,   // signed 16-bit, one register
    Float = 4,   // IEEE 754 single, two registers
    Bool = 11,   // one coil
    UInt8 = 17,  // unsigned 8-bit, one register (high byte 0)
    UInt16 = 18, // unsigned 16-bit, one register
    UInt32 = 19, // unsigned 32-bit, two registers
};

// The variant type of a value of the given code; writes use it to choose the registers.
QMetaType metaTypeOf(DataType t);
// The code of a value's variant type; false when the type is none of the above.
bool dataTypeOf(const QVariant& v, DataType* t);
int registersPerValue(DataType t);

// Typed variants as the server delivers them and as writes expect them.
inline QVariant u8(quint8 v) { return QVariant::fromValue(v); }
inline QVariant u16(quint16 v) { return QVariant::fromValue(v); }
inline QVariant u32(quint32 v) { return QVariant::fromValue(v); }
inline QVariant i16(qint16 v) { return QVariant::fromValue(v); }
inline QVariant f32(float v) { return QVariant::fromValue(v); }
inline QVariant boolean(bool v) { return QVariant::fromValue(v); }

}  // namespace comm
