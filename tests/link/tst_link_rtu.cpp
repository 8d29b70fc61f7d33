// The RTU server over a pseudo-terminal against the simulated bench: every operation and
// type on the wire, periodic tasks, the Result of each kind of failure, and the promise
// that every one-shot request gets exactly one answer whatever happens to the line.
#include "link/Result.h"
#include "link/rtu/PortProblem.h"

#include "BenchLine.h"
#include "TypedText.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QMutex>
#include <QRegularExpression>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

using comm::DataType;
using sim::Fault;
using sim::Module;
using namespace test;
using Registers = QList<quint16>;
using SendRequest = std::function<void(comm::MBComMaster&)>;
Q_DECLARE_METATYPE(SendRequest)

namespace {

// ИМР registers that take any value without side effects worth mentioning.
constexpr int FreeHoldingReg = 32772;  // imitation time and quartz frequency, 4 registers
constexpr int WordReg = 16385;         // number of conversions
constexpr int FloatReg = 49152;        // time t0
constexpr int SumsReg = 32772;         // input: calibration sums, 20 registers
constexpr int SarReg = 6;              // input: one byte
constexpr int PolarityCoil = 1;        // coils 1 and 2

double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int valueCount(const QVariant& v)
{
    return v.metaType() == QMetaType::fromType<QVariantList>() ? int(v.toList().size()) : 1;
}

sim::FaultSpec slow(int ms)
{
    sim::FaultSpec f;
    f.fault = Fault::Slow;
    f.slowMs = ms;
    return f;
}

// Collects the messages of the lines' logging categories, from whichever thread logs them,
// while it lives; the rest go to the handler before it.
class TraceCatcher {
public:
    TraceCatcher()
    {
        s_self = this;
        m_previous = qInstallMessageHandler(&TraceCatcher::handle);
    }
    ~TraceCatcher()
    {
        qInstallMessageHandler(m_previous);
        s_self = nullptr;
    }
    // The lines so far, each as "category: text".
    QStringList lines() const
    {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (context.category && QByteArray(context.category).startsWith("zta.link.")) {
            QMutexLocker lock(&s_self->m_mutex);
            s_self->m_lines.append(QString::fromLatin1(context.category) + QStringLiteral(": ") + text);
            return;
        }
        s_self->m_previous(type, context, text);
    }

    static inline TraceCatcher* s_self = nullptr;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_lines;
};

// A trace line with its clock time and duration taken out, which no test can know.
QString withoutTimes(QString line)
{
    static const QRegularExpression time(QStringLiteral(R"(: \d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )"));
    static const QRegularExpression duration(QStringLiteral(R"( ms=\d+\.\d )"));
    return line.replace(time, QStringLiteral(": <time> ")).replace(duration, QStringLiteral(" ms=<ms> "));
}

}  // namespace

class TestRtuServer : public QObject {
    Q_OBJECT

    std::unique_ptr<BenchLine> line;
    std::unique_ptr<Server> server;  // connected to the line before each case

