// The current meter page: a channel's calibration against the converter (the fit, its
// limits, the writes, the return to measurement after a failure, the button while it runs)
// and the current set by hand.
#include "../support/MainFixture.h"

#include "bench/Qids.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "link/Clock.h"
#include "service/IptCalibration.h"

#include <QTest>
#include <QTimer>

#include <map>

namespace {

namespace qid = bench::qid;

constexpr quint8 IptAddress = 3;
const QString KeptLine = QStringLiteral("\nПрежние масштаб и смещение канала остаются в силе.");

// The module as the page sees it: the chosen channel's raw sum follows the converter's code
// between two given sums; chosen requests fail with a Result.
struct FakeIpt {
    qint32 sumAtZero = 100000;
    qint32 sumAtFull = 900000;
    std::map<std::pair<int, int>, int> failures;  // (qid, occurrence from 1) -> Result
    int mode = 0;
    int code = 0;
    std::map<int, int> seen;

    bool answer(const comm::Request& r, QVariant* value, int* result)
    {
        const int occurrence = ++seen[r.qid];
        if (const auto f = failures.find({r.qid, occurrence}); f != failures.end()) {
            *result = f->second;
            return true;
        }
        if (r.qid == qid::IptCommand)
            mode = r.value.toInt();
        else if (r.qid == qid::IptDacWrite)
            code = r.value.toInt();
        else if (r.qid == qid::IptSumsRead)
            *value = sums();
        return true;
    }
    QVariantList sums() const
    {
        QVariantList list;
        for (int c = 1; c <= 4; ++c) {
            const qint32 raw = c == mode ? (code == 0 ? sumAtZero : sumAtFull) : 500000;
            list.append(comm::u32(quint32(raw)));
        }
        return list;
    }
};

struct Page {
    Page()
    {
        w.main->ctx.bench.connected = true;
        w.main->ctx.modules.IptModule.Adr = IptAddress;
        calibration.pause = [this](int ms) {
            pauses.append(ms);
            if (duringPause)
                duringPause();
        };
        w.bench->requests.clear();
        w.bench->responder = [this](const comm::Request& r, QVariant* v, int* res) { return ipt.answer(r, v, res); };
    }
    ui::forms::Ipt2Page& page() { return w.form().ipt2; }
    void start(int channel)
    {
        page().RgCanal.select(channel - 1);
        page().Button2.click();
    }
    QList<int> sent() const
    {
        QList<int> qids;
        for (const comm::Request& r : w.bench->requests)
            qids.append(r.qid);
        return qids;
    }

    test::MainFixture w;
    service::IptCalibration& calibration = w.main->iptCalibration;
    FakeIpt ipt;
    QList<int> pauses;
    std::function<void()> duringPause;
};

const QList<int> FullRun{qid::IptDacWrite,   qid::IptCommand,     qid::IptSumsRead,
                         qid::IptDacWrite,   qid::IptCommand,     qid::IptSumsRead,
                         qid::IptScaleWrite, qid::IptOffsetWrite, qid::IptCommand};

}  // namespace

