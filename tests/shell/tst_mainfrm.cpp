// The main window's start-up, its own settings and its small gestures.
#include "../support/MainFixture.h"

#include <QTest>


constexpr int kNoKey = -100;  // the file lacks the key

class TstMainFrm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithoutSettingsFile()
    {
        test::MainFixture f;
        auto& m = f.main;
        auto& sg = m->form.config.sg;
        QCOMPARE(m->form.caption(), QString("Монитор Тервало ЗТА-01"));
        QCOMPARE(m->form.geometry().height(), 556);
        QCOMPARE(sg.cell(0, 0), QString("Модуль"));
        QCOMPARE(sg.cell(3, 0), QString("Цифр.идент.ПО"));
        QCOMPARE(sg.cell(0, 1), QString("Модуль имитации расхода   (ИМР)"));
        QCOMPARE(sg.cell(0, 1).size(), 31);
        for (int row = 1; row <= 3; ++row)
            QCOMPARE(sg.cell(1, row), QString("?"));
        QCOMPARE(m->form.config.cbxprib.itemIndex(), -1);
        QCOMPARE(m->ctx.PriborType, -1);
        QVERIFY(!m->ctx.OldBench);
        QVERIFY(m->form.config.BtnConnect1.isEnabled());
        QVERIFY(!m->form.config.BtnSetup.isVisible());
        QCOMPARE(m->form.pc.activePage(), &m->form.config.TsConfig);
        QCOMPARE(m->form.StatusBar.panelText(1), QString("Состояние:"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void tabsOfTheFirstLayout()
    {
        test::MainFixture f;
        auto& m = f.main;
        auto& w = m->form;
        for (const ui::Page* p : {&w.imitQ.TSImitQ, &w.imitV.TSImitV, &w.protocol.TS4})
            QVERIFY2(p->isTabVisible(), qPrintable(p->name()));
        for (const ui::Page* p : {&w.poverV.TSPoverV, &w.poverQ.TSPoverQ, &w.imr.TSImr,
                                  &w.ipt.TSIpt, &w.usi.TsUSI, &w.ipt2.tsIPT2})
            QVERIFY2(!p->isTabVisible(), qPrintable(p->name()));
        QCOMPARE(w.iptGroup.GBIpt.parentControl(), &w.imitQ.TSImitQ);
        QCOMPARE(w.usiGroup.GbUsi.parentControl(), &w.imitV.TSImitV);
    }

    void storedAddressesAndMeterTypeApply_data()
    {
        QTest::addColumn<int>("pribors");
        QTest::addColumn<int>("expectedType");
        QTest::newRow("type 5") << 5 << 5;
        QTest::newRow("type 0") << 0 << 0;
        QTest::newRow("not an index of the list") << 9 << -1;
        QTest::newRow("negative") << -2 << -1;
        QTest::newRow("key missing: entry 0") << kNoKey << 0;
    }
    void storedAddressesAndMeterTypeApply()
    {
        QFETCH(int, pribors);
        QFETCH(int, expectedType);
        test::MainFixture f([&](settings::IniFile& ini) {
            ini.writeInteger("ZTA Address", "IMR", 4);
            ini.writeInteger("ZTA Address", "USI", 0);
            ini.writeInteger("ZTA Address", "IPT", 300);  // only the low byte is an address
            if (pribors != kNoKey)
                ini.writeInteger("ZTA Address", "Pribors", pribors);
        });
        auto& m = f.main;
        QCOMPARE(int(m->ctx.modules.ImrModule.Adr), 4);
        QCOMPARE(int(m->ctx.modules.IptModule.Adr), 44);
        QCOMPARE(m->form.config.sg.cell(1, 1), QString("4"));
        QCOMPARE(m->form.config.sg.cell(1, 2), QString("?"));
        QCOMPARE(m->form.config.sg.cell(1, 3), QString("44"));
        QCOMPARE(m->ctx.PriborType, expectedType);
        QCOMPARE(m->form.config.cbxprib.itemIndex(), expectedType);
    }

    void positionIsStoredAtExitAndRestored()
    {
        test::MainFixture f;
        f.main->form.setPosition(30, 40);
        f.main->form.config.cbxprib.select(3);
        f.restart();
        QCOMPARE(f.ini().readInteger("Form", "left", 0), 30);
        QCOMPARE(f.ini().readInteger("Form", "top", 0), 40);
        QCOMPARE(f.ini().readInteger("ZTA Address", "Pribors", -1), 3);
        QCOMPARE(f.main->form.geometry().topLeft(), QPoint(30, 40));
        QCOMPARE(f.main->ctx.PriborType, 3);
    }

    void noSelectionLeavesTheStoredTypeAlone()
    {
        test::MainFixture f([](settings::IniFile& ini) {
            ini.writeInteger("ZTA Address", "Pribors", 9);  // no entry of that index
        });
        f.main.reset();
        QCOMPARE(f.ini().readInteger("ZTA Address", "Pribors", -1), 9);
    }

    void positionBeyondTheScreenIsCentred()
    {
        test::MainFixture f;
        f.main.reset();  // a closing window would store its own position
        f.ini().writeInteger("Form", "left", 5000);
        f.dialogs.screen = QSize(1000, 800);
        f.restart();
        auto& m = f.main;
        QCOMPARE(m->form.left(), (1000 - m->form.geometry().width()) / 2);
        QCOMPARE(m->form.top(), (800 - 556) / 2);
    }

    void heightToggleShowsTheAutomatonState()
    {
        test::MainFixture f;
        auto& m = f.main;
        m->form.config.SpeedButton1.click();
        QCOMPARE(m->form.geometry().height(), 620);
        QVERIFY(m->form.Label84.isVisible());
        QCOMPARE(m->form.SB.geometry().bottom() + 1, 620);
        m->form.config.SpeedButton1.click();
        QCOMPARE(m->form.geometry().height(), 556);
        QVERIFY(!m->form.Label84.isVisible());
    }

    void shiftClickOnTheStatusStripAsksForTheOldBench_data()
    {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("oldBench");
        QTest::newRow("shift, yes") << true << true << true << true;
        QTest::newRow("shift, no") << true << false << true << false;
        QTest::newRow("no shift") << false << true << false << false;
    }
    void shiftClickOnTheStatusStripAsksForTheOldBench()
    {
        QFETCH(bool, shift);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, oldBench);
        test::MainFixture f;
        auto& m = f.main;
        f.dialogs.answers = {answer};
        m->form.StatusBar.mouseDown(Qt::RightButton, shift);
        QCOMPARE(!f.dialogs.questions.isEmpty(), asked);
        if (asked)
            QCOMPARE(f.dialogs.questions.last(), QString("Вы работаете со старым ЗТА?"));
        QCOMPARE(m->ctx.OldBench, oldBench);
    }

    void aboutBoxShowsTheVersion()
    {
        test::MainFixture f;
        auto& m = f.main;
        QString version;
        f.dialogs.onModal = [&](ui::Form& box) {
            version = box.find("Version")->caption();
            static_cast<ui::Button*>(box.find("OKButton"))->click();
        };
        m->form.N9.click();
        QCOMPARE(f.dialogs.modalShown, QStringList{"AboutBox"});
        QVERIFY2(version.startsWith("Версия: 1.0.0.0"), qPrintable(version));
    }
};

QTEST_GUILESS_MAIN(TstMainFrm)
#include "tst_mainfrm.moc"
