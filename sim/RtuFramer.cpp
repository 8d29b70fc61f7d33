#include "sim/RtuFramer.h"

namespace sim {

int expectedRequestLength(const QByteArray& start)
{
    if (start.size() < 2)
        return 0;
    switch (quint8(start[1])) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05: case 0x06:
        return 8;  // address, function, two 16-bit fields, CRC
    case 0x0F: case 0x10:
        return start.size() < 7 ? 0 : 9 + quint8(start[6]);  // + byte count, data
    case 0x11:
        return 4;
    default:
        return -1;
    }
}

QList<QByteArray> RtuFramer::feed(const QByteArray& bytes)
{
    m_buffer += bytes;
    QList<QByteArray> frames;
    for (;;) {
        const int length = expectedRequestLength(m_buffer);
        if (length <= 0 || m_buffer.size() < length)
            break;
        frames.append(m_buffer.left(length));
        m_buffer.remove(0, length);
    }
    return frames;
}

QByteArray RtuFramer::flush()
{
    QByteArray frame;
    frame.swap(m_buffer);
    return frame;
}

}  // namespace sim
