#pragma once
// CRC-16/Modbus (polynomial 0xA001 reflected, initial 0xFFFF), sent low byte first.
#include <QByteArray>
#include <QByteArrayView>

namespace sim {

quint16 modbusCrc(QByteArrayView bytes);
// The frame with its CRC appended.
QByteArray withCrc(QByteArray frame);
// True when the last two bytes are the CRC of the rest.
bool hasValidCrc(QByteArrayView frame);

}  // namespace sim
