// Over a real serial line: with the imitation module taken for not found, its tuning writes
// and the emulation bit refuse before the wire, and the line carries no request to address 0,
// the address every module obeys. Against the built-in simulator, or the ports named by
// ZTA_BENCH_PORT and ZTA_METER_PORT.
#include "../support/PtyLines.h"
#include "../support/ScriptedDialogs.h"
#include "link/rtu/RtuComMaster.h"
#include "ui/app/MainFrm.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr int kTimeoutMs = 30000;
}

class TstUnknownModuleE2e : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nothingReachesAddressZero()
    {
        test::PtyLines lines;
        QTemporaryDir settingsDir;
        lines.pointSettingsAtThem(settingsDir.path());
        test::ScriptedDialogs dialogs;
        app::TMainFrm main([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
        auto& cfg = main.form.config;
        cfg.BtnConnect.click();
        QTRY_VERIFY_WITH_TIMEOUT(main.ctx.bench.connected, kTimeoutMs);
        cfg.BitBtn5.click();
        QTRY_VERIFY_WITH_TIMEOUT(cfg.BitBtn5.isEnabled(), kTimeoutMs);
        const quint8 usi = main.ctx.modules.UsiModule.Adr;
        QVERIFY2(usi != 0, "the pulse counter must answer on the bench line");

        QList<comm::ExchangeRecord> wire;
        QObject::connect(main.MBCM.get(), &comm::MBComMaster::exchanged, main.MBCM.get(),
                         [&wire](const comm::ExchangeRecord& r) { wire.append(r); });
        main.ctx.modules.ImrModule.Adr = 0;  // as a search that did not find it leaves it
        dialogs.clear();
        auto& imr = main.form.imr;
        imr.Edit29.setText("1.5");
        imr.btnT0.click();
        imr.BtnT1.click();
        imr.BtnF.click();
        imr.Button14.click();
        imr.Button15.click();
        QCOMPARE(dialogs.messages, QStringList(5, QStringLiteral("Модуль ИМР не обнаружен: выполните «Проверка связи»")));

        // An exchange the line does carry, to show the refused ones are not merely late.
        main.form.usiGroup.ChbCnt1.click();
        QTRY_VERIFY_WITH_TIMEOUT(!wire.isEmpty(), kTimeoutMs);
        main.form.usiGroup.ChbCnt1.click();
        for (const comm::ExchangeRecord& r : std::as_const(wire)) {
            QVERIFY2(r.address == usi, qPrintable(r.traceLine()));
            QVERIFY(!r.sentFrame().isEmpty() && quint8(r.sentFrame().at(0)) == usi);
        }
    }
};

QTEST_GUILESS_MAIN(TstUnknownModuleE2e)
#include "tst_unknown_module_e2e.moc"
