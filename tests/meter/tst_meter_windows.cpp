// The meter windows inside the main window, on the simulated meter: the channel choice moves
// the main window's polling, the readings and status words reach the window of the chosen type,
// and disconnecting the meter line hides the windows.
#include "../modes/Workbench.h"

#include "meter/MeterTypes.h"

#include <QTest>

namespace {

constexpr int kFlowQid = 4, kVolumeQid = 2, kChannelCoilQid = -5;
constexpr int kChannelReg = 75;  // type 6: the channel it measures on

sim::Options meterOfType(int type)
{
    sim::Options o = test::quickBench();
    o.meterType = type;
    return o;
}

const comm::Request* lastOf(const test::FailingServer& s, int qid)
{
    for (auto it = s.requests.crbegin(); it != s.requests.crend(); ++it)
        if (it->qid == qid)
            return &*it;
    return nullptr;
}

}  // namespace

class TstMeterWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void singleWindowChannelMovesThePolling()
    {
        sim::Options o = meterOfType(meter::TypeSingleWindow);
        o.noSignalChannel = 2;
        test::Workbench w(o, meter::TypeSingleWindow);
        QVERIFY(w.connected);
        w.form().config.BtnSetup.click();
        auto& window = w.main->FlowMeterForm.form;
        QVERIFY(window.isVisible());
        window.rgCanal.select(1);
        QCOMPARE(lastOf(*w.meter, kFlowQid)->reg, 235);
        QCOMPARE(lastOf(*w.meter, kVolumeQid)->reg, 244);
        QCOMPARE(lastOf(*w.meter, kChannelCoilQid)->value.toBool(), true);
        QTRY_VERIFY(w.equipment.coil(sim::Module::Meter, 2));
        QTRY_COMPARE(window.lblErr.caption(), QString("НЕТ УЗС"));
        window.rgCanal.select(0);
        QTRY_COMPARE(window.lblErr.caption(), QString("OK"));
        window.EdtV.setText(QString());
        QTRY_VERIFY(!window.EdtV.text().isEmpty());  // the main window's volume poll shows here
    }

    void multiChannelWindowChannelAndRegime()
    {
        sim::Options o = meterOfType(meter::TypeMultiChannel);
        o.channels = 3;
        test::Workbench w(o, meter::TypeMultiChannel);
        QVERIFY(w.connected);
        w.form().config.BtnSetup.click();
        auto& window = w.main->FlowMeterFormKS.form;
        QVERIFY(window.isVisible());
        QTRY_COMPARE(window.RgCanal.items().size(), 3);
        window.RgCanal.select(2);
        QTRY_COMPARE(int(w.equipment.holding(sim::Module::Meter, kChannelReg)), 2);
        QCOMPARE(lastOf(*w.meter, kFlowQid)->reg, 49596);
        QCOMPARE(lastOf(*w.meter, kVolumeQid)->reg, 49604);

        w.form().config.BtnCount1.click();  // the meter's autocirculations of channel 3
        QTRY_COMPARE(window.EdtAc.text(), QString("256"));
        QCOMPARE(w.form().config.edtac.text(), QString("255"));

        QTRY_VERIFY(window.BtnSetup.isEnabled() && window.Button7.isEnabled());
        window.Button7.click();  // the meter's verification regime
        QTRY_COMPARE(window.lblStat.caption(), QString("Поверка"));
        QVERIFY(!window.BtnSetup.isEnabled());
        QTRY_VERIFY(window.Button7.isEnabled());
        window.Button7.click();
        QTRY_COMPARE(window.lblStat.caption(), QString("Рабочий"));
        QVERIFY(window.BtnSetup.isEnabled());
    }

    void disconnectingTheMeterHidesItsWindows()
    {
        test::Workbench w(meterOfType(meter::TypeMultiChannel), meter::TypeMultiChannel);
        w.form().config.BtnSetup.click();
        auto& window = w.main->FlowMeterFormKS.form;
        QTRY_VERIFY(window.BtnSetup.isEnabled());
        window.BtnSetup.click();
        QVERIFY(w.main->KsForm1.form.isVisible());
        w.form().config.BtnConnect1.click();
        QVERIFY(!window.isVisible());
        QVERIFY(!w.main->KsForm1.form.isVisible());
    }
};

QTEST_GUILESS_MAIN(TstMeterWindows)
#include "tst_meter_windows.moc"
