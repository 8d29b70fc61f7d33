#pragma once
// One finished exchange of a line, as its trace and a traffic view see it. The worker makes
// one per answer it gives; the bytes are kept as Qt handed them and turned into frames and
// text only when someone reads them.
#include <QByteArray>
#include <QString>

namespace comm {

struct ExchangeRecord {
    qint64 finishedAtMs = 0;  // since the epoch
    double durationMs = 0;    // from the request going out to its answer; 0 when it never went out
    int qid = 0;
    int address = 0;
    int function = 0;
    int reg = 0;
    int count = 0;
    int result = 0;
    // The PDUs that went out and came back: function code (with 0x80 on an exception) and
    // data. A function code of 0 means no such PDU: refused before the line, or no answer.
    quint8 sentFunction = 0;
    QByteArray sentData;
    quint8 receivedFunction = 0;
    QByteArray receivedData;

    // The RTU frames: address, PDU, CRC (low byte first); empty without the PDU.
    QByteArray sentFrame() const;
    QByteArray receivedFrame() const;
    // The trace's line: time, QID, address, function, register, count, Result, duration, frames.
    QString traceLine() const;
};

// Modbus RTU CRC-16 of bytes.
quint16 rtuCrc(const QByteArray& bytes);

}  // namespace comm
