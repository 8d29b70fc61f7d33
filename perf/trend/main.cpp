// What an hour of flow readings at one a second costs the statistics window's trend: the
// resident memory as the readings pile up, and the time of a redraw (the points put into the
// series, the charts laid out, the plots painted), on the offscreen platform.
//
//   trend_redraw [minutes=60]
//
// The trend's clock is the benchmark's own, so the hour passes as fast as the redraws allow.
#include "../soak/ProcessUsage.h"
#include "ui/forms/CalcForm.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/views/TrendView.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kReadingsPerMinute = 60;
constexpr double kPermissiblePct = 0.8;

// The reference steps through the points 5, 20 and 40 m3/h every ten minutes; the meter
// follows it with a lag of a few seconds and a little noise.
struct Bench {
    double reference(int second) const
    {
        static constexpr double points[] = {5, 20, 40};
        return points[(second / 600) % 3];
    }
    double read(int second)
    {
        const double target = reference(second);
        meter += (target - meter) * 0.4;
        return meter * (1.0 + 0.002 * std::sin(second * 1.7));
    }
    double meter = 0;
};

struct Timing {
    void add(double ms)
    {
        last = ms;
        total += ms;
        worst = std::max(worst, ms);
        ++count;
    }
    double mean() const { return count ? total / count : 0; }
    double last = 0;
    double total = 0;
    double worst = 0;
    int count = 0;
};

double msSince(const QElapsedTimer& t)
{
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::qt::applyApplicationLook(app);
    const int minutes = std::max(1, QApplication::arguments().value(1, QStringLiteral("60")).toInt());

    ui::forms::CalcForm form;
    qint64 nowMs = 0;
    form.trend.setClock([&nowMs] { return nowMs; });
    form.trend.setPermissibleError(kPermissiblePct);
    ui::qt::FormWindow window(form);
    form.show();
    QWidget* plots = window.widgetOf(&form.trend);
    auto* view = plots->findChild<ui::qt::views::TrendView*>();
    Q_ASSERT(view);
    QApplication::processEvents();

    const qint64 startKb = perf::residentKb();
    // One reading a second: the trend holds its whole span from this reading on.
    const int fullAt = int(ui::TrendHistory::DefaultSpanMs / 1000);
    qint64 fullKb = 0;
    Timing replace, layout, paint, whole, wholeWhenFull;
    Bench bench;
    for (int second = 0; second < minutes * kReadingsPerMinute; ++second) {
        nowMs += 1000;
        form.trend.add(bench.reference(second), bench.read(second));
        QElapsedTimer t;
        t.start();
        view->redraw();
        replace.add(msSince(t));
        t.restart();
        QApplication::sendPostedEvents();  // the charts lay out their new ranges
        layout.add(msSince(t));
        t.restart();
        plots->grab();  // paints the plots as the screen would, into a picture
        paint.add(msSince(t));
        whole.add(replace.last + layout.last + paint.last);
        if (second + 1 == fullAt)
            fullKb = perf::residentKb();
        else if (second + 1 > fullAt)
            wholeWhenFull.add(whole.last);
    }
    const qint64 endKb = perf::residentKb();

    std::printf("readings            %d (one a second, %d min)\n", minutes * kReadingsPerMinute, minutes);
    std::printf("samples kept        %lld\n", qlonglong(form.trend.history().size()));
    std::printf("resident at start   %lld kB\n", qlonglong(startKb));
    if (fullKb > 0)
        std::printf("growth to full span %lld kB (%d readings)\n", qlonglong(fullKb - startKb), fullAt);
    std::printf("growth to the end   %lld kB\n", qlonglong(endKb - startKb));
    if (fullKb > 0)
        std::printf("growth after that   %lld kB\n", qlonglong(endKb - fullKb));
    std::printf("series update       mean %.3f ms, max %.3f ms\n", replace.mean(), replace.worst);
    std::printf("chart layout        mean %.3f ms, max %.3f ms\n", layout.mean(), layout.worst);
    std::printf("paint               mean %.3f ms, max %.3f ms\n", paint.mean(), paint.worst);
    std::printf("redraw, all three   mean %.3f ms, max %.3f ms\n", whole.mean(), whole.worst);
    if (wholeWhenFull.count > 0)
        std::printf("  with a full span  mean %.3f ms, max %.3f ms\n", wholeWhenFull.mean(), wholeWhenFull.worst);
    return 0;
}
