#include "link/ExchangeRecord.h"

#include "link/Result.h"

#include <QDateTime>

namespace comm {

namespace {

QByteArray frameOf(int address, quint8 function, const QByteArray& data)
{
    if (function == 0)
        return {};
    QByteArray frame;
    frame.reserve(data.size() + 4);
    frame.append(char(address)).append(char(function)).append(data);
    const quint16 crc = rtuCrc(frame);
    frame.append(char(crc & 0xFF)).append(char(crc >> 8));
    return frame;
}

QString hexOf(const QByteArray& frame)
{
    return frame.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(frame.toHex(' ').toUpper());
}

}  // namespace

quint16 rtuCrc(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
    }
    return crc;
}

QByteArray ExchangeRecord::sentFrame() const
{
    return frameOf(address, sentFunction, sentData);
}

QByteArray ExchangeRecord::receivedFrame() const
{
    return frameOf(address, receivedFunction, receivedData);
}

QString ExchangeRecord::traceLine() const
{
    // Fixed key=value fields, so that one grep or awk picks out a QID, an address or a Result.
    return QStringLiteral("%1 qid=%2 addr=%3 fn=%4 reg=%5 count=%6 result=%7 ms=%8 tx=[%9] rx=[%10] %11")
        .arg(QDateTime::fromMSecsSinceEpoch(finishedAtMs).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")))
        .arg(qid)
        .arg(address)
        .arg(function, 2, 16, QLatin1Char('0'))
        .arg(reg)
        .arg(count)
        .arg(result)
        .arg(durationMs, 0, 'f', 1)
        .arg(hexOf(sentFrame()), hexOf(receivedFrame()), resultText(result));
}

}  // namespace comm