class TstIptCalibration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fitOfTheTwoPoints_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("atZero");
        QTest::addColumn<int>("atFull");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("offset");
        QTest::newRow("offset below its limit") << 2 << 400000 << 1000000 << "Где-то вышли за пределы" + KeptLine << 0.0 << 0.0;
        QTest::newRow("within the limits") << 3 << 100000 << 900000 << "Калибровка прошла успешно!" << 0.0000299992
                                           << -2.99992;
        QTest::newRow("equal sums") << 1 << 500000 << 500000 << "temp=0" + KeptLine << 0.0 << 0.0;
    }
    void fitOfTheTwoPoints()
    {
        QFETCH(int, channel);
        QFETCH(int, atZero);
        QFETCH(int, atFull);
        QFETCH(QString, message);
        QFETCH(double, scale);
        QFETCH(double, offset);
        Page p;
        p.ipt.sumAtZero = atZero;
        p.ipt.sumAtFull = atFull;
        p.start(channel);
        QCOMPARE(p.w.dialogs.messages, QStringList{message});
        QCOMPARE(p.ipt.mode, 0);  // measuring again either way
        const comm::Request* scaleWrite = p.w.bench->last(qid::IptScaleWrite);
        const comm::Request* offsetWrite = p.w.bench->last(qid::IptOffsetWrite);
        QCOMPARE(scaleWrite != nullptr, scale != 0);
        if (!scaleWrite)
            return;
        QCOMPARE(scaleWrite->reg, 49152 + 2 * (channel - 1));
        QCOMPARE(offsetWrite->reg, 49160 + 2 * (channel - 1));
        QVERIFY2(qAbs(scaleWrite->value.toFloat() - scale) < 1e-10, qPrintable(scaleWrite->value.toString()));
        QVERIFY2(qAbs(offsetWrite->value.toFloat() - offset) < 1e-5, qPrintable(offsetWrite->value.toString()));
    }

    void successfulRunInOrder()
    {
        Page p;
        p.start(4);
        QCOMPARE(p.sent(), FullRun);
        const auto& r = p.w.bench->requests;
        QCOMPARE(r[0].value.toInt(), 0);
        QCOMPARE(r[3].value.toInt(), 65535);
        QCOMPARE(r[1].value.toInt(), 4);
        QCOMPARE(r.last().value.toInt(), 0);
        QCOMPARE(r[1].reg, 3);
        for (const comm::Request& request : r)
            QCOMPARE(request.address, int(IptAddress));
        QCOMPARE(p.pauses, (QList<int>{2000, 1000, 2000, 1000}));
        QCOMPARE(p.page().PBIpt.position(), 12);
        QCOMPARE(p.w.main->ctx.SB.panelText(0), QString("Считали суммы"));
        QVERIFY(p.page().Button2.isEnabled());
    }

    // A failure after the channel was selected puts the module back to measuring; the
    // message says which line is in force.
    void failureReturnsToMeasurement_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<int>("occurrence");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("returned");
        QTest::newRow("first code") << qid::IptDacWrite << 1 << "Не записать число в ЦАП AD420" + KeptLine << false;
        QTest::newRow("first channel") << qid::IptCommand << 1 << "Не удалось записать номер канала" + KeptLine << false;
        QTest::newRow("first sums") << qid::IptSumsRead << 1 << "Не считать суммы из ИПТ" + KeptLine << true;
        QTest::newRow("second code") << qid::IptDacWrite << 2 << "Не записать число в ЦАП AD420" + KeptLine << true;
        QTest::newRow("second channel") << qid::IptCommand << 2 << "Не удалось записать номер канала" + KeptLine << true;
        QTest::newRow("scale") << qid::IptScaleWrite << 1 << "Не удалось записать масштаб канала" + KeptLine << true;
        QTest::newRow("offset") << qid::IptOffsetWrite << 1
                                << "Не удалось записать смещение канала\nМасштаб канала записан новый, смещение осталось прежним."
                                << true;
    }
    void failureReturnsToMeasurement()
    {
        QFETCH(int, qid);
        QFETCH(int, occurrence);
        QFETCH(QString, message);
        QFETCH(bool, returned);
        Page p;
        p.ipt.failures[{qid, occurrence}] = comm::ResultBusy;
        p.start(2);
        QCOMPARE(p.w.dialogs.messages, QStringList{message});
        const comm::Request* command = p.w.bench->last(qid::IptCommand);
        QCOMPARE(command && command->value.toInt() == 0, returned);
        QCOMPARE(p.ipt.mode, 0);
        QCOMPARE(p.w.bench->requests.last().qid, returned ? qid::IptCommand : qid);
        QVERIFY(p.page().Button2.isEnabled());
    }

    void failedReturnToMeasurementIsReported()
    {
        Page p;
        p.ipt.failures[{qid::IptCommand, 3}] = comm::ResultBusy;
        p.start(1);
        QCOMPARE(p.w.dialogs.messages,
                 (QStringList{"Калибровка прошла успешно!", "Не удалось перевести ИПТ в режим измерений"}));
    }

    void startNeedsAChannelAndTheModule_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("address");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no channel") << false << true << 3 << QStringList{"Канал-то выберите"};
        QTest::newRow("line closed") << true << false << 3 << QStringList{};
        QTest::newRow("no module") << true << true << 0 << QStringList{"Модуль ИПТ не обнаружен: выполните «Проверка связи»"};
    }
    void startNeedsAChannelAndTheModule()
    {
        QFETCH(bool, chosen);
        QFETCH(bool, connected);
        QFETCH(int, address);
        QFETCH(QStringList, messages);
        Page p;
        p.w.main->ctx.bench.connected = connected;
        p.w.main->ctx.modules.IptModule.Adr = quint8(address);
        if (chosen)
            p.page().RgCanal.select(0);
        p.page().Button2.click();
        QCOMPARE(p.w.dialogs.messages, messages);
        QVERIFY(p.sent().isEmpty());
        QVERIFY(p.page().Button2.isEnabled());
    }

    // The real pause lets timers run; a second start or a hand-set current in it is refused.
    void pauseKeepsTheWindowAliveButNotItsButtons()
    {
        Page p;
        p.calibration.pause = [](int ms) { comm::pause(comm::steadyClock(), ms); };
        p.ipt.failures[{qid::IptCommand, 1}] = comm::ResultBusy;  // ends after the first pause
        bool ticked = false;
        QTimer::singleShot(100, [&] {
            ticked = true;
            QVERIFY(!p.page().Button1.isEnabled());
            QVERIFY(!p.page().Button2.isEnabled());
            p.page().Button2.click();
            p.page().Button1.click();
        });
        p.start(1);
        QVERIFY(ticked);
        QCOMPARE(p.sent(), (QList<int>{qid::IptDacWrite, qid::IptCommand}));
        QVERIFY(p.page().Button1.isEnabled());
        QVERIFY(p.page().Button2.isEnabled());
    }

    void handSetCurrent_data()
    {
        QTest::addColumn<int>("mA");
        QTest::addColumn<int>("code");
        QTest::newRow("24 mA") << 24 << 65535;
        QTest::newRow("1 mA") << 1 << 2731;
        QTest::newRow("4 mA, a half rounded to even") << 4 << 10922;
        QTest::newRow("0 mA") << 0 << 0;
    }
    void handSetCurrent()
    {
        QFETCH(int, mA);
        QFETCH(int, code);
        Page p;
        bool disabledWhileWaiting = false;
        p.w.bench->responder = [&](const comm::Request&, QVariant*, int*) {
            disabledWhileWaiting = !p.page().Button1.isEnabled();
            return true;
        };
        p.page().TbMa.move(mA);
        QCOMPARE(p.page().Label4.caption(), QString::number(mA));
        p.page().Button1.click();
        const comm::Request* write = p.w.bench->last(qid::IptDacWrite);
        QVERIFY(write);
        QCOMPARE(write->reg, 16384);
        QCOMPARE(write->address, int(IptAddress));
        QCOMPARE(write->value.toInt(), code);
        QVERIFY(disabledWhileWaiting);
        QVERIFY(p.page().Button1.isEnabled());
        QVERIFY(p.w.dialogs.messages.isEmpty());
    }

    void handSetCurrentFailure()
    {
        Page p;
        p.ipt.failures[{qid::IptDacWrite, 1}] = comm::ResultBusy;
        p.page().TbMa.move(12);
        p.page().Button1.click();
        QCOMPARE(p.w.dialogs.messages, QStringList{"Не записать число в ЦАП AD420"});
        QVERIFY(p.page().Button1.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TstIptCalibration)
#include "tst_ipt_calibration.moc"
