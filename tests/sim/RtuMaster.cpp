#include "RtuMaster.h"

#include "sim/Crc16.h"

#include <QElapsedTimer>

#include <bit>

namespace test {

namespace {

void appendBe16(QByteArray& out, quint16 v)
{
    out.append(char(v >> 8));
    out.append(char(v & 0xFF));
}

// The length of an answer frame from its first bytes, 0 while they do not tell.
int expectedAnswerLength(const QByteArray& a)
{
    if (a.size() < 3)
        return 0;
    const quint8 fn = quint8(a[1]);
    if (fn & 0x80)
        return 5;
    switch (fn) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x11: return 5 + quint8(a[2]);
    default: return 8;
    }
}

}  // namespace

bool RtuMaster::open(const QString& path)
{
    m_port.setPortName(path);
    m_port.setBaudRate(19200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);  // ptys refuse parity
    m_port.setStopBits(QSerialPort::OneStop);
    return m_port.open(QIODevice::ReadWrite);
}

QByteArray RtuMaster::exchange(const QByteArray& frame, int timeoutMs)
{
    return exchangeRaw(sim::withCrc(frame), timeoutMs);
}

QByteArray RtuMaster::exchangeRaw(const QByteArray& bytes, int timeoutMs)
{
    m_port.readAll();
    m_port.write(bytes);
    m_port.waitForBytesWritten(timeoutMs);
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const int length = expectedAnswerLength(answer);
        if (length > 0 && answer.size() >= length)
            return answer.left(length);
        if (m_port.waitForReadyRead(int(timeoutMs - clock.elapsed())))
            answer += m_port.readAll();
    }
    return answer.isEmpty() ? answer : answer + m_port.readAll();
}

QByteArray RtuMaster::listen(int ms)
{
    QByteArray heard;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        if (m_port.waitForReadyRead(int(ms - clock.elapsed())))
            heard += m_port.readAll();
    return heard;
}

std::optional<QList<quint16>> RtuMaster::readRegisters(quint8 address, quint8 function, quint16 first, quint16 count)
{
    const QByteArray answer = exchange(request(address, function, first, count));
    if (answer.size() != 5 + 2 * count || quint8(answer[1]) != function || !sim::hasValidCrc(answer))
        return std::nullopt;
    return words(answer);
}

std::optional<quint32> RtuMaster::readU32(quint8 address, quint8 function, quint16 first)
{
    const auto w = readRegisters(address, function, first, 2);
    if (!w)
        return std::nullopt;
    return (quint32(w->at(0)) << 16) | w->at(1);
}

std::optional<float> RtuMaster::readFloat(quint8 address, quint8 function, quint16 first)
{
    const auto raw = readU32(address, function, first);
    if (!raw)
        return std::nullopt;
    return std::bit_cast<float>(*raw);
}

QByteArray RtuMaster::writeRegister(quint8 address, quint16 reg, quint16 value)
{
    return exchange(request(address, 0x06, reg, value));
}

QByteArray request(quint8 address, quint8 function, quint16 first, quint16 countOrValue)
{
    QByteArray f;
    f.append(char(address));
    f.append(char(function));
    appendBe16(f, first);
    appendBe16(f, countOrValue);
    return f;
}

QByteArray writeRegistersRequest(quint8 address, quint16 first, const QList<quint16>& values)
{
    QByteArray f = request(address, 0x10, first, quint16(values.size()));
    f.append(char(values.size() * 2));
    for (quint16 v : values)
        appendBe16(f, v);
    return f;
}

QByteArray reportServerIdRequest(quint8 address)
{
    QByteArray f;
    f.append(char(address));
    f.append(char(0x11));
    return f;
}

QList<quint16> words(const QByteArray& answer)
{
    QList<quint16> out;
    for (int i = 3; i + 1 < answer.size() - 2; i += 2)
        out.append(quint16((quint8(answer[i]) << 8) | quint8(answer[i + 1])));
    return out;
}

}  // namespace test
