// The statistics window: the errors and their colours, the expected current from the meter's
// calibration, the running flow statistics, the trend of the flow readings, the "Считать" reads
// and their answers, and the stored window position.
#include "../support/WindowPlace.h"
#include "link/Line.h"
#include "link/Result.h"
#include "modes/CalcFrm.h"
#include "shell/input/NumberFormat.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "tests/support/FakeComMaster.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr ui::Color DarkGreen = ui::rgb(0, 128, 0);
constexpr ui::Color PureRed = ui::rgb(255, 0, 0);

// Calibration currents of both slots, interleaved (element 2k + s): 4 and 20 mA points of
// slot 0 at [2] and [6], of slot 1 at [3] and [7].
QVariantList toki(double slot0I4, double slot0I20, double slot1I4 = 0, double slot1I20 = 0)
{
    return {0.0, 0.0, slot0I4, slot1I4, 0.0, 0.0, slot0I20, slot1I20};
}

// The window on a fake meter line, its settings in a directory of its own.
struct CalcFixture {
    CalcFixture()
    {
        settings::setSettingsDirectory(dir.path());
        open();
    }
    void open() { calc = std::make_unique<modes::TcalcFrm>(line); }
    void reopen()
    {
        calc.reset();
        line.routes = comm::RouteTable();
        open();
    }
    // An answer of the meter line, as its connection delivers it.
    void answer(int qid, const QVariant& value, int result = comm::ResultOk)
    {
        line.routes.dispatch(comm::Exchange{qid, 1, 3, value, result});
    }
    ui::forms::CalcForm& form() { return calc->form; }

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    test::FakeComMaster server;
    comm::Line line{server};
    std::unique_ptr<modes::TcalcFrm> calc;
};

}  // namespace