    sim::Simulator* simulator() const { return line->simulator.get(); }
    comm::RtuComMaster& master() const { return server->master; }
    const ExchangeLog& log() const { return server->log; }
    // A server of its own for the cases that need other time-outs.
    void reconnect(int answerDelayMs, int retries)
    {
        server.reset();
        server = std::make_unique<Server>(line->port, answerDelayMs, retries);
        QVERIFY(server->connect());
    }
    // The line serves one request at a time, in order: once a one-shot read sent now is
    // answered, whatever was on the line or queued before it has come back, so an answer that
    // has not been delivered by then never will be.
    bool lineDrained() const
    {
        constexpr int Barrier = 99;
        const int answered = log().count(Barrier);
        master().ReadHoldRegs(Barrier, 0, WordReg, 18, 1);
        return log().waitFor(Barrier, answered + 1, 10000) && log().last(Barrier).result == 0;
    }

private Q_SLOTS:
    void init()
    {
        line = std::make_unique<BenchLine>();
        server = std::make_unique<Server>(line->port);
        QVERIFY2(server->connect(), qPrintable(line->port));
    }
    void cleanup()
    {
        server.reset();
        line.reset();
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("type");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<Registers>("registers");  // as the device holds them
        QTest::addColumn<int>("writeFunction");
        const auto list = [](QVariantList l) { return QVariant(l); };
        QTest::newRow("holding int16") << "holding" << 2 << comm::i16(-2) << Registers{0xFFFE} << 0x06;
        QTest::newRow("holding uint8") << "holding" << 17 << comm::u8(200) << Registers{200} << 0x06;
        QTest::newRow("holding uint16") << "holding" << 18 << comm::u16(0xBEEF) << Registers{0xBEEF} << 0x06;
        QTest::newRow("holding uint32") << "holding" << 19 << comm::u32(0x12345678) << Registers{0x1234, 0x5678} << 0x10;
        QTest::newRow("holding float") << "holding" << 4 << comm::f32(-1.5f) << Registers{0xBFC0, 0x0000} << 0x10;
        QTest::newRow("holding floats") << "holding" << 4 << list({comm::f32(1.0f), comm::f32(2.0f)})
                                        << Registers{0x3F80, 0, 0x4000, 0} << 0x10;
        QTest::newRow("holding uint16 list") << "holding" << 18 << list({comm::u16(1), comm::u16(2), comm::u16(3)})
                                             << Registers{1, 2, 3} << 0x10;
        QTest::newRow("holding list of one") << "holding" << 18 << list({comm::u16(7)}) << Registers{7} << 0x10;
        QTest::newRow("input int16") << "input" << 2 << comm::i16(-32768) << Registers{0x8000} << 0;
        QTest::newRow("input uint8") << "input" << 17 << comm::u8(255) << Registers{0x00FF} << 0;
        QTest::newRow("input float") << "input" << 4 << comm::f32(3.25f) << Registers{0x4050, 0} << 0;
        QTest::newRow("input uint32 list") << "input" << 19 << list({comm::u32(1), comm::u32(0xFFFFFFFF)})
                                           << Registers{0, 1, 0xFFFF, 0xFFFF} << 0;
        QTest::newRow("coil on") << "coil" << 11 << comm::boolean(true) << Registers{1} << 0x05;
        QTest::newRow("coil off") << "coil" << 11 << comm::boolean(false) << Registers{0} << 0x05;
        QTest::newRow("coils read") << "coils" << 11 << list({comm::boolean(true), comm::boolean(false)}) << Registers{1, 0} << 0;
    }
    // Writes go through the server and are checked in the device; reads of what the device
    // holds come back as the same typed values.
    void roundTrip()
    {
        QFETCH(QString, table);
        QFETCH(int, type);
        QFETCH(QVariant, value);
        QFETCH(Registers, registers);
        QFETCH(int, writeFunction);
        sim::Simulator* sim = simulator();
        const int count = valueCount(value);
        int readFunction = 0;
        if (table == "holding") {
            master().WriteHoldRegs(1, 0, FreeHoldingReg, value);
            QVERIFY(log().waitFor(1));
            QCOMPARE(log().last(1).result, 0);
            QCOMPARE(log().last(1).function, writeFunction);
            for (int i = 0; sim && i < registers.size(); ++i)
                QCOMPARE(sim->holding(Module::Imr, FreeHoldingReg + i), registers[i]);
            master().ReadHoldRegs(2, 0, FreeHoldingReg, type, count);
            readFunction = 0x03;
        } else if (table == "input") {
            REQUIRE_SIMULATOR(*line);
            for (int i = 0; i < registers.size(); ++i)
                sim->setInput(Module::Imr, SumsReg + i, registers[i]);
            master().ReadInputRegs(2, 0, SumsReg, type, count);
            readFunction = 0x04;
        } else if (table == "coil") {
            master().WriteHoldBins(1, 0, PolarityCoil, value);
            QVERIFY(log().waitFor(1));
            QCOMPARE(log().last(1).result, 0);
            QCOMPARE(log().last(1).function, writeFunction);
            if (sim)
                QCOMPARE(sim->coil(Module::Imr, PolarityCoil), value.toBool());
            master().ReadHoldBins(2, 0, PolarityCoil, 1);
            readFunction = 0x01;
        } else {
            REQUIRE_SIMULATOR(*line);
            for (int i = 0; i < registers.size(); ++i)
                sim->setCoil(Module::Imr, PolarityCoil + i, registers[i] != 0);
            master().ReadHoldBins(2, 0, PolarityCoil, count);
            readFunction = 0x01;
        }
        QVERIFY(log().waitFor(2));
        const Exchange& read = log().last(2);
        QCOMPARE(read.result, 0);
        QCOMPARE(read.mbAddr, ImrAddress);
        QCOMPARE(read.function, readFunction);
        // One value reads back bare, whatever was written.
        const QVariant expected = count == 1 ? QVariant(value.toList().value(0, value)) : value;
        QCOMPARE(typedText(read.value), typedText(expected));
    }

    void deviceName()
    {
        master().GetDeviceName(17);
        QVERIFY(log().waitFor(17));
        const Exchange& e = log().last(17);
        QCOMPARE(e.result, 0);
        QCOMPARE(e.function, 0x11);
        QCOMPARE(e.value.metaType(), QMetaType::fromType<QString>());
        QVERIFY2(e.value.toString().contains(QStringLiteral("ЗТА-ИМР")), qPrintable(e.value.toString()));
    }

