// The whole program over real serial lines: the simulated bench and meter (or the ports named
// by ZTA_BENCH_PORT and ZTA_METER_PORT), the Modbus RTU server on each line, the main window.
#include "../support/PtyLines.h"
#include "../support/ScriptedDialogs.h"
#include "link/rtu/RtuComMaster.h"
#include "ui/app/MainFrm.h"
#include "shell/input/NumberInput.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kTimeoutMs = 30000;

bool isNumber(const QString& text)
{
    try {
        input::AnySepStrToFloat(text);
        return !text.isEmpty();
    } catch (...) {
        return false;
    }
}

}  // namespace

class TstEndToEnd : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void discoveryAndMeterReadings()
    {
        test::PtyLines lines;
        QTemporaryDir settingsDir;
        lines.pointSettingsAtThem(settingsDir.path());
        test::ScriptedDialogs dialogs;
        app::TMainFrm main([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
        auto& cfg = main.form.config;

        cfg.BtnConnect.click();
        cfg.BtnConnect1.click();
        QTRY_VERIFY_WITH_TIMEOUT(main.links.FServerConnected(), kTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(main.links.FPRiborConnected(), kTimeoutMs);
        QVERIFY(cfg.BitBtn5.isEnabled());

        cfg.BitBtn5.click();
        QVERIFY(!cfg.BitBtn5.isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(cfg.BitBtn5.isEnabled(), kTimeoutMs);
        const bench::TPZTA* modules[] = {&main.ctx.modules.ImrModule, &main.ctx.modules.UsiModule, &main.ctx.modules.IptModule};
        const QString keys[] = {"IMR", "USI", "IPT"};
        const settings::IniFile ini(settings::ztaIniPath());
        for (int row = 1; row <= 3; ++row) {
            const int adr = modules[row - 1]->Adr;
            if (lines.simulator)
                QCOMPARE(adr, row);  // the simulator's modules sit at 1, 2 and 3
            QVERIFY(adr != 0);
            QCOMPARE(cfg.sg.cell(1, row), QString::number(adr));
            QVERIFY(cfg.sg.cell(2, row).startsWith("ТЕРВАЛО ЗТА"));
            QCOMPARE(ini.readInteger("ZTA Address", keys[row - 1], -1), adr);
        }
        QVERIFY(dialogs.messages.isEmpty());

        auto& flow = main.form.imitQ.EdtRashQ1;
        auto& volume = main.form.imitV.edtnabor;
        cfg.cbxprib.select(0);
        // Every second a new reading replaces what the field shows.
        for (int round = 0; round < 2; ++round) {
            flow.setText(QString());
            volume.setText(QString());
            QTRY_VERIFY_WITH_TIMEOUT(isNumber(flow.text()) && isNumber(volume.text()), kTimeoutMs);
        }
        QVERIFY(dialogs.messages.isEmpty());

        cfg.BtnConnect1.click();
        cfg.BtnConnect.click();
        QTRY_VERIFY_WITH_TIMEOUT(!main.links.FServerConnected() && !main.links.FPRiborConnected(), kTimeoutMs);
    }
};

QTEST_GUILESS_MAIN(TstEndToEnd)
#include "tst_end_to_end.moc"