class TstCalcFrm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { input::setDecimalSeparator(u'.'); }

    void startsWithZeros()
    {
        CalcFixture f;
        for (ui::Edit* e : {&f.form().edtqe, &f.form().edtqi, &f.form().edtmaxq, &f.form().edtminq, &f.form().EdtAvgQ,
                            &f.form().edtie, &f.form().edtii, &f.form().edti4, &f.form().edti20, &f.form().edtVe,
                            &f.form().edtVi, &f.form().edtimp}) {
            QCOMPARE(e->text(), QStringLiteral("0"));
            QVERIFY(e->isReadOnly());
        }
        QCOMPARE(f.form().caption(), QStringLiteral("Калькулятор ЗТА"));
        QCOMPARE(f.form().SB.panels().size(), 1);
    }

    // The same threshold for every pair: 0.8 % is still green.
    void errorColour_data()
    {
        QTest::addColumn<bool>("volume");
        QTest::addColumn<double>("reference");
        QTest::addColumn<double>("measured");
        QTest::addColumn<QString>("text");
        QTest::addColumn<ui::Color>("colour");
        for (const bool volume : {false, true}) {
            const char* pair = volume ? "volume" : "flow";
            QTest::addRow("%s equal", pair) << volume << 250.0 << 250.0 << "0%" << DarkGreen;
            QTest::addRow("%s exactly 0.8 above", pair) << volume << 1000.0 << 1008.0 << "0.8%" << DarkGreen;
            QTest::addRow("%s exactly 0.8 below", pair) << volume << 1000.0 << 992.0 << "0.8%" << DarkGreen;
            QTest::addRow("%s just over 0.8", pair) << volume << 1000.0 << 1008.001 << "0.8001%" << PureRed;
            QTest::addRow("%s 5 below", pair) << volume << 20.0 << 19.0 << "5%" << PureRed;
        }
    }
    void errorColour()
    {
        QFETCH(bool, volume);
        QFETCH(double, reference);
        QFETCH(double, measured);
        CalcFixture f;
        ui::Label* error = nullptr;
        if (volume) {
            f.calc->setVEtalon(reference);
            f.calc->setVIzm(measured);
            error = &f.form().lblVproc;
        } else {
            f.calc->setQEtalon(reference);
            f.calc->setQIzm(measured);
            error = &f.form().lblqproc;
        }
        QTEST(error->caption(), "text");
        QTEST(error->font().color, "colour");
    }

    // Imitation stopped: neither the flow error nor anything of the current group moves.
    void noReferenceFlowUpdatesNothing()
    {
        CalcFixture f;
        f.calc->setSlot(0);
        f.calc->setToki(toki(4, 20));
        f.calc->setQIzm(150);
        f.calc->setIIzm(12);
        QCOMPARE(f.form().edtqi.text(), QStringLiteral("150"));
        QCOMPARE(f.form().lblqproc.caption(), QString());
        QCOMPARE(f.form().edti4.text(), QStringLiteral("0"));
        QCOMPARE(f.form().edtie.text(), QStringLiteral("0"));
        QCOMPARE(f.form().lbliproc.caption(), QString());

        f.calc->setQEtalon(150);
        QCOMPARE(f.form().lblqproc.caption(), QStringLiteral("0%"));
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));
        QCOMPARE(f.form().lbliproc.caption(), QStringLiteral("0%"));

        f.calc->setQEtalon(0);
        f.calc->setQIzm(300);
        f.calc->setIIzm(5);
        QCOMPARE(f.form().edtqe.text(), QStringLiteral("0"));
        QCOMPARE(f.form().lblqproc.caption(), QStringLiteral("0%"));
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));
        QCOMPARE(f.form().lbliproc.caption(), QStringLiteral("0%"));
    }

    // The meter's flow is limited to 0..300 m3/h, mapped onto 4..20 mA and then through the
    // calibration points of the slot that carries the current output.
    void expectedCurrent_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QVariantList>("calibration");
        QTest::addColumn<double>("flow");
        QTest::addColumn<double>("measured");
        QTest::addColumn<QString>("i4");
        QTest::addColumn<QString>("i20");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("error");
        QTest::addColumn<ui::Color>("colour");
        const QVariantList nominal = toki(4, 20, 2, 10);
        QTest::newRow("mid scale") << 0 << nominal << 150.0 << 12.0 << "4" << "20" << "12" << "0%" << DarkGreen;
        QTest::newRow("350 is full scale") << 0 << nominal << 350.0 << 20.0 << "4" << "20" << "20" << "0%" << DarkGreen;
        QTest::newRow("negative is zero") << 0 << nominal << -5.0 << 4.0 << "4" << "20" << "4" << "0%" << DarkGreen;
        QTest::newRow("slot 1 points") << 1 << nominal << 150.0 << 24.0 << "2" << "10" << "24" << "0%" << DarkGreen;
        // Offset |(4 x 20.5 - 20 x 4.5) / 16| = 0.5 on top of the nominal 4 mA.
        QTest::newRow("offset taken positive") << 0 << toki(4.5, 20.5) << 0.0 << 4.5 << "4.5" << "20.5" << "4.5" << "0%"
                                              << DarkGreen;
        QTest::newRow("measured off") << 0 << nominal << 150.0 << 12.6 << "4" << "20" << "12" << "5%" << PureRed;
    }
    void expectedCurrent()
    {
        QFETCH(int, slot);
        QFETCH(QVariantList, calibration);
        QFETCH(double, flow);
        QFETCH(double, measured);
        CalcFixture f;
        f.calc->setQEtalon(100);
        f.calc->setSlot(slot);
        f.calc->setToki(calibration);
        f.calc->setQIzm(flow);
        f.calc->setIIzm(measured);
        QTEST(f.form().edti4.text(), "i4");
        QTEST(f.form().edti20.text(), "i20");
        QTEST(f.form().edtie.text(), "expected");
        QTEST(f.form().lbliproc.caption(), "error");
        QTEST(f.form().lbliproc.font().color, "colour");
    }

    void equalCalibrationPointsShowNoExpectedCurrent()
    {
        CalcFixture f;
        f.calc->setQEtalon(100);
        f.calc->setSlot(0);
        f.calc->setToki(toki(7, 7));
        f.calc->setQIzm(100);
        f.calc->setIIzm(9);
        QCOMPARE(f.form().edti4.text(), QStringLiteral("7"));
        QCOMPARE(f.form().edti20.text(), QStringLiteral("7"));
        QCOMPARE(f.form().edtie.text(), QStringLiteral("0"));
        QCOMPARE(f.form().lbliproc.caption(), QString());
    }

    // The comparison needs the slot, the calibration, a reference flow and a current reading,
    // whatever their order.
    void currentInputsInAnyOrder_data()
    {
        QTest::addColumn<QString>("order");
        for (const char* order : {"stqi", "tsqi", "itsq", "qist", "iqts"})
            QTest::newRow(order) << QString::fromLatin1(order);
    }
    void currentInputsInAnyOrder()
    {
        QFETCH(QString, order);
        CalcFixture f;
        f.calc->setQIzm(150);
        for (const QChar step : order) {
            QCOMPARE(f.form().edtie.text(), QStringLiteral("0"));
            switch (step.toLatin1()) {
            case 's': f.calc->setSlot(1); break;
            case 't': f.calc->setToki(toki(4, 20, 2, 10)); break;
            case 'q': f.calc->setQEtalon(150); break;
            case 'i': f.calc->setIIzm(24); break;
            }
        }
        QCOMPARE(f.form().edtie.text(), QStringLiteral("24"));
        QCOMPARE(f.form().lbliproc.caption(), QStringLiteral("0%"));
    }

    // A flow reading taken into the statistics waits for a fresh current reading.
    void countedFlowWaitsForNextCurrent()
    {
        CalcFixture f;
        f.calc->setQEtalon(100);
        f.calc->setSlot(0);
        f.calc->setToki(toki(4, 20));
        f.calc->setIIzm(12);
        f.calc->setQIzm(150);
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));

        f.form().btnStart.click();
        f.calc->setQIzm(300);
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));
        f.calc->setIIzm(20);
        QCOMPARE(f.form().edtie.text(), QStringLiteral("20"));
    }

    void startStopsAndCounts()
    {
        CalcFixture f;
        QCOMPARE(f.form().btnStart.caption(), QStringLiteral("Старт"));
        f.calc->setQIzm(50);
        QCOMPARE(f.form().EdtAvgQ.text(), QStringLiteral("0"));

        f.form().btnStart.click();
        QCOMPARE(f.form().btnStart.caption(), QStringLiteral("Стоп"));
        f.calc->setQIzm(2);
        f.calc->setQIzm(4);
        f.form().btnStart.click();
        QCOMPARE(f.form().btnStart.caption(), QStringLiteral("Старт"));
        f.calc->setQIzm(100);
        f.form().btnStart.click();  // switching on again keeps the sums
        f.calc->setQIzm(3);
        QCOMPARE(f.form().edtmaxq.text(), QStringLiteral("4"));
        QCOMPARE(f.form().edtminq.text(), QStringLiteral("2"));
        QCOMPARE(f.form().EdtAvgQ.text(), QStringLiteral("3"));
    }

    // Without a "Сброс" first the minimum of positive readings is their true minimum.
    void firstReadingsWithoutClear()
    {
        CalcFixture f;
        f.form().btnStart.click();
        f.calc->setQIzm(5.5);
        f.calc->setQIzm(3.25);
        f.calc->setQIzm(7);
        QCOMPARE(f.form().edtmaxq.text(), QStringLiteral("7"));
        QCOMPARE(f.form().edtminq.text(), QStringLiteral("3.25"));
        QCOMPARE(f.form().EdtAvgQ.text(), QStringLiteral("5.25"));
    }

    void clearThenOneReading_data()
    {
        QTest::addColumn<double>("reading");
        QTest::addColumn<QString>("text");
        QTest::newRow("positive") << 12.34567 << "12.3457";
        QTest::newRow("negative") << -3.5 << "-3.5";
        QTest::newRow("zero") << 0.0 << "0";
    }
    void clearThenOneReading()
    {
        QFETCH(double, reading);
        CalcFixture f;
        f.form().btnStart.click();
        f.calc->setQIzm(-200);
        f.calc->setQIzm(500);
        f.form().BtnClear.click();
        QCOMPARE(f.form().edtmaxq.text(), QStringLiteral("500"));  // shown until the next reading
        f.calc->setQIzm(reading);
        QTEST(f.form().edtmaxq.text(), "text");
        QTEST(f.form().edtminq.text(), "text");
        QTEST(f.form().EdtAvgQ.text(), "text");
    }

    // The pulse volume is compared again only after a pulse count newer than the meter's volume.
    void volumeReadingWaitsForNextPulseCount()
    {
        CalcFixture f;
        f.calc->setVEtalon(10);
        f.calc->setVIzm(9.5);
        QCOMPARE(f.form().lblVproc.caption(), QStringLiteral("5%"));
        QCOMPARE(f.form().lblimp.caption(), QString());
        f.calc->setImpIzm(9000);
        QCOMPARE(f.form().edtimp.text(), QStringLiteral("9000"));
        QCOMPARE(f.form().lblimp.caption(), QStringLiteral("9"));
        QCOMPARE(f.form().lblVproc2.caption(), QStringLiteral("5.2632%"));
        QCOMPARE(f.form().lblVproc2.font().color, PureRed);

        f.calc->setVIzm(9.9);
        QCOMPARE(f.form().edtVi.text(), QStringLiteral("9.9"));
        QCOMPARE(f.form().lblVproc.caption(), QStringLiteral("1%"));
        QCOMPARE(f.form().lblVproc2.caption(), QStringLiteral("5.2632%"));
        f.calc->setImpIzm(9900);
        QCOMPARE(f.form().lblimp.caption(), QStringLiteral("9.9"));
        QCOMPARE(f.form().lblVproc2.caption(), QStringLiteral("0%"));
        QCOMPARE(f.form().lblVproc2.font().color, DarkGreen);
    }

    void noReferenceVolumeUpdatesNothing()
    {
        CalcFixture f;
        f.calc->setVIzm(5);
        f.calc->setImpIzm(5000);
        QCOMPARE(f.form().lblVproc.caption(), QString());
        QCOMPARE(f.form().lblimp.caption(), QString());
        QCOMPARE(f.form().lblVproc2.caption(), QString());
    }

    void readButtonNeedsConnectedLine()
    {
        CalcFixture f;
        f.server.setDeviceAddres(7);
        f.form().Button1.click();
        QVERIFY(f.server.requests.isEmpty());

        f.line.connected = true;
        f.form().Button1.click();
        QCOMPARE(f.server.requests.size(), 2);
        const comm::Request* slots = f.server.last(41);
        QVERIFY(slots);
        QCOMPARE(slots->op, comm::Request::Op::ReadHolding);
        QCOMPARE(slots->period, 0);
        QCOMPARE(slots->address, 7);
        QCOMPARE(slots->reg, 7);
        QCOMPARE(slots->type, comm::DataType::UInt8);
        QCOMPARE(slots->count, 2);
        const comm::Request* currents = f.server.last(42);
        QVERIFY(currents);
        QCOMPARE(currents->op, comm::Request::Op::ReadHolding);
        QCOMPARE(currents->period, 0);
        QCOMPARE(currents->address, 7);
        QCOMPARE(currents->reg, 0xC02C);
        QCOMPARE(currents->type, comm::DataType::Float);
        QCOMPARE(currents->count, 8);
    }

    // The first slot of the current type (2) carries the output; none leaves the slot unknown.
    void slotTypesAnswer_data()
    {
        QTest::addColumn<QVariantList>("types");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("slot");  // -1: unknown
        QTest::addColumn<QString>("status");
        const QVariant two = comm::u8(2);
        QTest::newRow("first") << QVariantList{two, two} << 0 << 0 << "Тип доп. слотов: Ок";
        QTest::newRow("second") << QVariantList{comm::u8(3), two} << 0 << 1 << "Тип доп. слотов: Ок";
        QTest::newRow("none") << QVariantList{comm::u8(1), comm::u8(1)} << 0 << -1 << "Тип доп. слотов: Ок";
        QTest::newRow("failed") << QVariantList{two, two} << int(comm::ResultNoAnswer) << -1
                                << "Тип доп. слотов: Прибор не отвечает";
    }
    void slotTypesAnswer()
    {
        QFETCH(QVariantList, types);
        QFETCH(int, result);
        QFETCH(int, slot);
        CalcFixture f;
        f.calc->setQEtalon(100);
        f.calc->setQIzm(150);
        f.calc->setIIzm(12);
        f.calc->setToki(toki(4, 20, 2, 10));
        f.answer(41, types, result);
        QTEST(f.form().SB.panelText(0), "status");
        // The slot is known exactly when the expected current appears, from that slot's points.
        QCOMPARE(f.form().edtie.text(), slot < 0 ? QStringLiteral("0") : slot == 0 ? QStringLiteral("12") : QStringLiteral("24"));
        if (slot >= 0)
            QCOMPARE(f.calc->Slot(), slot);
    }

    void calibrationAnswer_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("i20");
        QTest::addColumn<QString>("status");
        QTest::newRow("ok") << 0 << "20" << "Значения токов Ок";
        QTest::newRow("failed") << int(comm::ResultCrc) << "0" << "Значения токов Ошибка контрольной суммы";
    }
    void calibrationAnswer()
    {
        QFETCH(int, result);
        CalcFixture f;
        f.calc->setQEtalon(100);
        f.calc->setSlot(0);
        QVariantList values;
        for (const QVariant& v : toki(4, 20))
            values.append(comm::f32(float(v.toDouble())));
        f.answer(42, values, result);
        QTEST(f.form().SB.panelText(0), "status");
        QTEST(f.form().edti20.text(), "i20");
    }

    // Each flow reading of the meter joins the trend beside the reference then in force, whether
    // or not statistics run; "Сброс" starts the trend afresh.
    void trendTakesEachFlowReading()
    {
        CalcFixture f;
        qint64 now = 0;
        f.form().trend.setClock([&now] { return now; });
        f.calc->setQIzm(1);
        f.calc->setQEtalon(20);
        now = 1000;
        f.calc->setQIzm(19.5);
        now = 2000;
        f.form().btnStart.click();
        f.calc->setQIzm(20.1);
        const auto& samples = f.form().trend.history().samples();
        QCOMPARE(samples.size(), size_t(3));
        const QList<QList<double>> expected{{0, 0, 1}, {1000, 20, 19.5}, {2000, 20, 20.1}};
        for (int i = 0; i < 3; ++i)
            QCOMPARE((QList<double>{double(samples[i].ms), samples[i].reference, samples[i].measured}), expected[i]);

        f.form().BtnClear.click();
        QVERIFY(f.form().trend.history().isEmpty());
        f.calc->setQIzm(20);
        QCOMPARE(f.form().trend.history().size(), 1);
    }

    // The band is the colour limit unless the meter type's permissible error replaces it; the
    // error labels keep the window's own limit.
    void trendBandIsThePermissibleError()
    {
        CalcFixture f;
        QCOMPARE(f.form().trend.permissibleError(), 0.8);
        f.calc->setPermissibleError(1.5);
        QCOMPARE(f.form().trend.permissibleError(), 1.5);
        f.calc->setQEtalon(100);
        f.calc->setQIzm(101);
        QCOMPARE(f.form().lblqproc.font().color, PureRed);
    }

    // "Считать" forgets the old slot and calibration until the new answers arrive.
    void readAgainForgetsOldCalibration()
    {
        CalcFixture f;
        f.line.connected = true;
        f.calc->setQEtalon(100);
        f.calc->setSlot(0);
        f.calc->setToki(toki(4, 20, 2, 10));
        f.calc->setQIzm(150);
        f.calc->setIIzm(12);
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));

        f.form().Button1.click();
        f.calc->setIIzm(13);
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));
        f.answer(41, QVariantList{comm::u8(1), comm::u8(2)});
        QCOMPARE(f.form().edtie.text(), QStringLiteral("12"));
        f.answer(42, toki(4, 20, 2, 10));
        QCOMPARE(f.form().edtie.text(), QStringLiteral("24"));
    }

    void positionStoredAndRestored()
    {
        CalcFixture f;
        test::verifyPlaceKept(f, "CalcFrm");
    }
};

QTEST_GUILESS_MAIN(TstCalcFrm)
#include "tst_calcfrm.moc"
