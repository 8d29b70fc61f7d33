// The two line connections and how the main window follows them.
#include "../support/FakeComMaster.h"
#include "../support/ScriptedDialogs.h"
#include "shell/lines/CanalFrm.h"
#include "shell/lines/LinkConnections.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QTemporaryDir>
#include <QTest>

// A fake server whose port can fail the way a real one does: the reason first, then the
// line down.
class FailingComMaster : public test::FakeComMaster {
public:
    void fail(const QString& problem)
    {
        setLinkProblem(problem);
        reportConnected(false);
    }
    void reportConnectedAgain()
    {
        setLinkProblem({});
        reportConnected(true);
    }
};

struct LinesFixture {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    ui::forms::MainForm form;
    shell::TCanalFrm canal{[] { return QStringList{"COM1", "COM3"}; }};
    FailingComMaster bench;
    FailingComMaster meter;
    comm::Line benchLine{bench};
    comm::Line meterLine{meter};
    quint8 meterAddress = 0;
    int pollingRestarts = 0;
    int meterWindowsHidden = 0;
    QList<bool> benchStates;
    shell::LinkConnections links{form, canal, benchLine, meterLine, meterAddress,
                                {[this] { ++meterWindowsHidden; }, [this] { ++pollingRestarts; },
                                 [this](bool on) { benchStates.append(on); }}};

    LinesFixture() { settings::setSettingsDirectory(dir.path()); }
    settings::IniFile ini() const { return settings::IniFile(settings::ztaIniPath()); }
};

