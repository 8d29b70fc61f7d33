// Flow rate to delayed-pulse count: the count, the value written and the flow it imitates, the
// imitation time of a volume, and the count of the bench's own flow verification.
#include "meter/MeterTypes.h"
#include "modes/DelayedPulseCount.h"

#include <QTest>

namespace {

constexpr int AnyType = 0;
constexpr int FixedType = meter::TypeFixedAutoCirc;
// 0.4913328 x dT is exactly 256 / 5: point 1 over 256 autocirculations gives d = 4 exactly.
constexpr double TieDT = 104.2063546337635;

}  // namespace

class TstPulseCount : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundHalfEven_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("below a half") << 2.4999 << 2;
        QTest::newRow("above a half") << 2.5001 << 3;
    }
    void roundHalfEven()
    {
        QFETCH(double, x);
        QTEST(modes::roundHalfEven(x), "rounded");
    }

    void delayedPulseCount_data()
    {
        QTest::addColumn<int>("point");
        QTest::addColumn<int>("priborType");
        QTest::addColumn<int>("autoCircCount");
        QTest::addColumn<bool>("verifyScale");
        QTest::addColumn<double>("dT");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("written");
        QTest::addColumn<double>("imitatedFlow");
        // d = 3328 / 49.13328 - 1 = 66.73; flow 68 / 256 x 49.13328
        QTest::newRow("point 13") << 13 << AnyType << 256 << false << 100.0 << 67 << 67 << 13.0510275;
        QTest::newRow("d above 1023") << 1000 << AnyType << 4096 << false << 100.0 << 1023 << 1023 << 12.28332;
        QTest::newRow("d above 1023, 512 autocirculations")
            << 250 << AnyType << 512 << false << 100.0 << 511 << 511 << 49.13328;
        QTest::newRow("count past the autocirculations") << 60 << AnyType << 50 << false << 100.0 << 49 << 49
                                                         << 49.13328;
        QTest::newRow("point whose product passes 2^31")
            << 10000000 << AnyType << 256 << false << 100.0 << 255 << 255 << 49.13328;
        QTest::newRow("fixed type divides by 256 and writes count + 16")
            << 13 << FixedType << 100 << false << 100.0 << 67 << 83 << 13.0510275;
        // The fixed type's divisor needs no count of the meter's own.
        QTest::newRow("fixed type without an autocirculation count")
            << 13 << FixedType << 0 << false << 100.0 << 67 << 83 << 13.0510275;
        QTest::newRow("negative point") << -5 << AnyType << 256 << false << 100.0 << 0 << 0 << 0.191926875;
        QTest::newRow("negative point, fixed type") << -5 << FixedType << 64 << false << 100.0 << 0 << 16
                                                    << 0.191926875;
        // d = 832 / 49.13328 - 1 = 15.93
        QTest::newRow("64 autocirculations") << 13 << AnyType << 64 << false << 100.0 << 16 << 16 << 13.0510275;
        // The product takes 256 (d 66.73), the limit still the 64 autocirculations, the flow 256.
        QTest::newRow("verify scale, limit of 64 autocirculations")
            << 13 << AnyType << 64 << true << 100.0 << 63 << 63 << 12.28332;
        QTest::newRow("verify scale divides the flow by 256")
            << 13 << AnyType << 1024 << true << 100.0 << 67 << 67 << 13.0510275;
        QTest::newRow("d + 0.5 = 4.5 goes to even") << 1 << AnyType << 256 << false << TieDT << 4 << 4 << 1.0;
    }
    void delayedPulseCount()
    {
        QFETCH(int, point);
        QFETCH(int, priborType);
        QFETCH(int, autoCircCount);
        QFETCH(bool, verifyScale);
        QFETCH(double, dT);
        const modes::DelayedPulses p = modes::delayedPulseCount(point, priborType, autoCircCount, verifyScale, dT);
        QTEST(p.count, "count");
        QTEST(p.written, "written");
        QTEST(p.imitatedFlow, "imitatedFlow");
    }

    void imitationTime_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<double>("imitatedFlow");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("seconds");
        QTest::newRow("10 m3 at 13.0510275 m3/h") << 10 << 13.0510275 << true << 2759;
        QTest::newRow("3.5 s rounds up") << 7 << 7200.0 << true << 5;
        // 2.5000000000000004 in double, exactly 2.5 in single precision.
        QTest::newRow("tie in single precision goes to even") << 1 << 1439.9999999999998 << true << 3;
        QTest::newRow("no volume") << 0 << 13.0 << true << 1;
        // The elapsed time reads back as signed ms: 2147483 s is the longest that stays positive.
        QTest::newRow("longest time the module takes") << 2147482 << 3600.0 << true << 2147483;
        QTest::newRow("one second more") << 2147483 << 3600.0 << false << 0;
        QTest::newRow("within unsigned ms, past signed") << 4294966 << 3600.0 << false << 0;
        QTest::newRow("negative volume") << -10 << 13.0 << false << 0;
        QTest::newRow("no flow") << 10 << 0.0 << false << 0;
    }
    void imitationTime()
    {
        QFETCH(int, volume);
        QFETCH(double, imitatedFlow);
        QFETCH(bool, fits);
        const std::optional<int> seconds = modes::imitationTimeSec(volume, imitatedFlow);
        QCOMPARE(seconds.has_value(), fits);
        if (fits)
            QTEST(*seconds, "seconds");
    }

    void verifyPulseCount_data()
    {
        QTest::addColumn<int>("point");
        QTest::addColumn<double>("dT");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("imitatedFlow");
        // c = 512 / 49.13328 = 10.42; the single check later writes count - 1.
        QTest::newRow("point 2") << 2 << 100.0 << 11 << 2.111195625;
        QTest::newRow("point 250, small dT") << 250 << 10.0 << 256 << 4.913328;
        // c = 10.0000005 in double, 10 in single precision: 10.5 goes to even.
        QTest::newRow("tie in single precision") << 2 << 104.20634966978048 << 10 << 1.999999904727825;
        // c = 256.0000152 in double, 256 in single precision: 256.5 stays at 256.
        QTest::newRow("c of 256 in single precision") << 250 << 508.82006070001364 << 256 << 249.99998511990768;
    }
    void verifyPulseCount()
    {
        QFETCH(int, point);
        QFETCH(double, dT);
        const modes::VerifyPulses p = modes::verifyPulseCount(point, dT);
        QTEST(p.count, "count");
        QTEST(p.imitatedFlow, "imitatedFlow");
    }
};

QTEST_GUILESS_MAIN(TstPulseCount)
#include "tst_pulse_count.moc"
