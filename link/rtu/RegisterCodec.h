#pragma once
// Typed values <-> Modbus registers. 32-bit values (float, unsigned 32-bit) take two
// registers, the high word first; an 8-bit value sits in the low byte of its register.
#include "link/DataType.h"

#include <QList>
#include <QVariant>

namespace comm::rtu {

// The registers of one typed value or of a QVariantList of them, in order; false when a
// value is none of the types of DataType.h (or the list is empty).
bool encodeRegisters(const QVariant& value, QList<quint16>* registers);

// count values of type t from the start of registers: one typed value when count is 1,
// else a QVariantList. Returns the Result: 0, or ResultShortData when the registers fall
// short of count values. Coils decode as DataType::Bool, one per entry.
int decodeRegisters(DataType t, int count, const QList<quint16>& registers, QVariant* value);

}  // namespace comm::rtu
