// The channel dialog: the port list, what it shows for a line and what "Да" stores.
#include "../support/ScriptedDialogs.h"
#include "shell/lines/CanalFrm.h"
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/SettingsLocation.h"

#include <QTemporaryDir>
#include <QTest>

struct CanalFixture {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QStringList ports;
    shell::TCanalFrm canal{[this] {
        QStringList sorted = ports;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }};
    CanalFixture() { settings::setSettingsDirectory(dir.path()); }
    settings::IniFile ini() const { return settings::IniFile(settings::ztaIniPath()); }
    void openFor(const QString& section)
    {
        canal.TitleP = section;
        canal.toggle();
    }
};

class TstCanalFrm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void portListOrderAndSelection_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("selected");
        QTest::newRow("stored port present") << QStringList{"COM4", "COM1", "COM3"} << "COM3"
                                             << QStringList{"COM1", "COM3", "COM4"} << 1;
        QTest::newRow("sorted as text") << QStringList{"COM2", "COM10"} << "COM2" << QStringList{"COM10", "COM2"} << 1;
        QTest::newRow("stored port absent") << QStringList{"COM1", "COM3"} << "COM7" << QStringList{"COM1", "COM3"} << -1;
        QTest::newRow("device paths") << QStringList{"/tmp/zta-sim/meter", "/dev/ttyS0", "/tmp/zta-sim/bench"}
                                      << "/tmp/zta-sim/bench"
                                      << QStringList{"/dev/ttyS0", "/tmp/zta-sim/bench", "/tmp/zta-sim/meter"} << 1;
        QTest::newRow("COM1 is the first serial device") << QStringList{"/dev/ttyS0", "/dev/ttyS1"} << "COM2"
                                                         << QStringList{"/dev/ttyS0", "/dev/ttyS1"} << 1;
        QTest::newRow("no ports") << QStringList{} << "COM1" << QStringList{} << -1;
    }
    void portListOrderAndSelection()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, stored);
        QFETCH(QStringList, shown);
        QFETCH(int, selected);
        CanalFixture f;
        f.ports = ports;
        f.ini().writeString("ZTA", "Comm Port", stored);
        f.openFor("ZTA");
        QCOMPARE(f.canal.form.cbxPort.items(), shown);
        QCOMPARE(f.canal.form.cbxPort.itemIndex(), selected);
        QCOMPARE(f.canal.ComPortsArray.size(), shown.size());
    }

    void showsTheSectionOfItsLine()
    {
        CanalFixture f;
        f.ports = {"COM1", "COM2"};
        settings::ChannelSettings s;
        s.port = "COM2";
        s.speedIndex = 3;
        s.linkType = 0;
        s.interval = 12;
        s.answerDelay = 700;
        s.retries = 3;
        auto ini = f.ini();
        s.write(ini, "PRIBOR");
        f.canal.enableLinkChoice();
        f.openFor("Pribor");
        auto& d = f.canal.form;
        QCOMPARE(d.cbxPort.text(), QString("COM2"));
        QCOMPARE(d.rgrCSpeed.itemIndex(), 3);
        QCOMPARE(d.RgrLink.itemIndex(), 0);
        QCOMPARE(d.edtInterval.text(), QString("12"));
        QCOMPARE(d.edtAnsDel.text(), QString("700"));
        QCOMPARE(d.UDRet.position(), 3);
        QCOMPARE(d.edtRet.text(), QString("3"));
        QVERIFY(f.canal.flagsh);
    }

    void benchDialogOffersRs485UntilTheMeterDialogWasOpened()
    {
        CanalFixture f;
        f.ports = {"COM1"};
        f.ini().writeInteger("ZTA", "Link Type", 0);
        f.canal.presetLinkType(1);
        f.openFor("ZTA");
        QVERIFY(!f.canal.form.RgrLink.isEnabled());
        QCOMPARE(f.canal.form.RgrLink.itemIndex(), 1);
        f.canal.form.btnUse.click();
        QCOMPARE(f.ini().readInteger("ZTA", "Link Type", -1), 1);
    }

    void useStoresAllSixSettings()
    {
        CanalFixture f;
        f.ports = {"COM1", "COM5"};
        f.openFor("ZTA");
        auto& d = f.canal.form;
        d.cbxPort.select(1);
        d.rgrCSpeed.select(4);
        d.edtInterval.setText("15");
        d.edtAnsDel.setText("900");
        d.edtRet.setText("4");
        d.btnUse.click();
        QVERIFY(!d.isVisible());
        const auto s = settings::ChannelSettings::read(f.ini(), "ZTA");
        QCOMPARE(s.port, QString("COM5"));
        QCOMPARE(s.speedIndex, 4);
        QCOMPARE(s.interval, 15);
        QCOMPARE(s.answerDelay, 900);
        QCOMPARE(s.retries, 4);
        QCOMPARE(f.canal.varCSpeed, 4);
        QCOMPARE(f.canal.VarCPort, QString("COM5"));
    }

    void useRefusesWhatCannotBeStored_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<bool>("portSelected");
        QTest::addColumn<QString>("message");
        QTest::newRow("interval with a separator") << "1.5" << "500" << true << "«1.5» не является целым числом";
        QTest::newRow("delay with letters") << "20" << "abc" << true << "«abc» не является целым числом";
        QTest::newRow("no port selected") << "20" << "500" << false << "Не выбран COM порт. Выберите порт из списка.";
    }
    void useRefusesWhatCannotBeStored()
    {
        QFETCH(QString, interval);
        QFETCH(QString, delay);
        QFETCH(bool, portSelected);
        QFETCH(QString, message);
        CanalFixture f;
        f.ports = {"COM1"};
        f.openFor("ZTA");
        auto& d = f.canal.form;
        d.edtInterval.setText(interval);
        d.edtAnsDel.setText(delay);
        if (!portSelected)
            d.cbxPort.setItemIndex(-1);
        d.btnUse.click();
        QCOMPARE(f.dialogs.lastMessage(), message);
        QVERIFY(d.isVisible());
        QVERIFY(!f.ini().exists());
    }

    void useWritesTheSectionItWasOpenedFor()
    {
        CanalFixture f;
        f.ports = {"COM1", "COM2", "COM3"};
        f.ini().writeString("PRIBOR", "Comm Port", "COM3");
        f.openFor("ZTA");
        f.canal.form.cbxPort.select(1);
        // The meter line connects while the dialog is open: its settings become current.
        f.canal.TitleP = "PRIBOR";
        f.canal.readSettings();
        f.canal.form.btnUse.click();
        QCOMPARE(f.ini().readString("ZTA", "Comm Port", ""), QString("COM2"));
        QCOMPARE(f.ini().readString("PRIBOR", "Comm Port", ""), QString("COM3"));
        QCOMPARE(f.canal.TitleP, QString("ZTA"));
    }

    void cancelStoresNothingAndTheNextShowReadsAgain()
    {
        CanalFixture f;
        f.ports = {"COM1"};
        f.openFor("ZTA");
        f.canal.form.edtAnsDel.setText("1234");
        f.canal.form.btnCancel.click();
        QVERIFY(!f.canal.flagsh);
        QVERIFY(!f.ini().exists());
        f.openFor("ZTA");
        QCOMPARE(f.canal.form.edtAnsDel.text(), QString("500"));
        f.canal.form.close();  // the close box hides it too
        QVERIFY(!f.canal.flagsh);
    }

    void keyFiltersOfTheFields()
    {
        CanalFixture f;
        auto& d = f.canal.form;
        d.edtAnsDel.setText("");
        d.edtAnsDel.typeText("5x0,");
        QCOMPARE(d.edtAnsDel.text(), QString("50"));
        d.edtInterval.setText("");
        d.edtInterval.typeText("1ж,5");
        QVERIFY(d.edtInterval.text() == "1.5" || d.edtInterval.text() == "1,5");
    }
};

QTEST_GUILESS_MAIN(TstCanalFrm)
#include "tst_canalfrm.moc"
