// The data behind a trend: the window of readings stays bounded by time and by count however
// many readings arrive, and the plots' points, band and ranges follow the readings.
#include "tests/ui/TrendForm.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>

using test::TrendForm;

class TrendModelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowStaysBounded_data();
    void windowStaysBounded();
    void pointsFollowReadings();
    void errorNeedsReference();
    void timeAxisReachesOldestReading_data();
    void timeAxisReachesOldestReading();
    void rangesHoldEveryPoint_data();
    void rangesHoldEveryPoint();
    void changesAreAnnounced();
};

// Reading i carries reference i, so the oldest kept reading tells which were dropped.
void TrendModelTest::windowStaysBounded_data()
{
    QTest::addColumn<int>("readings");
    QTest::addColumn<int>("intervalMs");
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("oldest");
    const int cap = int(ui::TrendHistory::DefaultCapacity);
    QTest::newRow("an hour, one a second") << 3600 << 1000 << 600 << 3000;
    QTest::newRow("just the span") << 600 << 1000 << 600 << 0;
    QTest::newRow("an hour, one a minute") << 60 << 60000 << 10 << 50;
    QTest::newRow("a burst at one instant") << 3 * cap << 0 << cap << 2 * cap;
    QTest::newRow("an hour, ten a second") << 36000 << 100 << cap << 36000 - cap;
}

void TrendModelTest::windowStaysBounded()
{
    QFETCH(int, readings);
    QFETCH(int, intervalMs);
    QFETCH(int, kept);
    QFETCH(int, oldest);
    ui::TrendHistory history;
    for (int i = 0; i < readings; ++i)
        history.add(qint64(i) * intervalMs, i, i + 0.5);

    QCOMPARE(history.size(), kept);
    const auto& samples = history.samples();
    QCOMPARE(samples.front().reference, double(oldest));
    QCOMPARE(samples.back().reference, double(readings - 1));
    QCOMPARE(samples.back().measured, readings - 0.5);
    QVERIFY(std::is_sorted(samples.begin(), samples.end(), [](auto& a, auto& b) { return a.ms < b.ms; }));
    QVERIFY(samples.back().ms - samples.front().ms < history.spanMs());
}

// x is minutes before the newest reading; the band is the permissible share of the reference.
void TrendModelTest::pointsFollowReadings()
{
    TrendForm f;
    f.read(20, 19, 0);
    f.read(20, 20.1, 30000);
    const ui::TrendPoints p = f.trend.points();

    QCOMPARE(p.reference, (QList<QPointF>{{-0.5, 20}, {0, 20}}));
    QCOMPARE(p.measured, (QList<QPointF>{{-0.5, 19}, {0, 20.1}}));
    QCOMPARE(p.bandUpper, (QList<QPointF>{{-0.5, 20.16}, {0, 20.16}}));
    QCOMPARE(p.bandLower, (QList<QPointF>{{-0.5, 19.84}, {0, 19.84}}));
    QCOMPARE(p.error, (QList<QPointF>{{-0.5, -5}, {0, 0.5}}));
    QCOMPARE(p.errorUpper, (QList<QPointF>{{-1, 0.8}, {0, 0.8}}));
    QCOMPARE(p.errorLower, (QList<QPointF>{{-1, -0.8}, {0, -0.8}}));
}

// With the imitation stopped the flows are still drawn, but there is no error to draw.
void TrendModelTest::errorNeedsReference()
{
    TrendForm f;
    f.read(0, 1.5);
    f.read(10, 9.5);
    f.read(0, 0.2);
    const ui::TrendPoints p = f.trend.points();
    QCOMPARE(p.measured.size(), 3);
    QCOMPARE(p.error, (QList<QPointF>{{-1.0 / 60, -5}}));
}

void TrendModelTest::timeAxisReachesOldestReading_data()
{
    QTest::addColumn<int>("readings");  // one a second
    QTest::addColumn<double>("timeMin");
    QTest::addColumn<double>("timeStep");
    QTest::newRow("none") << 0 << -1.0 << 0.25;
    QTest::newRow("half a minute") << 31 << -1.0 << 0.25;
    QTest::newRow("two minutes") << 121 << -2.0 << 0.25;
    QTest::newRow("three minutes") << 181 << -3.0 << 0.5;
    QTest::newRow("an hour") << 3600 << -599 / 60.0 << 1.0;
}

