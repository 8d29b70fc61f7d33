#pragma once
// A bare Modbus RTU master for the simulator's tests: hand-built frames over QSerialPort, so
// the tests see exactly the bytes the simulator puts on its line.
#include <QByteArray>
#include <QList>
#include <QSerialPort>

#include <optional>

namespace test {

class RtuMaster {
public:
    bool open(const QString& path);
    void close() { m_port.close(); }
    bool setBaudRate(int baud) { return m_port.setBaudRate(baud); }

    // Sends `frame` with its CRC appended and returns the answer frame (CRC included), empty
    // when none came within timeoutMs.
    QByteArray exchange(const QByteArray& frame, int timeoutMs = 1000);
    // Sends bytes as they are; waits for an answer like exchange().
    QByteArray exchangeRaw(const QByteArray& bytes, int timeoutMs = 1000);
    // Collects whatever arrives within ms: for checking that nothing does.
    QByteArray listen(int ms);

    // The registers of a read (function 3 or 4), nothing on an exception or no answer.
    std::optional<QList<quint16>> readRegisters(quint8 address, quint8 function, quint16 first, quint16 count);
    std::optional<quint32> readU32(quint8 address, quint8 function, quint16 first);
    std::optional<float> readFloat(quint8 address, quint8 function, quint16 first);
    // The answer to a write of one holding register (function 6).
    QByteArray writeRegister(quint8 address, quint16 reg, quint16 value);

private:
    QSerialPort m_port;
};

// Request frames without CRC.
QByteArray request(quint8 address, quint8 function, quint16 first, quint16 countOrValue);
QByteArray writeRegistersRequest(quint8 address, quint16 first, const QList<quint16>& values);
QByteArray reportServerIdRequest(quint8 address);
// The payload words of a read answer.
QList<quint16> words(const QByteArray& answer);

}  // namespace test
