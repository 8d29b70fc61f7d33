// The statistics window's current group on the simulated bench: with the meter's current slot
// and calibration table read, a flow imitation and the current meter reading the meter's
// output, it shows the current the meter should give and its error.
#include "Workbench.h"

#include "meter/MeterTypes.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"

#include <QTest>

class TstStatisticsCurrent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void predictedCurrentAndItsError()
    {
        sim::Options o = test::quickBench();
        o.meterType = meter::TypeMultiChannel;
        test::Workbench w(o, meter::TypeMultiChannel);
        QVERIFY(w.connected);
        // The multi-channel meter's window starts its polling once a channel is chosen.
        w.main->meterPolling.restartPolling();
        auto& calc = w.main->calcFrm.form;
        calc.Button1.click();  // the slot kinds and the calibration table
        QTRY_COMPARE(calc.SB.panelText(0), QString("Значения токов Ок"));
        QCOMPARE(w.main->calcFrm.Slot(), 0);

        w.form().imitQ.RGPoint.setItemIndex(2);  // 30 m3/h
        w.form().imitQ.btnImit.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messages.join('|')));
        w.form().iptGroup.ChbTok.click();  // channel 1: the meter's current output
        QTRY_VERIFY_WITH_TIMEOUT(!calc.lbliproc.caption().isEmpty(), 10000);

        // 4..20 mA over 0..300 m3/h through the table read: what the current meter should see,
        // once the meter's flow and its current output have both settled at the point.
        const auto expected = [&] { return input::AnySepStrToFloat(calc.edtie.text()); };
        const auto measured = [&] { return w.main->calcFrm.IIzm(); };
        QTRY_VERIFY2(qAbs(measured() - expected()) / expected() < 0.01,
                     qPrintable(QStringLiteral("%1 against %2").arg(measured()).arg(expected())));
        const double flow = input::AnySepStrToFloat(calc.edtqi.text());
        QVERIFY2(qAbs(flow - 30) < 1, qPrintable(calc.edtqi.text()));
        QVERIFY2(qAbs(expected() - (4 + flow / 300 * 16)) < 0.05, qPrintable(calc.edtie.text()));
        QCOMPARE(calc.lbliproc.font().color, ui::colors::Green);
    }
};

QTEST_GUILESS_MAIN(TstStatisticsCurrent)
#include "tst_statistics_current.moc"