    // Values the server cannot put into registers, or a type code it does not know, are
    // refused without a word on the line.
    void wrongType_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("type");
        QTest::newRow("text to registers") << "registers" << QVariant(QStringLiteral("12")) << 0;
        QTest::newRow("plain int to registers") << "registers" << QVariant(12) << 0;
        QTest::newRow("empty list") << "registers" << QVariant(QVariantList{}) << 0;
        QTest::newRow("list with text") << "registers" << QVariant(QVariantList{comm::u16(1), QStringLiteral("x")}) << 0;
        QTest::newRow("text to a coil") << "coil" << QVariant(QStringLiteral("on")) << 0;
        QTest::newRow("read of type code 7") << "read" << QVariant() << 7;
    }
    void wrongType()
    {
        QFETCH(QString, op);
        QFETCH(QVariant, value);
        QFETCH(int, type);
        const int before = simulator() ? simulator()->requestCount(Module::Imr) : 0;
        if (op == "registers")
            master().WriteHoldRegs(1, 0, WordReg, value);
        else if (op == "coil")
            master().WriteHoldBins(1, 0, PolarityCoil, value);
        else
            master().ReadHoldRegs(1, 0, WordReg, type, 1);
        QVERIFY(log().waitFor(1));
        QCOMPARE(log().last(1).result, int(comm::ResultWrongType));
        if (simulator())
            QCOMPARE(simulator()->requestCount(Module::Imr), before);
    }

    void periodic_data()
    {
        QTest::addColumn<QString>("freeing");
        QTest::newRow("FreeTask") << "FreeTask";
        QTest::newRow("FreeAllTasks") << "FreeAllTasks";
        QTest::newRow("FreePeriodicTasks") << "FreePeriodicTasks";
    }
    void periodic()
    {
        QFETCH(QString, freeing);
        constexpr int Period = 100;
        master().ReadInputRegs(300007, Period, SarReg, 17, 1);
        QVERIFY(log().waitFor(300007, 4, 3000));
        QList<qint64> times;
        for (const Exchange& e : log().exchanges) {
            QCOMPARE(e.result, 0);
            QCOMPARE(e.value.metaType(), QMetaType::fromType<quint8>());
            times.append(e.atMs);
        }
        // Paced by the period, not as fast as the line allows.
        QVERIFY2(times[3] - times[0] >= 0.8 * 3 * Period, qPrintable(QString::number(times[3] - times[0])));
        if (freeing == "FreeAllTasks")
            master().FreeAllTasks();
        else if (freeing == "FreePeriodicTasks")
            master().FreePeriodicTasks();
        else
            master().FreeTask(300007);
        const int answered = log().count(300007);
        QCOMPARE(master().owes(300007), 0);
        QVERIFY(lineDrained());
        QCOMPARE(log().count(300007), answered);
    }

    void sharedQid()
    {
        master().ReadHoldRegs(15, 100, WordReg, 18, 1);
        master().ReadHoldRegs(15, 100, FloatReg, 4, 1);
        master().ReadInputRegs(19, 100, SarReg, 17, 1);
        const auto answersOfType = [this](QMetaType t) {
            return std::count_if(log().exchanges.cbegin(), log().exchanges.cend(),
                                 [t](const Exchange& e) { return e.qid == 15 && e.result == 0 && e.value.metaType() == t; });
        };
        QVERIFY(QTest::qWaitFor([&] { return answersOfType(QMetaType::fromType<quint16>()) >= 2 && answersOfType(QMetaType::fromType<float>()) >= 2; },
                                3000));
        master().FreeTask(15);
        const int shared = log().count(15);
        const int other = log().count(19);
        QCOMPARE(master().owes(15), 0);
        QCOMPARE(master().owes(19), 1);
        QVERIFY(lineDrained());
        QCOMPARE(log().count(15), shared);
        QVERIFY2(log().waitFor(19, other + 2, 3000), "freeing one QID stopped another");
    }

    // A closed port does not end a periodic task: each repetition reports that it cannot be
    // sent, and the task goes on when the port is open again.
    void periodicAcrossReconnect()
    {
        master().ReadInputRegs(300007, 100, SarReg, 17, 1);
        QVERIFY(log().waitFor(300007, 2, 3000));
        master().setConnected(false);
        QVERIFY(log().waitConnection(false));
        const int beforeClosed = log().count(300007);
        QVERIFY(log().waitFor(300007, beforeClosed + 2, 3000));
        QCOMPARE(log().last(300007).result, int(comm::ResultCannotSend));
        QVERIFY(server->connect());
        QVERIFY(QTest::qWaitFor([&] { return log().last(300007).result == 0; }, 3000));
    }

    // A periodic task on a slow device keeps one repetition outstanding; the beats that fall
    // due meanwhile are skipped, so a one-shot request does not wait behind a pile of them.
    void periodicDoesNotPileUp()
    {
        REQUIRE_SIMULATOR(*line);
        reconnect(1000, 0);
        constexpr int AnswerMs = 150;
        simulator()->setFault(Module::Imr, slow(AnswerMs));
        master().ReadHoldRegs(5, 10, WordReg, 18, 1);
        QVERIFY(log().waitFor(5, 4, 10000));  // beats have fallen due all along meanwhile
        const qsizetype submittedAt = log().exchanges.size();
        master().ReadHoldRegs(6, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(6, 1, 10000));
        QCOMPARE(log().last(6).result, 0);
        // Before it only the repetition that was on the wire then, at most: nothing piled up.
        const auto answered = std::find_if(log().exchanges.cbegin() + submittedAt, log().exchanges.cend(),
                                           [](const auto& e) { return e.qid == 6; });
        QVERIFY(std::distance(log().exchanges.cbegin() + submittedAt, answered) <= 1);
    }

    // A workflow waits for its one-shot requests; a periodic repetition already queued only
    // shifts by a frame, so the one-shot request goes first.
    void oneShotGoesBeforeQueuedRepetitions()
    {
        REQUIRE_SIMULATOR(*line);
        reconnect(1000, 0);
        simulator()->setFault(Module::Imr, slow(50));
        master().ReadHoldRegs(6, 0, WordReg, 18, 1);      // on the line
        master().ReadHoldRegs(5, 10000, WordReg, 18, 1);  // queued behind it
        master().ReadHoldRegs(7, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(5, 1, 5000));
        QList<int> order;
        for (const Exchange& e : log().exchanges)
            order.append(e.qid);
        QCOMPARE(order, (QList<int>{6, 7, 5}));
        master().FreeTask(5);
    }

    void noAnswer()
    {
        constexpr int AnswerDelay = 100, Retries = 1;
        reconnect(AnswerDelay, Retries);
        master().setDeviceAddres(9);
        QElapsedTimer waited;
        waited.start();
        master().ReadHoldRegs(1, 0, 0, 17, 1);
        QVERIFY(log().waitFor(1));
        const qint64 ms = waited.elapsed();
        QCOMPARE(log().last(1).result, int(comm::ResultNoAnswer));
        QCOMPARE(log().last(1).mbAddr, 9);
        // Each of its tries waited out the answer delay.
        const int expected = AnswerDelay * (Retries + 1);
        QVERIFY2(ms >= 0.8 * expected, qPrintable(QString::number(ms)));
    }

    void faults_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("parameter");  // exception code, delay, or the values a truncated answer is asked for
        QTest::addColumn<int>("result");
        QTest::newRow("silent") << int(Fault::Silent) << 0 << int(comm::ResultNoAnswer);
        QTest::newRow("bad CRC") << int(Fault::BadCrc) << 0 << int(comm::ResultCrc);
        QTest::newRow("slower than the time-out") << int(Fault::Slow) << 600 << int(comm::ResultNoAnswer);
        QTest::newRow("slow but in time") << int(Fault::Slow) << 30 << int(comm::ResultOk);
        QTest::newRow("exception 01") << int(Fault::Exception) << 0x01 << int(comm::ResultIllegalFunction);
        QTest::newRow("exception 02") << int(Fault::Exception) << 0x02 << int(comm::ResultIllegalAddress);
        QTest::newRow("exception 03") << int(Fault::Exception) << 0x03 << int(comm::ResultIllegalValue);
        QTest::newRow("exception 04") << int(Fault::Exception) << 0x04 << int(comm::ResultDeviceFailure);
        QTest::newRow("exception 05") << int(Fault::Exception) << 0x05 << int(comm::ResultAcknowledge);
        QTest::newRow("exception 06") << int(Fault::Exception) << 0x06 << int(comm::ResultBusy);
        QTest::newRow("exception 0B") << int(Fault::Exception) << 0x0B << int(comm::ResultNotPossible);
        QTest::newRow("answer from the wrong address") << int(Fault::WrongAddress) << 0 << int(comm::ResultWrongAddress);
        // One value: Qt refuses the frame without data; two: Qt passes the one it has on.
        QTest::newRow("truncated answer to one value") << int(Fault::Truncated) << 1 << int(comm::ResultShortData);
        QTest::newRow("truncated answer to two values") << int(Fault::Truncated) << 2 << int(comm::ResultShortData);
    }
    // Each fault gives its Result, one answer and no value, and the line works normally once
    // the fault is gone.
    void faults()
    {
        REQUIRE_SIMULATOR(*line);
        QFETCH(int, fault);
        QFETCH(int, parameter);
        QFETCH(int, result);
        sim::FaultSpec f;
        f.fault = Fault(fault);
        f.exceptionCode = parameter;
        f.slowMs = parameter;
        simulator()->setFault(Module::Imr, f);
        const int values = f.fault == Fault::Truncated ? parameter : 1;
        master().ReadHoldRegs(1, 0, FreeHoldingReg, 18, values);
        QVERIFY(log().waitFor(1));
        QCOMPARE(log().last(1).result, result);
        QCOMPARE(log().last(1).value.isValid(), result == comm::ResultOk);

        simulator()->setFault(Module::Imr, {});
        QTest::qWait(f.fault == Fault::Slow ? parameter : 0);  // let a late answer pass
        master().ReadHoldRegs(2, 0, FreeHoldingReg, 18, values);
        QVERIFY(log().waitFor(2));
        QCOMPARE(log().last(2).result, 0);
        QCOMPARE(valueCount(log().last(2).value), values);
        QCOMPARE(log().count(1), 1);
    }

    void broadcast()
    {
        // Waiting out an answer delay this long (and its retries) would outlast the wait below.
        constexpr int AnswerDelay = 60000;
        reconnect(AnswerDelay, 2);
        master().BroadcastHoldRegs(1, WordReg, comm::u16(1234));
        QVERIFY(log().waitFor(1, 1, 10000));
        QCOMPARE(log().last(1).result, 0);
        QCOMPARE(log().last(1).mbAddr, 0);
        if (simulator())
            QTRY_COMPARE(simulator()->holding(Module::Imr, WordReg), quint16(1234));
    }

    // A module that was not found has address 0, which every module obeys: whatever the
    // request, it is answered once with ResultNotAddressed and never reaches the wire.
    void unaddressedRequestNeverReachesTheWire_data()
    {
        QTest::addColumn<SendRequest>("send");
        using Send = SendRequest;
        QTest::newRow("read holding") << Send([](comm::MBComMaster& m) { m.ReadHoldRegs(7, 0, WordReg, 18, 1); });
        QTest::newRow("read input") << Send([](comm::MBComMaster& m) { m.ReadInputRegs(7, 0, SarReg, 17, 1); });
        QTest::newRow("read coils") << Send([](comm::MBComMaster& m) { m.ReadHoldBins(7, 0, PolarityCoil, 2); });
        QTest::newRow("write register") << Send([](comm::MBComMaster& m) { m.WriteHoldRegs(7, 0, WordReg, comm::u16(4321)); });
        QTest::newRow("write float") << Send([](comm::MBComMaster& m) { m.WriteHoldRegs(7, 0, FloatReg, comm::f32(1.5f)); });
        QTest::newRow("write coil") << Send([](comm::MBComMaster& m) { m.WriteHoldBins(7, 0, PolarityCoil, comm::boolean(true)); });
        QTest::newRow("device name") << Send([](comm::MBComMaster& m) { m.GetDeviceName(7); });
        QTest::newRow("periodic read") << Send([](comm::MBComMaster& m) { m.ReadHoldRegs(7, 50, WordReg, 18, 1); });
    }

    void unaddressedRequestNeverReachesTheWire()
    {
        QFETCH(SendRequest, send);
        QList<comm::ExchangeRecord> wire;
        QObject::connect(&master(), &comm::MBComMaster::exchanged, &master(),
                         [&wire](const comm::ExchangeRecord& r) { wire.append(r); });
        const quint16 before = simulator() ? simulator()->holding(Module::Imr, WordReg) : 0;
        master().setDeviceAddres(0);
        send(master());
        QVERIFY(log().waitFor(7));
        QCOMPARE(log().last(7).result, int(comm::ResultNotAddressed));
        // A request to a module that answers goes through after it, and is the only one on
        // the wire: the refused one made no task, so it is not repeated either.
        master().setDeviceAddres(ImrAddress);
        master().ReadHoldRegs(8, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(8));
        QCOMPARE(log().last(8).result, 0);
        QTRY_COMPARE(wire.size(), 1);
        QCOMPARE(wire.first().qid, 8);
        QCOMPARE(log().count(7), 1);
        if (simulator())
            QCOMPARE(simulator()->holding(Module::Imr, WordReg), before);
    }

    void cancelledOneShot_data()
    {
        QTest::addColumn<bool>("freeAll");
        QTest::addColumn<bool>("onTheLine");  // else still queued behind another request
        QTest::newRow("FreeTask, on the line") << false << true;
        QTest::newRow("FreeTask, queued") << false << false;
        QTest::newRow("FreeAllTasks, on the line") << true << true;
        QTest::newRow("FreeAllTasks, queued") << true << false;
    }
    void cancelledOneShot()
    {
        REQUIRE_SIMULATOR(*line);
        QFETCH(bool, freeAll);
        QFETCH(bool, onTheLine);
        constexpr int AnswerMs = 300;
        reconnect(1000, 0);
        simulator()->setFault(Module::Imr, slow(AnswerMs));
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        master().ReadHoldRegs(2, 0, WordReg, 18, 1);
        QTest::qWait(50);
        const int cancelled = onTheLine ? 1 : 2;
        const int kept = onTheLine ? 2 : 1;
        if (freeAll)
            master().FreeAllTasks();
        else
            master().FreeTask(cancelled);
        QVERIFY(log().waitFor(cancelled));
        QCOMPARE(log().last(cancelled).result, int(comm::ResultCannotSend));
        QVERIFY(lineDrained());  // the line's own answer to it has come back by now
        QCOMPARE(log().count(cancelled), 1);
        QCOMPARE(log().count(kept), 1);
        QCOMPARE(log().last(kept).result, freeAll ? int(comm::ResultCannotSend) : 0);
    }

    // A restart of the meter's polling frees its periodic tasks only: a one-shot on the line
    // and one queued behind it are both answered by the line.
    void freeingPeriodicTasksKeepsOneShots()
    {
        REQUIRE_SIMULATOR(*line);
        constexpr int AnswerMs = 300;
        reconnect(1000, 0);
        simulator()->setFault(Module::Imr, slow(AnswerMs));
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        master().ReadInputRegs(3, AnswerMs, SarReg, 17, 1);
        master().ReadHoldRegs(2, 0, WordReg, 18, 1);
        QTest::qWait(50);
        master().FreePeriodicTasks();
        QVERIFY(log().waitFor(2, 1, 3 * AnswerMs + 1000));
        QCOMPARE(log().count(1), 1);
        QCOMPARE(log().last(1).result, 0);
        QCOMPARE(log().last(2).result, 0);
        QCOMPARE(master().owes(3), 0);
        QVERIFY(lineDrained());  // the periodic read, queued behind them, would have been answered
        QCOMPARE(log().count(3), 0);
    }

    // Closing the port with requests on the line and in the queue answers each of them once.
    void disconnectWithRequestsQueued()
    {
        constexpr int Requests = 5;
        for (int qid = 1; qid <= Requests; ++qid)
            master().ReadHoldRegs(qid, 0, WordReg, 18, 1);
        master().setConnected(false);
        QVERIFY(log().waitConnection(false));
        QVERIFY(QTest::qWaitFor([&] { return log().exchanges.size() >= Requests; }, 3000));
        QTest::qWait(300);
        for (int qid = 1; qid <= Requests; ++qid) {
            QCOMPARE(log().count(qid), 1);
            QVERIFY(log().last(qid).result == 0 || log().last(qid).result == comm::ResultCannotSend);
        }
        QCOMPARE(log().last(Requests).result, int(comm::ResultCannotSend));
        QVERIFY(!master().Connected());
    }

    // The adapter unplugged under a request: the request and the one queued behind it are
    // answered once, the line reports itself closed, and nothing spins on the dead port.
    void portLost()
    {
        REQUIRE_SIMULATOR(*line);
        reconnect(2000, 0);
        simulator()->setFault(Module::Imr, slow(1000));
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        master().ReadHoldRegs(2, 0, WordReg, 18, 1);
        QTest::qWait(100);

        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = processCpuSeconds();
        simulator()->dropLine(Module::Imr);
        QVERIFY(log().waitConnection(false));
        QCOMPARE(master().LinkProblem(), comm::rtu::vanishedText(line->port));
        QVERIFY(log().waitFor(1) && log().waitFor(2));
        QTest::qWait(1000);
        const double cpuShare = (processCpuSeconds() - cpuBefore) / (double(wall.elapsed()) / 1000.0);
        QVERIFY2(cpuShare < 0.5, qPrintable(QStringLiteral("CPU %1 %").arg(cpuShare * 100)));
        QVERIFY(!master().Connected());
        for (int qid : {1, 2}) {
            QCOMPARE(log().count(qid), 1);
            QCOMPARE(log().last(qid).result, int(comm::ResultCannotSend));
        }

        // Plugged in again, the line connects and works.
        simulator()->setFault(Module::Imr, {});
        QVERIFY(simulator()->restoreLine(Module::Imr));
        QVERIFY(server->connect());
        QVERIFY(master().LinkProblem().isEmpty());
        master().ReadHoldRegs(3, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(3));
        QCOMPARE(log().last(3).result, 0);
    }

    // The shortest time-out Qt honours is 10 ms; a shorter one must not leave Qt's own second
    // in force, where a module answering 300 ms late would still be heard.
    void answerDelayBelowQtsFloor()
    {
        REQUIRE_SIMULATOR(*line);
        reconnect(5, 0);
        simulator()->setFault(Module::Imr, slow(300));
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(1));
        QCOMPARE(log().last(1).result, int(comm::ResultNoAnswer));
    }

    // A request with its own time-out and retries waits and repeats by them; the next request
    // without its own is back on the line's.
    void requestsOwnPatience_data()
    {
        QTest::addColumn<int>("lineDelayMs");
        QTest::addColumn<int>("lineRetries");
        QTest::addColumn<int>("slowMs");  // how late the module answers; 0: it is silent
        QTest::addColumn<int>("ownDelayMs");
        QTest::addColumn<int>("ownRetries");
        QTest::addColumn<int>("ownResult");
        QTest::addColumn<int>("ownTries");
        QTest::addColumn<int>("lineResult");
        QTest::addColumn<int>("lineTries");
        QTest::newRow("more retries") << 100 << 1 << 0 << 20 << 3 << int(comm::ResultNoAnswer) << 4
                                      << int(comm::ResultNoAnswer) << 2;
        QTest::newRow("shorter time-out") << 1000 << 0 << 150 << 50 << 0 << int(comm::ResultNoAnswer) << 1 << 0 << 1;
    }
    void requestsOwnPatience()
    {
        REQUIRE_SIMULATOR(*line);
        QFETCH(int, lineDelayMs);
        QFETCH(int, lineRetries);
        QFETCH(int, slowMs);
        QFETCH(int, ownDelayMs);
        QFETCH(int, ownRetries);
        QFETCH(int, ownResult);
        QFETCH(int, ownTries);
        QFETCH(int, lineResult);
        QFETCH(int, lineTries);
        reconnect(lineDelayMs, lineRetries);
        sim::FaultSpec f = slowMs ? slow(slowMs) : sim::FaultSpec{Fault::Silent};
        simulator()->setFault(Module::Imr, f);

        int heard = simulator()->requestCount(Module::Imr);
        master().GetDeviceName(1, comm::Patience{ownDelayMs, ownRetries});
        QVERIFY(log().waitFor(1));
        QCOMPARE(log().last(1).result, ownResult);
        QTRY_COMPARE(simulator()->requestCount(Module::Imr) - heard, ownTries);

        QTest::qWait(slowMs);  // let a late answer pass
        heard = simulator()->requestCount(Module::Imr);
        master().GetDeviceName(2);
        QVERIFY(log().waitFor(2));
        QCOMPARE(log().last(2).result, lineResult);
        QCOMPARE(simulator()->requestCount(Module::Imr) - heard, lineTries);
    }

    void notConnected_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("never connected") << "attached";
        QTest::newRow("disconnected") << "disconnected";
        QTest::newRow("not attached") << "detached";
    }
    void notConnected()
    {
        QFETCH(QString, state);
        if (state == "disconnected") {
            master().setConnected(false);
            QVERIFY(log().waitConnection(false));
        } else {
            server = std::make_unique<Server>(line->port, 100, 1, state == "attached");
        }
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        master().ReadInputRegs(2, 0, SarReg, 17, 1);
        master().ReadHoldBins(3, 0, PolarityCoil, 1);
        master().WriteHoldRegs(4, 0, WordReg, comm::u16(1));
        master().WriteHoldBins(5, 0, PolarityCoil, comm::boolean(true));
        master().GetDeviceName(6);
        QVERIFY(QTest::qWaitFor([&] { return log().exchanges.size() >= 6; }, 3000));
        QTest::qWait(100);
        for (int qid = 1; qid <= 6; ++qid) {
            QCOMPARE(log().count(qid), 1);
            QCOMPARE(log().last(qid).result, int(comm::ResultCannotSend));
        }
    }

    void connectFails_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("problem");  // %1: the port
        QTest::newRow("no such device") << "/dev/zta-no-such-port" << "Порт %1 не найден: проверьте, что адаптер подключён.";
        // the line, which the fixture holds open
        QTest::newRow("port in use") << QString() << "Порт %1 занят другой программой: закройте её или выберите другой порт.";
        QTest::newRow("not a serial port") << "/dev/null" << "Не удалось открыть порт %1: ";
    }
    // A port that does not open leaves the line down and says why in the operator's words.
    void connectFails()
    {
        QFETCH(QString, port);
        QFETCH(QString, problem);
        const QString path = port.isEmpty() ? line->port : port;
        Server other(path);
        other.master.setConnected(true);
        QVERIFY(other.log.waitConnection(false));
        QVERIFY(!other.master.Connected());
        QVERIFY2(other.master.LinkProblem().startsWith(problem.arg(path)), qPrintable(other.master.LinkProblem()));
    }

    // A device node the user may not open (no dialout group) is told apart from one in use.
    void connectRefusedByPermissions()
    {
        if (geteuid() == 0)
            QSKIP("root opens any device node");
        REQUIRE_SIMULATOR(*line);
        const QString node = QFile::symLinkTarget(simulator()->meterPort());
        const QString path = node.isEmpty() ? simulator()->meterPort() : node;
        const QFile::Permissions was = QFile::permissions(path);
        QVERIFY(QFile::setPermissions(path, {}));
        Server other(path);
        other.master.setConnected(true);
        const bool down = other.log.waitConnection(false);
        QFile::setPermissions(path, was);
        QVERIFY(down);
        QCOMPARE(other.master.LinkProblem(),
                 QString("Нет доступа к порту %1: добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) и "
                         "войдите заново.").arg(path));
    }

    void exchangesAreTraced_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("traced");
        QTest::newRow("bench line's debug on") << "zta.link.bench.debug=true" << true;
        QTest::newRow("all lines' debug on") << "zta.link.*.debug=true" << true;
        QTest::newRow("no rule") << QString() << false;
        QTest::newRow("only the meter line's debug on") << "zta.link.meter.debug=true" << false;
    }
    // With its line's debug rule on, each answer leaves one line in the trace, in the order
    // of the answers: the write, the read of it, a device that is silent, a value refused
    // before it went out. Without the rule the trace stays empty.
    void exchangesAreTraced()
    {
        reconnect(100, 1);
        TraceCatcher trace;
        QFETCH(QString, rules);
        QLoggingCategory::setFilterRules(rules);
        master().WriteHoldRegs(1, 0, WordReg, comm::u16(1234));
        QVERIFY(log().waitFor(1));
        master().ReadHoldRegs(2, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(2));
        master().setDeviceAddres(9);
        master().ReadHoldRegs(3, 0, 0, 18, 1);
        QVERIFY(log().waitFor(3));
        master().setDeviceAddres(ImrAddress);
        master().WriteHoldRegs(4, 0, WordReg, QVariant(12));
        QVERIFY(log().waitFor(4));
        QLoggingCategory::setFilterRules(QString());

        QFETCH(bool, traced);
        QStringList expected;
        if (traced)
            expected = QStringList{
                "zta.link.bench: <time> qid=1 addr=1 fn=06 reg=16385 count=1 result=0 ms=<ms> "
                "tx=[01 06 40 01 04 D2 4F 57] rx=[01 06 40 01 04 D2 4F 57] Ок",
                "zta.link.bench: <time> qid=2 addr=1 fn=03 reg=16385 count=1 result=0 ms=<ms> "
                "tx=[01 03 40 01 00 01 C0 0A] rx=[01 03 02 04 D2 3A D9] Ок",
                "zta.link.bench: <time> qid=3 addr=9 fn=03 reg=0 count=1 result=1 ms=<ms> "
                "tx=[09 03 00 00 00 01 85 42] rx=[-] Прибор не отвечает",
                "zta.link.bench: <time> qid=4 addr=1 fn=10 reg=16385 count=1 result=15 ms=<ms> tx=[-] rx=[-] Неверный тип данных",
            };
        QStringList seen;
        for (const QString& l : trace.lines())
            seen.append(withoutTimes(l));
        QCOMPARE(seen, expected);
    }

    // Those who listen to a line's records get one per answer, in the answers' order; the
    // time on the line counts only for requests that went out.
    void recordsReachListeners()
    {
        QList<comm::ExchangeRecord> records;
        QObject::connect(&master(), &comm::RtuComMaster::exchanged, &master(),
                         [&](const comm::ExchangeRecord& r) { records.append(r); });
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        master().WriteHoldRegs(2, 0, WordReg, QVariant(12));
        QVERIFY(log().waitFor(1) && log().waitFor(2));
        QVERIFY(QTest::qWaitFor([&] { return records.size() >= 2; }));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].qid, log().exchanges[0].qid);
        QCOMPARE(records[1].qid, log().exchanges[1].qid);
        const comm::ExchangeRecord& read = records[0].qid == 1 ? records[0] : records[1];
        const comm::ExchangeRecord& refused = records[0].qid == 1 ? records[1] : records[0];
        QCOMPARE(read.sentFrame().toHex(' '), QByteArray("01 03 40 01 00 01 c0 0a"));
        QCOMPARE(read.receivedFunction, quint8(0x03));
        QVERIFY(read.durationMs > 0);
        QCOMPARE(refused.result, int(comm::ResultWrongType));
        QVERIFY(refused.sentFrame().isEmpty());
        QCOMPARE(refused.durationMs, 0.0);
    }

    // Listeners come and go, as the traffic window opens and closes: each gets the records
    // made while it listens, each once, however often the forwarding was dropped and taken up.
    void recordsFollowListeners()
    {
        QList<int> first, second;
        auto listen = [&](QList<int>& into) {
            return QObject::connect(&master(), &comm::MBComMaster::exchanged, &master(),
                                    [&into](const comm::ExchangeRecord& r) { into.append(r.qid); });
        };
        const QMetaObject::Connection one = listen(first);
        master().ReadHoldRegs(1, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(1));
        QObject::disconnect(one);
        master().ReadHoldRegs(2, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(2));
        listen(second);
        master().ReadHoldRegs(3, 0, WordReg, 18, 1);
        QVERIFY(log().waitFor(3));
        QCOMPARE(first, QList<int>{1});
        QCOMPARE(second, QList<int>{3});
    }
};

QTEST_GUILESS_MAIN(TestRtuServer)
#include "tst_link_rtu.moc"
