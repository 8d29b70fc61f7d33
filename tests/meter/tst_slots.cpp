// The output slot window and the current output calibration of the multi-channel meter on fake
// lines: the slot kinds read and written, the four calibration points measured by the current
// meter, the tolerance check and the table writes, "Остановить", the refusals and rejections.
#include "../support/FakeContext.h"
#include "bench/Qids.h"
#include "link/DataType.h"
#include "link/Line.h"
#include "link/Result.h"
#include "meter/SlotsWindow.h"
#include "shell/input/NumberFormat.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr quint8 kMeterAdr = 7;
constexpr quint8 kIptAdr = 3;
constexpr int kKindsRead = 28;
constexpr int kTableReg = 49196;
const QString kMismatch = QStringLiteral(
    "Значения токов отличаются от эталонных\rна значения больше допустимых\rПроверьте подключение ИПТ");

using Currents = QList<double>;  // mA measured at 0, 4, 5, 20 mA

int startQid(int slot) { return 29 + slot; }
int stopQid(int slot) { return -(29 + slot); }
int pointQid(int slot) { return 31 + slot; }
int tableQid(int slot, int k) { return 33 + 4 * slot + k; }

void connectLine(test::FakeComMaster& server, comm::Line& line)
{
    QObject::connect(&server, &comm::MBComMaster::OnExchange, &server,
                     [&line](int qid, int addr, int fun, const QVariant& v, int r) {
                         line.routes.dispatch({qid, addr, fun, v, r});
                     });
}

// Posted answers and window messages run; nothing here waits for time to pass.
void settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}

// The slot window on two fake lines. The meter takes every write; the current meter answers
// each calibration read with `currents` of the point the meter outputs, on channel 1, and each
// of its answers counts as one second of the calibration timer.
struct SlotsFixture : test::FakeContext {
    SlotsFixture()
    {
        connectLine(meterServer, ctx.meter);
        connectLine(benchServer, ctx.bench);
        ctx.meter.connected = true;
        ctx.bench.connected = true;
        ctx.modules.MeterModule.Adr = kMeterAdr;
        ctx.modules.IptModule.Adr = kIptAdr;
        // The current meter's calibration read, routed as the current readout does it.
        ctx.bench.routes.add(bench::qid::IptCurrentsCalib,
                             {&ctx.state.results.ResIptCurrentsCalib, [this](const comm::Exchange& e) {
                                  slotWindow->TokIpt(e.element(0).toDouble());
                                  ++answersAtPoint;
                                  if (duringPoint)
                                      duringPoint(point(), answersAtPoint);
                                  for (int s = 0; s < 2; ++s)
                                      slotWindow->calibration(s).form.Timer.tick();
                              }, {}});
        meterServer.responder = [this](const comm::Request& r, QVariant* value, int* result) {
            *result = meterResults.value(r.qid, comm::ResultOk);
            *value = r.qid == kKindsRead ? QVariant(kinds) : r.value;
            if (r.qid == pointQid(0) || r.qid == pointQid(1))
                answersAtPoint = 0;
            return true;
        };
        benchServer.responder = [this](const comm::Request& r, QVariant* value, int*) {
            const float mA = float(currents.value(point()));
            *value = QVariantList{comm::f32(mA), comm::f32(0), comm::f32(0), comm::f32(0)};
            return r.qid == bench::qid::IptCurrentsCalib;
        };
        open();
    }
    void open()
    {
        slotWindow = std::make_unique<meter::TKsForm1>(ctx);
        // The test's answers are the seconds: no real tick may end a point early.
        for (int s = 0; s < 2; ++s)
            slotWindow->calibration(s).form.Timer.setInterval(24 * 3600 * 1000);
    }
    // The point the meter was last told to output.
    int point() const
    {
        for (auto it = meterServer.requests.crbegin(); it != meterServer.requests.crend(); ++it)
            if (it->qid == pointQid(0) || it->qid == pointQid(1))
                return it->value.toInt();
        return -1;
    }
    QList<comm::Request> sent(int qid) const
    {
        QList<comm::Request> list;
        for (const comm::Request& r : meterServer.requests)
            if (r.qid == qid)
                list.append(r);
        return list;
    }
    QList<int> pointsWritten(int slot) const
    {
        QList<int> points;
        for (const comm::Request& r : sent(pointQid(slot)))
            points.append(r.value.toInt());
        return points;
    }
    int tableWrites() const
    {
        int n = 0;
        for (int q = tableQid(0, 0); q <= tableQid(1, 3); ++q)
            n += meterServer.count(q);
        return n;
    }
    // "Настройка периферии >>", then the slot window's "Считать".
    void openAndRead()
    {
        slotWindow->showSlots();
        slotWindow->form.Button2.click();
        settle();
    }
    ui::Button& calibrationButton(int slot) { return slot == 0 ? slotWindow->form.btnCalib1 : slotWindow->form.btnCalib2; }
    // Opens the window with the kinds read and presses the slot's calibration button.
    void calibrate(int slot)
    {
        kinds = {comm::u8(2), comm::u8(2)};
        openAndRead();
        calibrationButton(slot).click();
    }
    ui::forms::KsCalibTokForm& window(int slot) { return slotWindow->calibration(slot).form; }

