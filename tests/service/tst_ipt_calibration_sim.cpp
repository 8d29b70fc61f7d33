// The current meter calibration on the simulated module: the line it writes is the channel's
// own response, a channel out of the limits is refused, and the module measures again.
#include "../modes/Workbench.h"

#include "link/Clock.h"
#include "service/IptCalibration.h"

#include <QTest>

#include <bit>

namespace {

float holdingFloat(test::Workbench& w, int reg)
{
    const quint32 high = w.equipment.holding(sim::Module::Ipt, reg);
    const quint32 low = w.equipment.holding(sim::Module::Ipt, reg + 1);
    return std::bit_cast<float>(high << 16 | low);
}

}  // namespace

class TstIptCalibrationSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calibratesAgainstTheModule_data()
    {
        QTest::addColumn<int>("outOfLimits");
        QTest::addColumn<QString>("message");
        // Channel 2 of the simulated module: 92000 at no current, 780000 more over the converter's range.
        QTest::newRow("healthy") << 0 << "Калибровка прошла успешно!";
        QTest::newRow("out of limits") << 2
                                       << "Где-то вышли за пределы\nПрежние масштаб и смещение канала остаются в силе.";
    }
    void calibratesAgainstTheModule()
    {
        QFETCH(int, outOfLimits);
        QFETCH(QString, message);
        sim::Options o = test::quickBench();
        o.iptOutOfLimits = outOfLimits;
        test::Workbench w(o);
        QVERIFY(w.connected);
        service::IptCalibration& calibration = w.main->iptCalibration;
        calibration.pause = [](int) { comm::pause(comm::steadyClock(), 20); };
        for (int reg : {49154, 49155, 49162, 49163})  // the channel's line wiped out
            w.equipment.setHolding(sim::Module::Ipt, reg, 0);
        w.form().ipt2.RgCanal.select(1);
        w.form().ipt2.Button2.click();
        QCOMPARE(w.dialogs.messages, QStringList{message});
        QCOMPARE(w.equipment.holding(sim::Module::Ipt, 3), quint16(0));
        QCOMPARE(w.form().ipt2.PBIpt.position(), outOfLimits ? 10 : 12);
        const float scale = holdingFloat(w, 49154);
        const float offset = holdingFloat(w, 49162);
        if (outOfLimits) {
            QCOMPARE(scale, 0.0f);
            QCOMPARE(offset, 0.0f);
            return;
        }
        // The channel's own line: 23.999334 mA over 780000 counts is 3.0768377e-5 mA a count, and
        // 92000 counts at no current put the offset at -92000 x 3.0768377e-5 = -2.8306907 mA.
        QVERIFY2(qAbs(scale / 3.0768377e-5 - 1) < 1e-4, qPrintable(QString::number(scale)));
        QVERIFY2(qAbs(offset + 2.8306907) < 1e-3, qPrintable(QString::number(offset)));
    }
};

QTEST_GUILESS_MAIN(TstIptCalibrationSim)
#include "tst_ipt_calibration_sim.moc"
