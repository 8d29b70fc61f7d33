#include "sim/Crc16.h"

namespace sim {

quint16 modbusCrc(QByteArrayView bytes)
{
    quint16 crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray withCrc(QByteArray frame)
{
    const quint16 crc = modbusCrc(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

bool hasValidCrc(QByteArrayView frame)
{
    if (frame.size() < 3)
        return false;
    const QByteArrayView body = frame.first(frame.size() - 2);
    const quint16 crc = modbusCrc(body);
    return quint8(frame[frame.size() - 2]) == (crc & 0xFF) && quint8(frame[frame.size() - 1]) == (crc >> 8);
}

}  // namespace sim
