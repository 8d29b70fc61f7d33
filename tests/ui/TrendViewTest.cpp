// The trend's widget: two plots that nobody tabs into and a screen reader names by their
// titles, whose series take the model's points in one coalesced redraw after a burst of
// readings, and only once the window is seen.
#include "tests/ui/TrendForm.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/views/TrendView.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QSignalSpy>
#include <QValueAxis>
#include <QtTest>

using test::TrendForm;
using ui::qt::FormWindow;
using ui::qt::views::TrendView;

namespace {

QXYSeries* line(QChart* chart, const QString& name)
{
    for (QAbstractSeries* s : chart->series())
        if (s->name() == name && s->type() == QAbstractSeries::SeriesTypeLine)
            return static_cast<QXYSeries*>(s);
    return nullptr;
}

QAreaSeries* area(QChart* chart)
{
    for (QAbstractSeries* s : chart->series())
        if (s->type() == QAbstractSeries::SeriesTypeArea)
            return static_cast<QAreaSeries*>(s);
    return nullptr;
}

QValueAxis* axis(QChart* chart, Qt::Orientation o)
{
    return qobject_cast<QValueAxis*>(chart->axes(o).constFirst());
}

struct Shown {
    Shown() : window(form), view(window.widgetOf(&form.trend)->findChild<TrendView*>()) {}
    // The points the plots hold now, in the order of the model's points.
    QList<qsizetype> counts() const
    {
        QAreaSeries* band = area(view->flowChart());
        return {line(view->flowChart(), form.trend.referenceName)->count(),
                line(view->flowChart(), form.trend.measuredName)->count(), band->upperSeries()->count(),
                band->lowerSeries()->count(), line(view->errorChart(), form.trend.measuredName)->count()};
    }

    TrendForm form;
    FormWindow window;
    TrendView* view;
};

}  // namespace

class TrendViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plotsAreReadOnlyAndTitled();
    void burstIsOneRedraw();
    void hiddenWindowDrawsWhenShown();
};

void TrendViewTest::plotsAreReadOnlyAndTitled()
{
    Shown s;
    QVERIFY(s.view);
    const auto charts = s.window.widgetOf(&s.form.trend)->findChildren<QChartView*>();
    QCOMPARE(charts.size(), 2);
    for (const QChartView* c : charts) {
        QCOMPARE(c->focusPolicy(), Qt::NoFocus);
        QCOMPARE(c->accessibleName(), c->chart()->title());  // what a screen reader says
    }
    QCOMPARE(s.view->flowChart()->title(), QStringLiteral("Расход"));
    QCOMPARE(s.view->errorChart()->title(), QStringLiteral("Погрешность"));
    QVERIFY(area(s.view->flowChart()));
    QVERIFY(line(s.view->flowChart(), QStringLiteral("Эталон")));
    QVERIFY(line(s.view->flowChart(), QStringLiteral("Прибор")));
    QVERIFY(line(s.view->errorChart(), QStringLiteral("Прибор")));
}

// A hundred readings at once, the first without a reference: one redraw carries them all.
void TrendViewTest::burstIsOneRedraw()
{
    Shown s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QSignalSpy redraws(line(s.view->flowChart(), QStringLiteral("Прибор")), &QXYSeries::pointsReplaced);
    s.form.read(0, 0.5);
    for (int i = 1; i < 100; ++i)
        s.form.read(20, 20 + i / 1000.0);
    QTRY_COMPARE(redraws.count(), 1);
    QCOMPARE(s.counts(), (QList<qsizetype>{100, 100, 100, 100, 99}));
    const ui::TrendPoints p = s.form.trend.points();
    const auto shows = [](QValueAxis* a, const ui::AxisRange& r) {
        return a->min() == r.min && a->max() == r.max && a->tickInterval() == r.step;
    };
    QVERIFY(shows(axis(s.view->flowChart(), Qt::Vertical), p.flowAxis));
    QVERIFY(shows(axis(s.view->errorChart(), Qt::Vertical), p.errorAxis));
    QVERIFY(shows(axis(s.view->flowChart(), Qt::Horizontal), p.timeAxis));
    QVERIFY(shows(axis(s.view->errorChart(), Qt::Horizontal), p.timeAxis));
    QVERIFY(!s.view->redrawPending());
    QCOMPARE(redraws.count(), 1);
}

// Readings that arrive while the window is hidden cost nothing until it is shown.
void TrendViewTest::hiddenWindowDrawsWhenShown()
{
    Shown s;
    QSignalSpy redraws(line(s.view->flowChart(), QStringLiteral("Прибор")), &QXYSeries::pointsReplaced);
    for (int i = 0; i < 30; ++i)
        s.form.read(20, 19.9);
    QTRY_VERIFY(!s.view->redrawPending());
    QCOMPARE(redraws.count(), 0);
    s.form.show();
    QCOMPARE(redraws.count(), 1);
    QCOMPARE(s.counts(), (QList<qsizetype>{30, 30, 30, 30, 30}));

    s.form.trend.clear();
    QTRY_COMPARE(redraws.count(), 2);
    QCOMPARE(s.counts(), (QList<qsizetype>{0, 0, 0, 0, 0}));
}

QTEST_MAIN(TrendViewTest)
#include "TrendViewTest.moc"
