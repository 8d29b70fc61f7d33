#include "ui/model/Trend.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace ui {

namespace {
constexpr double kMsPerMinute = 60000.0;
constexpr double kShortestAxisMinutes = 1.0;

// Grid lines at round fractions of a minute, four to ten of them.
double gridStep(double minutes)
{
    for (double step : {0.25, 0.5})
        if (minutes <= step * 8)
            return step;
    return 1.0;
}

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Room above and below the drawn values, then widened to round grid lines, about five of
// them. An axis of flows that never go below zero starts at zero.
AxisRange roundRange(double lo, double hi)
{
    const double pad = hi > lo ? (hi - lo) * 0.1 : std::max(std::abs(hi) * 0.1, 1.0);
    const double from = lo >= 0 ? std::max(lo - pad, 0.0) : lo - pad;
    const double to = hi + pad;
    const double raw = (to - from) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * magnitude) {
            step = m * magnitude;
            break;
        }
    return {std::floor(from / step) * step, std::ceil(to / step) * step, step};
}
}  // namespace

Trend::Trend(Form* form, const char* name, Control* parent) : Control(form, name, Kind::Trend, parent), m_clock(steadyMs)
{
}

void Trend::setClock(Clock clock)
{
    Q_ASSERT(clock);
    m_clock = std::move(clock);
}

void Trend::setPermissibleError(double percent)
{
    Q_ASSERT(percent >= 0);
    if (m_permissible == percent)
        return;
    m_permissible = percent;
    Q_EMIT pointsChanged();
}

void Trend::add(double reference, double measured)
{
    m_history.add(m_clock(), reference, measured);
    Q_EMIT pointsChanged();
}

void Trend::clear()
{
    if (m_history.isEmpty())
        return;
    m_history.clear();
    Q_EMIT pointsChanged();
}

TrendPoints Trend::points() const
{
    TrendPoints p;
    const auto& samples = m_history.samples();
    const qsizetype n = m_history.size();
    for (QList<QPointF>* list : {&p.reference, &p.measured, &p.bandUpper, &p.bandLower, &p.error})
        list->reserve(n);
    const double share = m_permissible / 100.0;
    double flowLo = 0, flowHi = 0, worstError = 0;
    if (n > 0)
        flowLo = flowHi = samples.back().measured;
    const qint64 newest = n > 0 ? samples.back().ms : 0;
    const double oldestAge = n > 0 ? (newest - samples.front().ms) / kMsPerMinute : 0;
    const double age = std::max(oldestAge, kShortestAxisMinutes);
    p.timeAxis = {-age, 0, gridStep(age)};
    for (const TrendSample& s : samples) {
        const double x = (s.ms - newest) / kMsPerMinute;
        const double upper = s.reference + std::abs(s.reference) * share;
        const double lower = s.reference - std::abs(s.reference) * share;
        p.reference.append(QPointF(x, s.reference));
        p.measured.append(QPointF(x, s.measured));
        p.bandUpper.append(QPointF(x, upper));
        p.bandLower.append(QPointF(x, lower));
        flowLo = std::min({flowLo, lower, s.measured});
        flowHi = std::max({flowHi, upper, s.measured});
        if (s.reference != 0) {
            const double error = (s.measured - s.reference) / s.reference * 100.0;
            p.error.append(QPointF(x, error));
            worstError = std::max(worstError, std::abs(error));
        }
    }
    p.errorUpper = {QPointF(p.timeAxis.min, m_permissible), QPointF(0, m_permissible)};
    p.errorLower = {QPointF(p.timeAxis.min, -m_permissible), QPointF(0, -m_permissible)};
    p.flowAxis = roundRange(flowLo, flowHi);
    // The permissible lines stay well inside the plot, so a settled meter reads at a glance.
    double errorBound = std::max(2 * m_permissible, worstError);
    if (m_permissible > 0)
        errorBound = std::min(errorBound, ErrorAxisLimits * m_permissible);
    p.errorAxis = roundRange(-errorBound, errorBound);
    return p;
}

}  // namespace ui
