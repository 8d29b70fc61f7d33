// An automatic verification as the operator runs it from the page "Протокол" against the
// simulated bench: the run window, the protocol window at the end, and the page's
// "Создать протокол..." saving that protocol.
#include "Workbench.h"

#include "meter/MeterTypes.h"
#include "shell/settings/IniFile.h"

#include <QDir>

namespace {

constexpr int kRunTimeoutMs = 60000;

void storeQuickParameters()
{
    settings::IniFile ini(settings::ztaIniPath());
    const verification::VerificationParameters quick{100, 2, 50, 100, 0, {5, 20}};
    QVERIFY(quick.write(ini));
}

}  // namespace

class TstProtocolRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // The protocols go to the documents folder: one of the test's own.
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(".config")));
    }

    void runFromThePageEndsInASavedProtocol()
    {
        test::Workbench b;
        QVERIFY(b.connected);
        storeQuickParameters();
        app::TMainFrm& m = *b.main;
        ui::forms::ProtocolPage& page = m.form.protocol;
        m.form.pc.setActivePage(&page.TS4);
        page.BtnAutoVerification.click();
        ui::forms::AutoVerificationForm& run = m.autoVerificationWindow.form;
        QVERIFY(run.isVisible());
        run.EdtSerial.setText(QStringLiteral("ДТК 17/3"));
        run.EdtOperator.setText(QStringLiteral("Петров П. П."));
        run.BtnStart.click();
        QVERIFY2(m.autoVerification.running(), qPrintable(b.dialogs.lastMessage()));
        // The page shows the run's progress as its window does.
        QVERIFY(QTest::qWaitFor([&] { return !page.LblRunProgress.caption().isEmpty(); }, kRunTimeoutMs));
        QCOMPARE(page.LblRunProgress.caption(), run.LblProgress.caption());
        QCOMPARE(page.PBRun.maximum(), run.PB.maximum());

        // Saving while the run goes is refused with its reason.
        page.Button13.click();
        QCOMPARE(b.dialogs.lastMessage(), QString("Идёт поверка: протокол можно сохранить, когда она закончится"));

        ui::forms::ProtocolForm& protocolWindow = m.autoVerificationWindow.protocolForm;
        QVERIFY(QTest::qWaitFor([&] { return protocolWindow.isVisible(); }, kRunTimeoutMs));
        const verification::Protocol& p = m.autoVerification.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QCOMPARE(p.points.size(), 2);
        QCOMPARE(p.meter.serialNumber, QString("ДТК 17/3"));
        QVERIFY(!protocolWindow.MemoProtocol.lines().isEmpty());
        // The conclusion, on the page as in the window.
        QCOMPARE(run.LblProgress.caption(), verification::conclusionText(p.conclusion()));
        QCOMPARE(page.LblRunProgress.caption(), verification::conclusionText(p.conclusion()));
        QCOMPARE(page.PBRun.position(), page.PBRun.maximum());

        b.dialogs.clear();
        page.Button13.click();
        QVERIFY2(b.dialogs.lastMessage().startsWith("Протокол сохранён:"), qPrintable(b.dialogs.lastMessage()));
        const QDir folder(m_home.filePath("Documents/Протоколы ЗТА"));
        const QStringList files = folder.entryList({"ДТК-17-3_*"}, QDir::Files);
        QCOMPARE(files.size(), 2);
        for (const QString& f : files)
            QVERIFY2(QFileInfo(folder.filePath(f)).size() > 0, qPrintable(f));
    }

    // The run reads the meter's current output on the ИПТ channel chosen for the statistics
    // window: a current read on another channel is no current of the meter's.
    void currentIsReadOnTheChosenChannel_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("passes");
        QTest::newRow("the channel the output is wired to") << 1 << true;
        QTest::newRow("another channel") << 0 << false;
    }
    void currentIsReadOnTheChosenChannel()
    {
        QFETCH(int, chosen);
        QFETCH(bool, passes);
        sim::Options o = test::quickBench();
        o.meterType = meter::TypeMultiChannel;
        o.slotIptChannel = 2;  // counted from 1
        test::Workbench b(o, meter::TypeMultiChannel);
        QVERIFY(b.connected);
        b.main->meterPolling.restartPolling();  // the multi-channel meter's channel is chosen
        storeQuickParameters();
        app::TMainFrm& m = *b.main;
        const std::array<ui::RadioButton*, 4> channels{&m.form.iptGroup.rbi0, &m.form.iptGroup.rbi1,
                                                       &m.form.iptGroup.rbi2, &m.form.iptGroup.rbi3};
        channels[chosen]->click();
        m.form.protocol.BtnAutoVerification.click();
        m.autoVerificationWindow.form.EdtSerial.setText(QStringLiteral("7"));
        m.autoVerificationWindow.form.EdtOperator.setText(QStringLiteral("Петров П. П."));
        m.autoVerificationWindow.form.BtnStart.click();
        QVERIFY(QTest::qWaitFor([&] { return m.autoVerificationWindow.protocolForm.isVisible(); }, kRunTimeoutMs));
        const verification::Protocol& p = m.autoVerification.protocol();
        QVERIFY2(p.complete, qPrintable(p.incompleteReason));
        QCOMPARE(p.currentSkipped, QString());
        QCOMPARE(p.failedCurrents().isEmpty(), passes);
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TstProtocolRun)
#include "tst_protocol_run.moc"