class TstConnections : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void benchConnectUsesTheStoredSettings()
    {
        LinesFixture f;
        auto ini = f.ini();
        ini.writeString("ZTA", "Comm Port", "COM3");
        ini.writeInteger("ZTA", "Baud Rate", 4800);
        ini.writeInteger("ZTA", "Link Type", 1);
        ini.writeInteger("ZTA", "Interval", 7);
        ini.writeInteger("ZTA", "Receive Delay", 250);
        ini.writeInteger("ZTA", "Error Retriers", 2);
        f.form.config.BtnConnect.click();
        QCOMPARE(f.bench.connectedRequests, QList<bool>{true});
        QCOMPARE(f.bench.ComPort(), QString("COM3"));
        QCOMPARE(f.bench.ComSpeed(), 4800);
        QCOMPARE(f.bench.LinkType(), 1);
        QCOMPARE(f.bench.InterByte(), 7);
        QCOMPARE(f.bench.AnswerDelay(), 250);
        QCOMPARE(f.bench.Retries(), 2);
        QCOMPARE(f.canal.TitleP, QString("ZTA"));
    }

    void withoutFileTheDefaultsConnect()
    {
        LinesFixture f;
        f.form.ConnectZTA.trigger();  // Ctrl+K
        QCOMPARE(f.bench.ComPort(), QString("COM1"));
        QCOMPARE(f.bench.ComSpeed(), 19200);
        QCOMPARE(f.bench.AnswerDelay(), 500);
        QCOMPARE(f.bench.Retries(), 5);
        QCOMPARE(f.bench.InterByte(), 20);
    }

    void buttonsDoNotChangeTheFlags()
    {
        LinesFixture f;
        f.form.config.BtnConnect.click();
        QVERIFY(!f.links.FServerConnected());
        QCOMPARE(f.form.config.BtnConnect.caption(), QString("Подключиться"));
    }

    void windowFollowsTheBenchLine()
    {
        LinesFixture f;
        auto& c = f.form.config;
        f.bench.reportConnected(true);
        QVERIFY(f.links.FServerConnected());
        QCOMPARE(f.form.StatusBar.panelText(0), QString("Вкл сервер"));
        QCOMPARE(f.form.SB.panelText(0), QString("ZTA on"));
        QCOMPARE(c.BtnConnect.caption(), QString("Отключиться"));
        QVERIFY(c.BitBtn5.isEnabled());
        QVERIFY(c.BtnCount.isEnabled());

        c.BtnConnect.click();
        QCOMPARE(f.bench.connectedRequests.last(), false);
        QVERIFY(!c.BitBtn5.isEnabled());
        QVERIFY(!c.BtnCount.isEnabled());
        QCOMPARE(f.bench.freeAllCalls, 0);  // periodic requests survive a bench disconnect
        f.bench.reportConnected(false);
        QCOMPARE(f.form.StatusBar.panelText(0), QString("Выкл сервер"));
        QCOMPARE(f.form.SB.panelText(0), QString("COM1ZTA off"));
        QCOMPARE(c.BtnConnect.caption(), QString("Подключиться"));
        QVERIFY(!f.benchLine.connected);
        QCOMPARE(f.benchStates, (QList<bool>{true, false}));
    }

    void windowFollowsTheMeterLine()
    {
        LinesFixture f;
        auto& c = f.form.config;
        f.ini().writeString("PRIBOR", "Comm Port", "COM3");
        c.edtadrp.setText("7");
        f.form.CTRLP1.click();
        QCOMPARE(f.meterAddress, quint8(7));
        QCOMPARE(f.meter.DeviceAddres(), 7);
        QCOMPARE(f.meter.ComPort(), QString("COM3"));
        f.meter.reportConnected(true);
        QVERIFY(f.links.FPRiborConnected());
        QCOMPARE(f.form.SB.panelText(0), QString("Pribor on"));
        QCOMPARE(c.BtnConnect1.caption(), QString("Отключиться"));
        QVERIFY(c.BitBtn7.isEnabled());
        QVERIFY(c.BtnSetup.isEnabled());
        QCOMPARE(f.pollingRestarts, 1);

        c.BtnConnect1.click();
        QCOMPARE(f.meterWindowsHidden, 1);
        QCOMPARE(f.meter.freeAllCalls, 1);  // the meter's periodic requests stop first
        QVERIFY(!c.BitBtn7.isEnabled());
        f.meter.reportConnected(false);
        QCOMPARE(f.form.SB.panelText(0), QString("COM3Pribor off"));
        QCOMPARE(c.BtnConnect1.caption(), QString("Подключиться"));
        QCOMPARE(f.pollingRestarts, 1);
    }

    void disconnectTextNamesThePortReadLast()
    {
        LinesFixture f;
        f.ini().writeString("PRIBOR", "Comm Port", "COM4");
        f.bench.reportConnected(true);
        f.form.config.BtnConnect1.click();  // reads the meter line's section
        f.bench.reportConnected(false);
        QCOMPARE(f.form.SB.panelText(0), QString("COM4ZTA off"));
    }

    void meterAddressThatIsNotANumberStopsTheConnect()
    {
        LinesFixture f;
        f.form.config.edtadrp.setText("abc");
        f.form.config.BtnConnect1.click();
        QCOMPARE(f.dialogs.lastMessage(), QString("«abc» не является целым числом"));
        QVERIFY(f.meter.connectedRequests.isEmpty());
    }

    void meterAddressIsTakenAtEachParametersPress()
    {
        LinesFixture f;
        f.form.config.edtadrp.setText("300");
        f.form.config.BBParam.click();
        QCOMPARE(f.meterAddress, quint8(44));  // stored as a byte
        QVERIFY(f.canal.form.isVisible());
        QVERIFY(f.canal.form.RgrLink.isEnabled());
        QCOMPARE(f.canal.TitleP, QString("Pribor"));
    }

    void parametersOfEitherLineHideAnOpenDialog_data()
    {
        QTest::addColumn<bool>("benchFirst");
        QTest::addColumn<bool>("benchSecond");
        QTest::newRow("bench, bench") << true << true;
        QTest::newRow("bench, meter") << true << false;
        QTest::newRow("meter, bench") << false << true;
        QTest::newRow("meter, meter") << false << false;
    }
    void parametersOfEitherLineHideAnOpenDialog()
    {
        QFETCH(bool, benchFirst);
        QFETCH(bool, benchSecond);
        LinesFixture f;
        auto press = [&](bool bench) { (bench ? f.form.config.btnCanal : f.form.config.BBParam).click(); };
        press(benchFirst);
        QVERIFY(f.canal.form.isVisible());
        press(benchSecond);
        QVERIFY(!f.canal.form.isVisible());
        QVERIFY(!f.canal.flagsh);
    }

    void failedPortTellsTheOperatorWhy_data()
    {
        QTest::addColumn<bool>("bench");
        QTest::addColumn<bool>("wasUp");  // else the port did not open
        QTest::addColumn<QString>("problem");
        const QString vanished = "Порт /dev/ttyUSB0 пропал: адаптер отключён? Подключите его и подключитесь снова.";
        const QString denied = "Нет доступа к порту /dev/ttyUSB0: добавьте пользователя в группу dialout "
                               "(sudo usermod -aG dialout $USER) и войдите заново.";
        QTest::newRow("bench port vanished") << true << true << vanished;
        QTest::newRow("meter port vanished") << false << true << vanished;
        QTest::newRow("bench port refused") << true << false << denied;
        QTest::newRow("meter port missing") << false << false << QString("Порт /dev/ttyUSB9 не найден: проверьте, что адаптер подключён.");
    }
    // The message line says why the line went down instead of the plain "off", the window
    // shows the line down, and the next connection works as usual.
    void failedPortTellsTheOperatorWhy()
    {
        QFETCH(bool, bench);
        QFETCH(bool, wasUp);
        QFETCH(QString, problem);
        LinesFixture f;
        FailingComMaster& server = bench ? f.bench : f.meter;
        ui::Button& connect = bench ? f.form.config.BtnConnect : f.form.config.BtnConnect1;
        connect.click();
        if (wasUp)
            server.reportConnected(true);
        server.fail(problem);
        QCOMPARE(f.form.SB.panelText(0), problem);
        QCOMPARE(connect.caption(), QString("Подключиться"));
        QVERIFY(!(bench ? f.links.FServerConnected() : f.links.FPRiborConnected()));

        connect.click();
        QCOMPARE(server.connectedRequests.last(), true);
        server.reportConnectedAgain();
        QCOMPARE(f.form.SB.panelText(0), QString(bench ? "ZTA on" : "Pribor on"));
        connect.click();
        server.reportConnected(false);
        QCOMPARE(f.form.SB.panelText(0), QString(bench ? "COM1ZTA off" : "COM1Pribor off"));
    }

    void unreachableServerIsReportedAndTriedAgain()
    {
        LinesFixture f;
        f.bench.attachable = false;
        f.links.attachAll();
        QCOMPARE(f.dialogs.captions.last(), QString("Критическая ошибка"));
        QCOMPARE(f.dialogs.icons.last(), ui::Icon::Error);
        QCOMPARE(f.dialogs.messages.size(), 1);  // the meter line attached
        f.form.config.BtnConnect.click();
        QCOMPARE(f.dialogs.messages.size(), 2);
        QVERIFY(f.bench.connectedRequests.isEmpty());
        QCOMPARE(f.bench.attachCalls, 2);
    }
};

QTEST_GUILESS_MAIN(TstConnections)
#include "tst_connections.moc"