// After "Сброс" a settling meter fills the plot; later the axis widens to the whole span.
void TrendModelTest::timeAxisReachesOldestReading()
{
    QFETCH(int, readings);
    TrendForm f;
    for (int i = 0; i < readings; ++i)
        f.read(20, 20.1);
    const ui::TrendPoints p = f.trend.points();
    QTEST(p.timeAxis.min, "timeMin");
    QCOMPARE(p.timeAxis.max, 0.0);
    QTEST(p.timeAxis.step, "timeStep");
    if (readings > 0)
        QVERIFY(p.measured.constFirst().x() >= p.timeAxis.min);
    QCOMPARE(p.errorUpper.constFirst().x(), p.timeAxis.min);
}

void TrendModelTest::rangesHoldEveryPoint_data()
{
    QTest::addColumn<QList<QPointF>>("readings");  // x: reference, y: measured
    QTest::newRow("none") << QList<QPointF>{};
    QTest::newRow("settled") << QList<QPointF>{{20, 20.01}, {20, 19.99}, {20, 20}};
    QTest::newRow("settling from zero") << QList<QPointF>{{40, 0}, {40, 25}, {40, 39.5}, {40, 40.1}};
    QTest::newRow("point change") << QList<QPointF>{{5, 5}, {20, 5}, {20, 19.8}};
    QTest::newRow("imitation stopped") << QList<QPointF>{{0, 0}, {0, 0}};
    QTest::newRow("reverse flow") << QList<QPointF>{{-10, -9.9}, {-10, -10.3}};
}

// Round grid lines around every point. A settled meter still shows its permissible lines well
// inside the error plot; an error far beyond them runs off it.
void TrendModelTest::rangesHoldEveryPoint()
{
    QFETCH(QList<QPointF>, readings);
    TrendForm f;
    for (const QPointF& r : readings)
        f.read(r.x(), r.y());
    const ui::TrendPoints p = f.trend.points();

    for (const ui::AxisRange& axis : {p.flowAxis, p.errorAxis}) {
        QVERIFY(axis.step > 0);
        const double lines = (axis.max - axis.min) / axis.step;
        QVERIFY2(lines >= 4 && lines <= 12, qPrintable(QString::number(lines)));
        QCOMPARE(std::remainder(axis.min, axis.step) + 1, 1.0);
        QCOMPARE(std::remainder(axis.max, axis.step) + 1, 1.0);
    }
    for (const QList<QPointF>* flow : {&p.reference, &p.measured, &p.bandUpper, &p.bandLower})
        for (const QPointF& pt : *flow)
            QVERIFY2(pt.y() >= p.flowAxis.min && pt.y() < p.flowAxis.max, qPrintable(QString::number(pt.y())));
    const double permissible = f.trend.permissibleError();
    QVERIFY(p.errorAxis.min < -2 * permissible);
    QVERIFY(p.errorAxis.max > 2 * permissible);
    const double farthest = ui::Trend::ErrorAxisLimits * permissible;
    QVERIFY(p.errorAxis.min > -2 * farthest && p.errorAxis.max < 2 * farthest);
    for (const QPointF& pt : p.error)
        if (std::abs(pt.y()) <= farthest)
            QVERIFY2(pt.y() > p.errorAxis.min && pt.y() < p.errorAxis.max, qPrintable(QString::number(pt.y())));
}

void TrendModelTest::changesAreAnnounced()
{
    TrendForm f;
    QSignalSpy spy(&f.trend, &ui::Trend::pointsChanged);
    f.read(20, 20);
    QCOMPARE(spy.count(), 1);
    f.trend.setPermissibleError(1.5);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(f.trend.points().bandUpper.constFirst().y(), 20.3);
    f.trend.setPermissibleError(1.5);
    QCOMPARE(spy.count(), 2);
    f.trend.clear();
    QCOMPARE(spy.count(), 3);
    QVERIFY(f.trend.history().isEmpty());
    QVERIFY(f.trend.points().measured.isEmpty());
}

QTEST_GUILESS_MAIN(TrendModelTest)
#include "TrendModelTest.moc"
