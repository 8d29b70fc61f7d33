// Cutting a pty's byte stream into request frames, and the CRC every frame is judged by.
#include "sim/Crc16.h"
#include "sim/RtuFramer.h"

#include <QTest>

class tst_SimFraming : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void crcOfAKnownFrame();
    void cutsByLength_data();
    void cutsByLength();
};

void tst_SimFraming::crcOfAKnownFrame()
{
    const QByteArray request = QByteArray::fromHex("010300000001");
    QCOMPARE(sim::withCrc(request), QByteArray::fromHex("010300000001840a"));
    QVERIFY(sim::hasValidCrc(QByteArray::fromHex("010300000001840a")));
    QVERIFY(!sim::hasValidCrc(QByteArray::fromHex("010300000001850a")));
}

void tst_SimFraming::cutsByLength_data()
{
    QTest::addColumn<QList<QByteArray>>("bursts");
    QTest::addColumn<QList<QByteArray>>("frames");
    QTest::addColumn<QByteArray>("leftAtSilence");

    const QByteArray read = QByteArray::fromHex("010300000001840a");
    const QByteArray writeBlock = sim::withCrc(QByteArray::fromHex("011040010002040001000c"));
    const QByteArray serverId = sim::withCrc(QByteArray::fromHex("0111"));
    QTest::newRow("one burst") << QList{read} << QList{read} << QByteArray();
    QTest::newRow("two frames in one burst") << QList{QByteArray(read + serverId)} << QList{read, serverId} << QByteArray();
    QTest::newRow("block write split inside its header")
        << QList{writeBlock.left(4), writeBlock.mid(4, 3), writeBlock.mid(7)} << QList{writeBlock} << QByteArray();
    QTest::newRow("partial frame waits for the silence")
        << QList{read.left(5)} << QList<QByteArray>{} << read.left(5);
    QTest::newRow("unknown function is left to the silence")
        << QList{QByteArray::fromHex("012b0e01")} << QList<QByteArray>{} << QByteArray::fromHex("012b0e01");
}

void tst_SimFraming::cutsByLength()
{
    QFETCH(QList<QByteArray>, bursts);
    QFETCH(QList<QByteArray>, frames);
    QFETCH(QByteArray, leftAtSilence);
    sim::RtuFramer framer;
    QList<QByteArray> cut;
    for (const QByteArray& b : bursts)
        cut += framer.feed(b);
    QCOMPARE(cut, frames);
    QCOMPARE(framer.flush(), leftAtSilence);
    QVERIFY(!framer.hasPending());
}

QTEST_GUILESS_MAIN(tst_SimFraming)
#include "tst_sim_framing.moc"