    std::unique_ptr<meter::TKsForm1> slotWindow;

    QVariantList kinds{comm::u8(0), comm::u8(0)};
    QHash<int, int> meterResults;  // QID -> Result the meter answers; Ок when absent
    Currents currents{0, 4, 5, 20};
    int answersAtPoint = 0;
    std::function<void(int point, int answer)> duringPoint;
};

}  // namespace

class TstSlots : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { input::setDecimalSeparator(u'.'); }

    void slotWindowStartsUnread()
    {
        SlotsFixture f;
        auto& form = f.slotWindow->form;
        QCOMPARE(form.caption(), QStringLiteral("Настройка слотов"));
        for (ui::ComboBox* c : {&form.cbxDopSlot1, &form.cbxDopSlot2}) {
            QVERIFY(!c->isEnabled());
            QCOMPARE(c->itemIndex(), -1);
            QCOMPARE(c->items(), QStringList({"Пустой", "Универсальный выход", "Токовый", "Дискретный"}));
        }
        QVERIFY(!form.btnCalib1.isVisible());
        QVERIFY(!form.btnCalib2.isVisible());
    }

    // Opening only shows the window; its "Считать" reads the kinds.
    void openingShowsAndReadingReads()
    {
        SlotsFixture f;
        f.slotWindow->showSlots();
        QVERIFY(f.slotWindow->form.isVisible());
        QVERIFY(f.meterServer.requests.isEmpty());
        f.slotWindow->form.Button2.click();
        const comm::Request* read = f.meterServer.last(kKindsRead);
        QVERIFY(read);
        QCOMPARE(read->op, comm::Request::Op::ReadHolding);
        QCOMPARE(read->reg, 7);
        QCOMPARE(read->count, 2);
        QCOMPARE(read->type, comm::DataType::UInt8);
        QCOMPARE(read->address, int(kMeterAdr));
    }

    void slotKinds_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<bool>("calib1");
        QTest::addColumn<bool>("calib2");
        QTest::newRow("current and empty") << 2 << 0 << "Токовый" << true << false;
        QTest::newRow("both current") << 2 << 2 << "Токовый" << true << true;
        QTest::newRow("universal and discrete") << 1 << 3 << "Универсальный выход" << false << false;
        QTest::newRow("empty and current") << 0 << 2 << "Пустой" << false << true;
        QTest::newRow("unknown kind") << 9 << 2 << "" << false << true;
    }
    void slotKinds()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        SlotsFixture f;
        f.kinds = {comm::u8(quint8(first)), comm::u8(quint8(second))};
        f.openAndRead();
        auto& form = f.slotWindow->form;
        QTEST(form.cbxDopSlot1.text(), "firstText");
        QCOMPARE(form.cbxDopSlot2.itemIndex(), second);
        QVERIFY(form.cbxDopSlot1.isEnabled());
        QVERIFY(form.cbxDopSlot2.isEnabled());
        QTEST(form.btnCalib1.isVisible(), "calib1");
        QTEST(form.btnCalib2.isVisible(), "calib2");
        QCOMPARE(form.SB.panelText(0), QStringLiteral("Тип доп. слотов: Ок"));
    }

    void failedKindsReadChangesOnlyTheStatus()
    {
        SlotsFixture f;
        f.meterResults[kKindsRead] = comm::ResultNoAnswer;
        f.kinds = {comm::u8(2), comm::u8(2)};
        f.openAndRead();
        auto& form = f.slotWindow->form;
        QCOMPARE(form.SB.panelText(0), QStringLiteral("Тип доп. слотов: Прибор не отвечает"));
        QVERIFY(!form.cbxDopSlot1.isEnabled());
        QVERIFY(!form.btnCalib1.isVisible());
    }

    // The multi-channel window's "Считать" also reads the kinds; until the slot window was
    // opened its answers are not shown.
    void kindsIgnoredBeforeTheWindowWasOpened()
    {
        SlotsFixture f;
        f.meterServer.answer(kKindsRead, QVariantList{comm::u8(2), comm::u8(2)}, comm::ResultOk, kMeterAdr, true);
        auto& form = f.slotWindow->form;
        QVERIFY(!form.cbxDopSlot1.isEnabled());
        QCOMPARE(form.cbxDopSlot1.itemIndex(), -1);
        QVERIFY(!form.btnCalib1.isVisible());
        QCOMPARE(form.SB.panelText(0), QString());
    }

    void writeKind_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("qid");
        QTest::addColumn<int>("reg");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("status");
        QTest::newRow("slot 1") << "cbxDopSlot1" << "Button1" << -27 << 7 << 0 << "Тип доп. слотов: Ок";
        QTest::newRow("slot 2") << "cbxDopSlot2" << "Button3" << -28 << 8 << 0 << "Тип доп. слотов: Ок";
        QTest::newRow("slot 1 refused") << "cbxDopSlot1" << "Button1" << -27 << 7 << int(comm::ResultIllegalValue)
                                        << "Тип доп.слота: Недопустимые данные";
    }
    // A kind the meter took is read back (message 0x404); a refused one is not.
    void writeKind()
    {
        QFETCH(QString, combo);
        QFETCH(QString, button);
        QFETCH(int, qid);
        QFETCH(int, result);
        SlotsFixture f;
        f.openAndRead();
        f.meterResults[qid] = result;
        auto& form = f.slotWindow->form;
        static_cast<ui::ComboBox*>(form.find(combo))->select(3);
        static_cast<ui::Button*>(form.find(button))->click();
        const comm::Request* write = f.meterServer.last(qid);
        QVERIFY(write);
        QCOMPARE(write->op, comm::Request::Op::WriteRegisters);
        QTEST(write->reg, "reg");
        QCOMPARE(write->value, comm::u8(3));
        QCOMPARE(write->address, int(kMeterAdr));
        settle();
        QCOMPARE(f.meterServer.count(kKindsRead), result == 0 ? 2 : 1);
        QTEST(form.SB.panelText(0), "status");
    }

    void writeBeforeTheKindsWereReadSendsNothing()
    {
        SlotsFixture f;
        f.slotWindow->form.Button1.click();
        f.slotWindow->form.Button3.click();
        QVERIFY(f.meterServer.requests.isEmpty());
        QCOMPARE(f.dialogs.messages,
                 QStringList({"Типы слотов не считаны: нажмите \"Считать\"", "Типы слотов не считаны: нажмите \"Считать\""}));
    }

    void slotRequestsNeedTheMeterLine()
    {
        SlotsFixture f;
        f.ctx.meter.connected = false;
        f.slotWindow->showSlots();
        f.slotWindow->form.Button2.click();
        f.slotWindow->form.Button1.click();
        QVERIFY(f.meterServer.requests.isEmpty());
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void calibration_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<Currents>("currents");
        QTest::addColumn<bool>("agree");
        QTest::newRow("within tolerance") << 0 << Currents{0.15, 4.1, 5.2, 19.5} << true;
        QTest::newRow("second slot") << 1 << Currents{-0.2, 3.9, 4.9, 20.9} << true;
        QTest::newRow("4 mA at the limit") << 0 << Currents{0, 4.2, 5, 20} << true;
        QTest::newRow("0 mA too high") << 0 << Currents{0.25, 4, 5, 20} << false;
        QTest::newRow("20 mA off by 7.5 %") << 0 << Currents{0.15, 4.1, 5.2, 21.5} << false;
        QTest::newRow("5 mA low, second slot") << 1 << Currents{0, 4, 4.7, 20} << false;
    }
    void calibration()
    {
        QFETCH(int, slot);
        QFETCH(Currents, currents);
        QFETCH(bool, agree);
        SlotsFixture f;
        f.currents = currents;
        f.calibrate(slot);

        QCOMPARE(f.sent(startQid(slot)).size(), 1);
        QCOMPARE(f.sent(startQid(slot)).first().reg, 60 + slot);
        QCOMPARE(f.sent(startQid(slot)).first().value, comm::u8(1));
        QCOMPARE(f.pointsWritten(slot), QList<int>({0, 1, 2, 3}));
        QCOMPARE(f.sent(pointQid(slot)).first().reg, 62 + slot);
        // Ten seconds at each point, one current meter read per second.
        QCOMPARE(f.benchServer.count(bench::qid::IptCurrentsCalib), 40);
        QCOMPARE(f.benchServer.last(bench::qid::IptCurrentsCalib)->address, int(kIptAdr));
        const auto edits = f.window(slot).measured();
        for (int k = 0; k < 4; ++k)
            QCOMPARE(edits[size_t(k)]->text(), input::format3(float(currents[k])));

        if (agree) {
            QVERIFY(f.dialogs.messages.isEmpty());
            QCOMPARE(f.tableWrites(), 4);
            for (int k = 0; k < 4; ++k) {
                const comm::Request* w = f.meterServer.last(tableQid(slot, k));
                QVERIFY(w);
                QCOMPARE(w->reg, kTableReg + 4 * k + 2 * slot);
                QCOMPARE(w->value, comm::f32(float(currents[k])));
                QCOMPARE(w->address, int(kMeterAdr));
                QCOMPARE(f.window(slot).status()[size_t(k)]->caption(), QStringLiteral("Записано"));
            }
        } else {
            QCOMPARE(f.dialogs.messages, QStringList{kMismatch});
            QCOMPARE(f.tableWrites(), 0);
        }
        // Either way the meter is told once to stop, and the windows are ready again.
        const QList<comm::Request> stops = f.sent(stopQid(slot));
        QCOMPARE(stops.size(), 1);
        QCOMPARE(stops.first().reg, 60 + slot);
        QCOMPARE(stops.first().value, comm::u8(0));
        QVERIFY(f.meterServer.requests.last().qid == stopQid(slot));
        QVERIFY(!f.slotWindow->calibrating());
        QVERIFY(f.window(slot).btnStart.isEnabled());
        QVERIFY(!f.window(slot).BtnStop.isVisible());
        QCOMPARE(f.window(slot).pb.position(), 0);
        QCOMPARE(f.calibrationButton(slot).caption(), QStringLiteral("Калибровка токового выхода"));
        QCOMPARE(f.window(slot).SB.panelText(0), QStringLiteral("Стоп калибровки: Ок"));
    }

    void whileRunning()
    {
        SlotsFixture f;
        QList<int> progress;
        f.duringPoint = [&](int point, int answer) {
            if (point != 1 || answer != 3)
                return;
            QVERIFY(f.slotWindow->calibrating());
            QCOMPARE(f.calibrationButton(0).caption(), QStringLiteral("Идет калибровка..."));
            QVERIFY(!f.window(0).btnStart.isEnabled());
            QVERIFY(f.window(0).BtnStop.isVisible());
            progress.append(f.window(0).pb.position());
            // Started with its window hidden; the button pressed again shows it.
            QVERIFY(!f.window(0).isVisible());
            f.calibrationButton(0).click();
            QVERIFY(f.window(0).isVisible());
        };
        f.calibrate(0);
        QCOMPARE(progress, QList<int>{2});  // two seconds counted before the third read's tick
        QCOMPARE(f.sent(startQid(0)).size(), 1);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void stopAtTheSecondPoint()
    {
        SlotsFixture f;
        f.currents = {0.1, 4.05, 5, 20};
        f.duringPoint = [&](int point, int answer) {
            if (point == 1 && answer == 3)
                f.window(0).BtnStop.click();
        };
        f.calibrate(0);
        QCOMPARE(f.sent(stopQid(0)).size(), 1);
        QCOMPARE(f.pointsWritten(0), QList<int>({0, 1}));
        QCOMPARE(f.tableWrites(), 0);
        QVERIFY(f.dialogs.messages.isEmpty());
        auto& w = f.window(0);
        QCOMPARE(w.EdtTok0.text(), QStringLiteral("0.1"));
        QCOMPARE(w.EdtTok4.text(), QStringLiteral("4.05"));
        QCOMPARE(w.EdtTok5.text(), QString());
        QCOMPARE(w.EdtTok20.text(), QString());
        QVERIFY(!f.slotWindow->calibrating());
        QVERIFY(w.btnStart.isEnabled());
        QVERIFY(!w.Timer.isRunning());
        QCOMPARE(f.calibrationButton(0).caption(), QStringLiteral("Калибровка токового выхода"));

        // Readings after the stop are no calibration's.
        f.slotWindow->TokIpt(12);
        QCOMPARE(w.EdtTok5.text(), QString());
        QCOMPARE(f.slotWindow->calibration(0).TokIpt(), double(4.05f));
    }

    void refusedWithoutTheLines_data()
    {
        QTest::addColumn<bool>("meterConnected");
        QTest::addColumn<bool>("benchConnected");
        QTest::addColumn<int>("iptAdr");
        QTest::addColumn<QString>("message");
        QTest::newRow("meter line closed") << false << true << int(kIptAdr) << "Не подключен прибор!";
        QTest::newRow("bench line closed") << true << false << int(kIptAdr) << "Не подключен ИПТ!";
        QTest::newRow("current meter not found") << true << true << 0 << "Модуль ИПТ не обнаружен: выполните «Проверка связи»";
    }
    void refusedWithoutTheLines()
    {
        QFETCH(bool, meterConnected);
        QFETCH(bool, benchConnected);
        QFETCH(int, iptAdr);
        SlotsFixture f;
        f.ctx.meter.connected = meterConnected;
        f.ctx.bench.connected = benchConnected;
        f.ctx.modules.IptModule.Adr = quint8(iptAdr);
        f.window(0).btnStart.click();
        QTEST(f.dialogs.lastMessage(), "message");
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.meterServer.requests.isEmpty());
        QVERIFY(!f.slotWindow->calibrating());
    }

    void rejectedCommands_data()
    {
        QTest::addColumn<int>("failingQid");
        QTest::addColumn<QStringList>("message");
        QTest::addColumn<int>("pointWrites");
        QTest::addColumn<int>("stopWrites");
        QTest::addColumn<int>("tableWrites");
        QTest::addColumn<QString>("slotButton");
        // The meter may have started its calibration: the button keeps saying so.
        QTest::newRow("start") << 29 << QStringList{"Не удалось записать команду START"} << 0 << 0 << 0 << "Идет калибровка...";
        QTest::newRow("point") << 31 << QStringList{"Не удалось записать измеряемый ток!"} << 1 << 1 << 0 << "Калибровка токового выхода";
        QTest::newRow("stop") << -29 << QStringList{"Не удалось записать команду STOP"} << 4 << 1 << 4 << "Калибровка токового выхода";
    }
    void rejectedCommands()
    {
        QFETCH(int, failingQid);
        SlotsFixture f;
        f.meterResults[failingQid] = comm::ResultDeviceFailure;
        f.calibrate(0);
        QTEST(f.dialogs.messages, "message");
        QTEST(int(f.sent(pointQid(0)).size()), "pointWrites");
        QTEST(int(f.sent(stopQid(0)).size()), "stopWrites");
        QTEST(f.tableWrites(), "tableWrites");
        QTEST(f.calibrationButton(0).caption(), "slotButton");
        QVERIFY(!f.slotWindow->calibrating());
        QVERIFY(f.window(0).btnStart.isEnabled());
    }

    void rejectedTableWriteShowsInItsRow()
    {
        SlotsFixture f;
        f.meterResults[tableQid(1, 1)] = comm::ResultIllegalAddress;
        f.calibrate(1);
        QVERIFY(f.dialogs.messages.isEmpty());
        const auto status = f.window(1).status();
        QCOMPARE(status[0]->caption(), QStringLiteral("Записано"));
        QCOMPARE(status[1]->caption(), QStringLiteral("Недопустимый адрес данных"));
        QCOMPARE(status[3]->caption(), QStringLiteral("Записано"));
        QCOMPARE(f.sent(stopQid(1)).size(), 1);
    }

    void peripheryComesBack_data()
    {
        QTest::addColumn<bool>("slotsOpened");
        QTest::addColumn<bool>("calibrated");  // the second slot's calibration button pressed
        QTest::newRow("never opened") << false << false;
        QTest::newRow("slot window") << true << false;
        QTest::newRow("slot window and a calibration") << true << true;
    }
    // The multi-channel window shown again brings back the windows opened before, and only them.
    void peripheryComesBack()
    {
        QFETCH(bool, slotsOpened);
        QFETCH(bool, calibrated);
        SlotsFixture f;
        if (calibrated)
            f.calibrate(1);
        else if (slotsOpened)
            f.openAndRead();
        f.slotWindow->hidePeriphery();
        QVERIFY(!f.slotWindow->form.isVisible());
        QVERIFY(!f.window(1).isVisible());
        f.meterServer.requests.clear();

        f.slotWindow->showPeriphery();
        QCOMPARE(f.slotWindow->form.isVisible(), slotsOpened);
        QCOMPARE(f.window(1).isVisible(), calibrated);
        QVERIFY(!f.window(0).isVisible());  // never opened
        QVERIFY(f.meterServer.requests.isEmpty());
    }

    void calibrationWindowCaptions()
    {
        SlotsFixture f;
        QCOMPARE(f.window(0).caption(), QStringLiteral("Первый слот"));
        QCOMPARE(f.window(1).caption(), QStringLiteral("Второй слот"));
        QCOMPARE(f.window(1).Label5.caption(),
                 QStringLiteral("Подключите токовый выход 2\rк выбранному каналу ИПТ\rи нажмите 'СТАРТ КАЛИБРОВКИ'"));
    }

    void positionsAreKept()
    {
        SlotsFixture f;
        f.slotWindow.reset();
        f.ctx.meter.routes = comm::RouteTable();
        {
            settings::IniFile ini(settings::ztaIniPath());
            ini.writeInteger("FormKs1", "left", 40);
            ini.writeInteger("FormKs1", "top", 50);
            ini.writeInteger("KsCalibTokForm1", "left", 60);
            ini.writeInteger("KsCalibTokForm1", "top", 5000);  // beyond the screen
        }
        f.open();
        QCOMPARE(f.slotWindow->form.geometry().topLeft(), QPoint(40, 50));
        const QRect centred = f.window(1).geometry();
        QCOMPARE(centred.left(), (f.dialogs.screen.width() - centred.width()) / 2);

        f.slotWindow->form.setPosition(11, 12);
        f.window(0).setPosition(13, 14);
        f.slotWindow.reset();
        const settings::IniFile ini(settings::ztaIniPath());
        QCOMPARE(ini.readInteger("FormKs1", "left", -1), 11);
        QCOMPARE(ini.readInteger("FormKs1", "top", -1), 12);
        QCOMPARE(ini.readInteger("KsCalibTokForm0", "left", -1), 13);
        QCOMPARE(ini.readInteger("KsCalibTokForm0", "top", -1), 14);
    }
};

QTEST_MAIN(TstSlots)
#include "tst_slots.moc"
