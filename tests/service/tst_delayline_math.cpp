// The delay time computed from the sums of a delay line calibration: statistics of each record,
// the delays with and without inversion, the fine offset kept between runs and the record choice.
#include "service/DelayLineMath.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(bench::DelayCalibRecord)

namespace {

// Sums of ten conversions with the given mean coarse count, means and sample variances of the
// two fine codes.
bench::DelayCalibRecord series(int coarse, int meanA, int varA, int meanB, int varB)
{
    bench::DelayCalibRecord r;
    r.Sum = {quint32(80 * coarse), quint32(10 * meanA), quint32(10 * meanA * meanA + 9 * varA),
             quint32(10 * meanB), quint32(10 * meanB * meanB + 9 * varB)};
    return r;
}

bench::DelayCalibRecord sums(quint32 s0, quint32 s1, quint32 s2, quint32 s3, quint32 s4)
{
    bench::DelayCalibRecord r;
    r.Sum = {s0, s1, s2, s3, s4};
    return r;
}

constexpr quint32 Fosc40MHz = 4000000000;  // quartz period 25 ns
// T0/T1 of a converter step of 0.5 ns per code.
constexpr double T0 = 2;
constexpr double T1 = 129.5;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

class TstDelayLineMath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quartzPeriod_data()
    {
        QTest::addColumn<quint32>("foscRaw");
        QTest::addColumn<double>("periodNs");
        QTest::newRow("40 MHz") << quint32(4000000000) << 25.0;
        QTest::newRow("1 MHz") << quint32(100000000) << 1000.0;
        QTest::newRow("largest frequency the register holds") << quint32(4294967295) << 23.283064370807974;
    }
    void quartzPeriod()
    {
        QFETCH(quint32, foscRaw);
        QFETCH(double, periodNs);
        QCOMPARE(service::quartzPeriodNs(foscRaw), periodNs);
    }

    void statistics_data()
    {
        QTest::addColumn<bench::DelayCalibRecord>("record");
        QTest::addColumn<double>("coarse");
        QTest::addColumn<double>("meanA");
        QTest::addColumn<double>("varA");
        QTest::addColumn<double>("meanB");
        QTest::addColumn<double>("varB");
        QTest::newRow("steady codes") << series(37, 100, 2, 128, 3) << 37.0 << 100.0 << 2.0 << 128.0 << 3.0;
        QTest::newRow("fractional means") << sums(2964, 1005, 101016, 1283, 164635)
                                          << 37.05 << 100.5 << 1.5 << 128.3 << 2.9;
        QTest::newRow("sums above 2^31 are unsigned") << sums(0x80000000, 0, 0xFFFFFFFF, 0, 0x80000001)
                                                      << 26843545.6 << 0.0 << 4294967295.0 / 9 << 0.0
                                                      << 2147483649.0 / 9;
        // 70000^2 = 2^32 + 605032704 and 65536^2 = 2^32: both squares wrap, whatever the true variance.
        QTest::newRow("squares wrap at 32 bits") << sums(0, 70000, 490000000, 65536, 429496730)
                                                 << 0.0 << 7000.0 << 4294967296.0 / 90 << 6553.6
                                                 << 429496730.0 / 9;
    }
    void statistics()
    {
        QFETCH(bench::DelayCalibRecord, record);
        service::deriveStatistics(record);
        QTEST(record.Coarse, "coarse");
        QTEST(record.MeanA, "meanA");
        QTEST(record.VarA, "varA");
        QTEST(record.MeanB, "meanB");
        QTEST(record.VarB, "varB");
    }

    void noiseLimits_data()
    {
        QTest::addColumn<double>("variance");
        QTest::addColumn<bool>("fineCodeSteady");
        QTest::addColumn<bool>("seriesNoisy");
        QTest::newRow("below the limit") << 4.99 << true << false;
        QTest::newRow("at the limit") << 5.0 << false << false;
        QTest::newRow("above the limit") << 5.01 << false << true;
        QTest::newRow("NaN") << NaN << true << true;
    }
    void noiseLimits()
    {
        QFETCH(double, variance);
        QTEST(service::fineCodeSteady(variance), "fineCodeSteady");
        QTEST(service::seriesNoisy(variance), "seriesNoisy");
    }

