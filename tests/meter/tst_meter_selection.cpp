// Choosing the meter type, the target task's page layouts, and the meter line's polling and
// answers as the main window handles them.
#include "../support/MainFixture.h"

#include "link/DataType.h"
#include "link/Result.h"
#include "shell/input/NumberFormat.h"

#include <QTest>

namespace {

enum Pages { ImitV, ImitQ, PoverV, PoverQ, Imr, Ipt, Ipt2, Usi, PageCount };

QList<ui::Page*> optionalPages(ui::forms::MainForm& f)
{
    return {&f.imitV.TSImitV, &f.poverQ.TSPoverQ, &f.poverV.TSPoverV, &f.imitQ.TSImitQ,
            &f.imr.TSImr,     &f.ipt.TSIpt,       &f.ipt2.tsIPT2,     &f.usi.TsUSI,
            &f.protocol.TS4};
}

// The layouts as the operator sees them: the optional pages shown and where the groups sit.
void verifyLayout(ui::forms::MainForm& f, int layout)
{
    const QList<ui::Page*> all = optionalPages(f);
    struct Place {
        ui::Control* page;
        int top;
    };
    QList<ui::Page*> shown;
    Place ipt{nullptr, 0};
    Place usi{nullptr, 0};
    switch (layout) {
    case 0:
        shown = {&f.imitV.TSImitV, &f.imitQ.TSImitQ, &f.protocol.TS4};
        ipt = {&f.imitQ.TSImitQ, 253};
        usi = {&f.imitV.TSImitV, 201};
        break;
    case 1:
        shown = {&f.poverQ.TSPoverQ, &f.poverV.TSPoverV, &f.ipt.TSIpt, &f.usi.TsUSI};
        usi = {&f.usi.TsUSI, 10};
        break;
    case 2:
        shown = {&f.imr.TSImr, &f.ipt2.tsIPT2};
        ipt = {&f.ipt2.tsIPT2, 8};
        usi = {&f.ipt2.tsIPT2, 264};
        break;
    }
    for (ui::Page* p : all)
        QVERIFY2(p->isTabVisible() == shown.contains(p), qPrintable(p->name()));
    QVERIFY(f.config.TsConfig.isTabVisible());
    QCOMPARE(f.usiGroup.GbUsi.parentControl(), usi.page);
    QCOMPARE(f.usiGroup.GbUsi.geometry().top(), usi.top);
    if (ipt.page) {
        QCOMPARE(f.iptGroup.GBIpt.parentControl(), ipt.page);
        QCOMPARE(f.iptGroup.GBIpt.geometry().top(), ipt.top);
    } else {
        // The current group is on no page that is shown.
        auto* page = static_cast<ui::Page*>(f.iptGroup.GBIpt.parentControl());
        QVERIFY(!page->isTabVisible());
    }
}

QString describe(const comm::Request& r)
{
    static const char* const ops[] = {"holding", "input", "coils", "write", "coil", "name"};
    QString s = QStringLiteral("%1 %2 %3").arg(r.qid).arg(ops[int(r.op)]).arg(r.reg);
    if (r.op == comm::Request::Op::WriteCoil || r.op == comm::Request::Op::WriteRegisters)
        s += " := " + r.value.toString();
    else
        s += QStringLiteral(" %1x%2").arg(int(r.type)).arg(r.count);
    return s + QStringLiteral(" /%1").arg(r.period);
}

struct Window : test::MainFixture {
    using MainFixture::MainFixture;
    void chooseType(int index) { form().config.cbxprib.select(index); }
    // Opens "Настройка..." and picks a target task, confirming or cancelling.
    void chooseTask(int entry, bool confirm)
    {
        dialogs.onModal = [=](ui::Form& dialog) {
            auto& sys = static_cast<ui::forms::SysForm&>(dialog);
            sys.cbAim.select(entry);
            (confirm ? sys.btnUse : sys.btnCansel).click();
        };
        form().config.BBnTarger.click();
        dialogs.onModal = {};
    }
    void answerMeter(int qid, const QVariant& value, int result = 0, int address = 1)
    {
        meter->answer(qid, value, result, address, true);
    }
};

}  // namespace

class TstMeterSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void meterType_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<int>>("registers");  // RegAc, RegQ, RegV
        QTest::addColumn<int>("interByte");
        QTest::addColumn<QString>("edtac");
        QTest::addColumn<int>("autoCirc");
        QTest::addColumn<bool>("restarts");
        QTest::addColumn<bool>("setupShown");
        QTest::newRow("0 ДТК-300Т") << 0 << QList<int>{-1, 0, 2} << 1 << "256" << 256 << true << false;
        QTest::newRow("1 ЛК портативный") << 1 << QList<int>{112, 127, 170} << 1 << "???" << 0 << true << false;
        QTest::newRow("2 КС 030/060") << 2 << QList<int>{0, -1, -1} << 10 << "???" << 256 << false << true;
        QTest::newRow("3 ЛК переносной") << 3 << QList<int>{0, 127, 170} << 1 << "???" << 256 << true << false;
        QTest::newRow("4 ДТК с АРУ") << 4 << QList<int>{-1, 0, 2} << 1 << "256" << 256 << true << false;
        QTest::newRow("5 КС210") << 5 << QList<int>{-1, 0, 2} << 1 << "256" << 256 << true << false;
        QTest::newRow("6 KS") << 6 << QList<int>{16480, 49592, 49600} << 1 << "???" << 256 << false << true;
    }
    void meterType()
    {
        QFETCH(int, index);
        QFETCH(QList<int>, registers);
        QFETCH(int, interByte);
        QFETCH(QString, edtac);
        QFETCH(int, autoCirc);
        QFETCH(bool, restarts);
        QFETCH(bool, setupShown);
        Window w;
        auto& cfg = w.form().config;
        w.meter->reportConnected(true);
        w.chooseType(index == 2 ? 0 : 2);  // from another type, whose inter-byte interval differs
        cfg.BtnConnect1.setEnabled(false);
        const int restartsBefore = w.meter->freePeriodicCalls;

        w.chooseType(index);
        const meter::TPribor& p = w.main->ctx.Pribor;
        QCOMPARE((QList<int>{p.RegAc, p.RegQ, p.RegV}), registers);
        QCOMPARE(w.main->ctx.PriborType, index);
        QCOMPARE(w.main->MBCM->InterByte(), interByte);
        QCOMPARE(w.main->MBCM1->InterByte(), 20);
        QCOMPARE(cfg.edtac.text(), edtac);
        QCOMPARE(w.main->ctx.state.values.AutoCircCount, autoCirc);
        QCOMPARE(w.meter->freePeriodicCalls - restartsBefore, restarts ? 1 : 0);
        QCOMPARE(cfg.BtnSetup.isVisible(), setupShown);
        QVERIFY(cfg.BtnConnect1.isEnabled());
        QCOMPARE(cfg.BtnCount1.isEnabled(), registers[0] != -1);
    }

    void typeWindowHidesWhenSwitchingAway_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("single window, 2 to 0") << 2 << 0;
        QTest::newRow("single window, 2 to 6") << 2 << 6;
        QTest::newRow("multi-channel, 6 to 1") << 6 << 1;
        QTest::newRow("multi-channel, 6 to 2") << 6 << 2;
    }
    void typeWindowHidesWhenSwitchingAway()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        Window w;
        w.meter->reportConnected(true);
        w.chooseType(from);
        w.form().config.BtnSetup.click();
        auto& windows = w.main->meterWindows;
        ui::Form* window = from == 2 ? static_cast<ui::Form*>(windows.single()) : windows.multi();
        QVERIFY(window->isVisible());
        w.chooseType(to);
        QVERIFY(!window->isVisible());
    }

    void startup_data()
    {
        QTest::addColumn<int>("stored");  // -2: no key
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("regQ");
        QTest::newRow("nothing stored") << -2 << -1 << 0;
        QTest::newRow("no selection stored") << -1 << -1 << 0;
        QTest::newRow("multi-channel stored") << 6 << 6 << 49592;
    }
    void startup()
    {
        QFETCH(int, stored);
        QFETCH(int, type);
        QFETCH(int, regQ);
        Window w([&](settings::IniFile& ini) {
            if (stored != -2)
                ini.writeInteger("ZTA Address", "Pribors", stored);
        });
        auto& cfg = w.form().config;
        QCOMPARE(w.main->ctx.PriborType, type);
        QCOMPARE(cfg.cbxprib.itemIndex(), type);
        QCOMPARE(w.main->ctx.Pribor.RegQ, regQ);
        QCOMPARE(cfg.BtnSetup.isVisible(), type == 6);
        QVERIFY(cfg.BtnConnect1.isEnabled());
        QVERIFY(!w.main->meterWindows.single()->isVisible());
        QVERIFY(!w.main->meterWindows.multi()->isVisible());
        QVERIFY(w.meter->requests.isEmpty());
    }

    void targetTask_data()
    {
        QTest::addColumn<int>("before");  // task chosen first; -1: none
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("task");
        QTest::addColumn<int>("autoCirc");
        const int typeDefault = 256;
        QTest::newRow("bench check") << -1 << 1 << true << 1 << 255;
        QTest::newRow("bench check cancelled") << -1 << 1 << false << 0 << typeDefault;
        QTest::newRow("current entry confirmed") << -1 << 0 << true << 0 << typeDefault;
        QTest::newRow("back to meters") << 1 << 0 << true << 0 << typeDefault;
        QTest::newRow("bench check again") << 1 << 1 << true << 1 << 255;
        QTest::newRow("cancelled in bench check") << 1 << 0 << false << 1 << 255;
    }
    void targetTask()
    {
        QFETCH(int, before);
        QFETCH(int, entry);
        QFETCH(bool, confirm);
        QFETCH(int, task);
        QFETCH(int, autoCirc);
        const QStringList entries{"Поверка ультразвуковых расходомеров", "Поверка ЗТА"};
        Window w;
        auto& f = w.form();
        verifyLayout(f, 0);
        w.chooseType(0);
        if (before >= 0)
            w.chooseTask(before, true);
        w.main->ctx.state.values.AutoCircCount = 7;
        f.config.Label28.setCaption(QString());

        w.chooseTask(entry, confirm);
        QCOMPARE(w.dialogs.modalShown.last(), w.main->SysFrm.form.name());
        QVERIFY(!w.main->SysFrm.form.isVisible());
        QVERIFY(!w.main->SysFrm.flagSh);
        QCOMPARE(w.main->ctx.TargetTask, task);
        QCOMPARE(f.config.Label28.caption(), entries[task]);
        QCOMPARE(f.config.GbPrib.isVisible(), task == 0);
        QCOMPARE(w.main->ctx.state.values.AutoCircCount, autoCirc);
        verifyLayout(f, task);
    }

    void servicePages()
    {
        Window w;
        auto& f = w.form();
        w.chooseType(0);
        f.mnuServicePages.click();
        verifyLayout(f, 2);
        QVERIFY(!f.config.GbPrib.isVisible());
        QCOMPARE(w.main->ctx.state.values.AutoCircCount, 255);
        QCOMPARE(f.pc.activePage(), &f.imr.TSImr);
        w.chooseTask(0, true);
        verifyLayout(f, 0);
        QVERIFY(f.config.GbPrib.isVisible());
    }

    void polling_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("lineUp");
        QTest::addColumn<QStringList>("requests");
        const QString coil = "-5 coil 2 := false /0";
        QTest::newRow("type 0") << 0 << true
                                << QStringList{"2 holding 2 4x1 /1000", "4 holding 0 4x1 /1000", coil};
        QTest::newRow("type 1") << 1 << true
                                << QStringList{"2 holding 170 4x1 /1000", "4 holding 127 4x1 /1000", coil};
        QTest::newRow("type 2 before a channel") << 2 << true << QStringList{"15 holding 254 18x2 /2000", coil};
        QTest::newRow("type 6 input registers")
            << 6 << true
            << QStringList{"2 input 49600 4x1 /1000", "4 input 49592 4x1 /1000", "19 input 29 17x1 /1000", coil};
        QTest::newRow("line down") << 0 << false << QStringList{};
    }
    void polling()
    {
        QFETCH(int, type);
        QFETCH(bool, lineUp);
        QFETCH(QStringList, requests);
        Window w;
        w.form().config.edtadrp.setText("7");
        w.form().config.BtnConnect1.click();  // takes the meter address
        w.meter->reportConnected(true);
        w.chooseType(type);
        if (!lineUp)
            w.meter->reportConnected(false);
        w.meter->requests.clear();
        const int freedBefore = w.meter->freePeriodicCalls;

        w.main->meterPolling.restartPolling();
        QStringList sent;
        for (const comm::Request& r : w.meter->requests) {
            sent.append(describe(r));
            QCOMPARE(r.address, 7);
        }
        QCOMPARE(sent, requests);
        QCOMPARE(w.meter->freePeriodicCalls - freedBefore, lineUp ? 1 : 0);
    }

    void autocirculationAnswer_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("edtac");
        QTest::addColumn<int>("autoCirc");
        QTest::newRow("multi-channel shows one less") << 6 << 0 << "255" << 256;
        QTest::newRow("other types show the value") << 3 << 0 << "256" << 256;
        QTest::newRow("failure") << 6 << int(comm::ResultCrc) << comm::resultText(comm::ResultCrc) << 77;
    }
    void autocirculationAnswer()
    {
        QFETCH(int, type);
        QFETCH(int, result);
        QFETCH(QString, edtac);
        QFETCH(int, autoCirc);
        Window w;
        w.chooseType(type);
        w.main->ctx.state.values.AutoCircCount = 77;
        w.answerMeter(3, comm::u16(256), result);
        QCOMPARE(w.form().config.edtac.text(), edtac);
        QCOMPARE(w.main->ctx.state.values.AutoCircCount, autoCirc);
    }

    void linkCheck_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("address");
        QTest::newRow("answered") << 0 << "ДТК-300Т" << 9;
        QTest::newRow("failed") << int(comm::ResultNoAnswer) << comm::resultText(comm::ResultNoAnswer) << 5;
    }
    void linkCheck()
    {
        QFETCH(int, result);
        QFETCH(QString, name);
        QFETCH(int, address);
        Window w;
        auto& cfg = w.form().config;
        w.meter->reportConnected(true);
        w.chooseType(2);
        cfg.Edit4.setText("old");
        cfg.edtadrp.setText("5");
        cfg.BitBtn7.click();
        QCOMPARE(cfg.Edit4.text(), QString());
        QVERIFY(!cfg.BitBtn7.isEnabled());
        QVERIFY(!cfg.BtnSetup.isEnabled());
        const comm::Request* r = w.meter->last(1);
        QVERIFY(r);
        QCOMPARE(r->op, comm::Request::Op::DeviceName);
        QCOMPARE(r->address, 5);

        w.answerMeter(1, name, result, 9);
        QVERIFY(cfg.BitBtn7.isEnabled());
        QVERIFY(cfg.BtnSetup.isEnabled());
        QCOMPARE(cfg.Edit4.text(), name);
        QCOMPARE(int(w.main->ctx.modules.MeterModule.Adr), address);
    }

    void readings_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("measured");  // what the statistics window gets
        QTest::newRow("flow") << 4 << 0 << "EdtRashQ1" << "12.346" << double(12.34567f);
        QTest::newRow("flow failed") << 4 << int(comm::ResultCrc) << "EdtRashQ1" << comm::resultText(comm::ResultCrc)
                                     << 0.0;
        QTest::newRow("volume") << 2 << 0 << "edtnabor" << "12.3457" << double(12.34567f);
        QTest::newRow("volume failed") << 2 << int(comm::ResultCrc) << "edtnabor" << "Ошибка" << 0.0;
    }
    void readings()
    {
        QFETCH(int, qid);
        QFETCH(int, result);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(double, measured);
        Window w;
        w.chooseType(0);
        w.answerMeter(qid, comm::f32(12.34567f), result);
        QCOMPARE(w.form().find(field)->caption(), text);
        const auto& calc = w.main->calcFrm;
        QCOMPARE(qid == 4 ? calc.QIzm() : calc.VIzm(), measured);
    }
};

QTEST_GUILESS_MAIN(TstMeterSelection)
#include "tst_meter_selection.moc"
