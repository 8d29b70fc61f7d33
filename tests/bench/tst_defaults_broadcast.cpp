// "Восстановление настроек" on the simulated bench, whose modules hear only their own line speed:
// the defaults go out at all five speeds, so every module comes back at 9600 baud and its own
// address whatever speed it was left at, and the search finds them there and only there.
#include "../modes/Workbench.h"
#include "shell/settings/IniFile.h"

#include <QTest>

using sim::Module;

class TstDefaultsBroadcast : public QObject {
    Q_OBJECT

    // The module addresses "Проверка связи" finds at the bench line's present channel settings.
    static QList<int> search(test::Workbench& w)
    {
        auto& cfg = w.form().config;
        cfg.BitBtn5.click();
        [&] { QTRY_VERIFY(cfg.BitBtn5.isEnabled()); }();
        const auto& m = w.ctx().modules;
        return {m.ImrModule.Adr, m.UsiModule.Adr, m.IptModule.Adr};
    }

    // Connects the bench line again at `baud`, as the operator does through its channel settings.
    static bool reconnectAt(test::Workbench& w, int baud)
    {
        settings::IniFile(settings::ztaIniPath()).writeInteger(QStringLiteral("ZTA"), QStringLiteral("Baud Rate"), baud);
        auto& connect = w.form().config.BtnConnect;
        if (w.ctx().bench.connected) {
            connect.click();
            if (!QTest::qWaitFor([&] { return !w.ctx().bench.connected; }, 5000))
                return false;
        }
        connect.click();
        return QTest::qWaitFor([&] { return w.ctx().bench.connected; }, 5000) && w.bench->ComSpeed() == baud;
    }

private Q_SLOTS:
    void modulesAtAnySpeedComeBackAt9600()
    {
        sim::Options o = test::quickBench();
        o.moduleSpeedCodes = {0, 2, 4};  // ИМР at 1200, УСИ at 4800, ИПТ at 19200
        test::Workbench w(o);
        QVERIFY(w.connected);
        QCOMPARE(search(w), (QList<int>{0, 0, 3}));  // the line runs at 19200

        w.form().asd1.click();
        auto& dialog = w.main->FrmInit.form;
        QVERIFY(dialog.isVisible());
        dialog.Button1.click();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.Memo1.lines().value(dialog.Memo1.lines().size() - 1), QString("Завершено."),
                                  10000);
        for (Module m : {Module::Imr, Module::Usi, Module::Ipt})
            QCOMPARE(w.equipment.holding(m, 1), quint16(3));
        QTRY_VERIFY(!w.ctx().bench.connected);  // the procedure leaves the line closed

        QVERIFY(reconnectAt(w, 19200));
        QCOMPARE(search(w), (QList<int>{0, 0, 0}));
        QVERIFY(reconnectAt(w, 9600));
        QCOMPARE(search(w), (QList<int>{1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(TstDefaultsBroadcast)
#include "tst_defaults_broadcast.moc"