    // Tq 25 ns; record 0's raw delay (Coarse + 1) x Tq - MeanB x K is 886 ns with K 0.5 ns.
    void delays_data()
    {
        QTest::addColumn<bench::DelayCalibRecord>("record0");
        QTest::addColumn<bench::DelayCalibRecord>("record1");
        QTest::addColumn<double>("t1");
        QTest::addColumn<double>("offsetBefore");
        QTest::addColumn<double>("offsetAfter");
        QTest::addColumn<double>("delay0");
        QTest::addColumn<double>("delay1");
        const auto inverted = series(37, 30, 1, 120, 1);  // 937.5 - 60 - (12.5 - 15) = 880 ns
        QTest::newRow("steady offset below half a period")
            << series(37, 20, 1, 128, 1) << inverted << T1 << 99.0 << 10.0 << 896.0 << 880.0;
        QTest::newRow("offset of exactly half a period")
            << series(37, 25, 1, 128, 1) << inverted << T1 << 0.0 << 12.5 << 873.5 << 880.0;
        QTest::newRow("offset above half a period")
            << series(37, 40, 1, 128, 1) << inverted << T1 << 0.0 << 20.0 << 881.0 << 880.0;
        QTest::newRow("noisy first code keeps the previous offset")
            << series(37, 20, 5, 128, 1) << inverted << T1 << 3.0 << 3.0 << 889.0 << 880.0;
        QTest::newRow("kept offset above half a period")
            << series(37, 20, 40, 128, 1) << inverted << T1 << 15.0 << 15.0 << 876.0 << 880.0;
        QTest::newRow("first calibration with a noisy first code")
            << series(37, 20, 40, 128, 1) << inverted << T1 << 0.0 << 0.0 << 886.0 << 880.0;
        // The true variance is 0, the wrapped square makes it huge.
        QTest::newRow("wrapped square makes the first code noisy")
            << sums(2960, 70000, 490000000, 1280, 163840) << inverted << T1 << 3.0 << 3.0 << 889.0 << 880.0;
        QTest::newRow("T1 equal to T0: only the coarse part")
            << series(37, 20, 1, 128, 1) << inverted << T0 << 7.0 << 0.0 << 950.0 << 925.0;
    }
    void delays()
    {
        QFETCH(bench::DelayCalibRecord, record0);
        QFETCH(bench::DelayCalibRecord, record1);
        QFETCH(double, t1);
        QFETCH(double, offsetBefore);
        std::array records{record0, record1};
        double fineOffset = offsetBefore;
        service::computeDelayLine(records, Fosc40MHz, T0, t1, fineOffset);
        QTEST(fineOffset, "offsetAfter");
        QTEST(records[0].Delay, "delay0");
        QTEST(records[1].Delay, "delay1");
        QCOMPARE(records[0].Coarse, 37.0);
        QCOMPARE(records[1].MeanB, 120.0);
    }

    void recordChoice_data()
    {
        QTest::addColumn<int>("meanB0");
        QTest::addColumn<int>("varB0");
        QTest::addColumn<int>("meanB1");
        QTest::addColumn<int>("varB1");
        QTest::addColumn<quint32>("flags0");
        QTest::addColumn<quint32>("flags1");
        QTest::addColumn<int>("chosen");
        const quint32 noisy = service::DelayLineConstants::NoisyFlag;
        QTest::newRow("both noisy, record 0 smaller VarB") << 128 << 7 << 128 << 9 << noisy << noisy << 0;
        QTest::newRow("both noisy, record 1 smaller VarB") << 128 << 9 << 100 << 7 << noisy << noisy << 1;
        QTest::newRow("both noisy, equal VarB") << 128 << 9 << 100 << 9 << noisy << noisy << 1;
        QTest::newRow("record 0 noisy") << 128 << 6 << 100 << 1 << noisy << 0u << 1;
        QTest::newRow("record 1 noisy") << 100 << 1 << 128 << 6 << 0u << noisy << 0;
        QTest::newRow("VarB at the limit is steady") << 128 << 5 << 128 << 6 << 0u << noisy << 0;
        QTest::newRow("steady, MeanB 120 against 130") << 120 << 1 << 130 << 1 << 0u << 0u << 1;
        QTest::newRow("steady, record 0 nearer mid-scale") << 127 << 1 << 130 << 1 << 0u << 0u << 0;
        QTest::newRow("steady, equally near") << 124 << 1 << 132 << 1 << 0u << 0u << 1;
    }
    void recordChoice()
    {
        QFETCH(int, meanB0);
        QFETCH(int, varB0);
        QFETCH(int, meanB1);
        QFETCH(int, varB1);
        std::array records{series(37, 20, 1, meanB0, varB0), series(37, 30, 1, meanB1, varB1)};
        records[0].Flags = records[1].Flags = 0xFF;  // left from an earlier run
        double fineOffset = 0;
        QTEST(service::computeDelayLine(records, Fosc40MHz, T0, T1, fineOffset), "chosen");
        QTEST(records[0].Flags, "flags0");
        QTEST(records[1].Flags, "flags1");
    }

    // Both noisy and VarB unordered: like equal variances, record 1.
    void unorderedVarBChoosesRecord1()
    {
        std::array<bench::DelayCalibRecord, 2> records{};
        records[0].Flags = records[1].Flags = service::DelayLineConstants::NoisyFlag;
        records[0].VarB = 9;
        records[1].VarB = NaN;
        QCOMPARE(service::chooseRecord(records), 1);
        std::swap(records[0].VarB, records[1].VarB);
        QCOMPARE(service::chooseRecord(records), 1);
    }
};

QTEST_GUILESS_MAIN(TstDelayLineMath)
#include "tst_delayline_math.moc"
