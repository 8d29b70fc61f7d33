// A Modbus master we did not write - mbpoll, built on libmodbus - against the bench line.
#include "SimFixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace test;

class tst_SimMbpoll : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void readsAndWritesHoldingRegisters();

private:
    // Runs mbpoll once (-1) with 0-based register numbers; its output. Values to write
    // follow the port.
    QByteArray mbpoll(const QString& port, const QStringList& arguments, const QStringList& values = {});

    QString m_mbpoll;
};

void tst_SimMbpoll::initTestCase()
{
    m_mbpoll = QStandardPaths::findExecutable(QStringLiteral("mbpoll"));
    if (m_mbpoll.isEmpty())
        QSKIP("mbpoll is not installed");
}

QByteArray tst_SimMbpoll::mbpoll(const QString& port, const QStringList& arguments, const QStringList& values)
{
    QProcess p;
    p.start(m_mbpoll, QStringList{"-m", "rtu", "-b", "19200", "-P", "none", "-0", "-1", "-t", "4"} + arguments
                          + QStringList{port} + values);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
    }
    return p.readAllStandardOutput() + p.readAllStandardError();
}

void tst_SimMbpoll::readsAndWritesHoldingRegisters()
{
    SimFixture f;
    QVERIFY(f.started);
    f.bench.close();  // the line is mbpoll's now

    const QByteArray read = mbpoll(f.simulator->benchPort(), {"-a", "2", "-r", "0", "-c", "3"});
    QVERIFY2(read.contains("[0]: \t2") && read.contains("[1]: \t4")  // speed code 4: 19200 baud
              && read.contains("[2]: \t0"), read.constData());

    const QByteArray written = mbpoll(f.simulator->benchPort(), {"-a", "1", "-r", "16385"}, {"12", "345"});
    QVERIFY2(written.contains("Written 2 references"), written.constData());
    QCOMPARE(f.simulator->holding(sim::Module::Imr, 16385), quint16(12));
    QCOMPARE(f.simulator->holding(sim::Module::Imr, 16386), quint16(345));

    const QByteArray refused = mbpoll(f.simulator->benchPort(), {"-a", "1", "-r", "4", "-c", "1"});
    QVERIFY2(refused.contains("Illegal data address"), refused.constData());
}

QTEST_GUILESS_MAIN(tst_SimMbpoll)
#include "tst_sim_mbpoll.moc"
