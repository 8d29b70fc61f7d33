#include "modes/verification/Protocol.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace verification {

namespace {
// The error is computed from floating-point readings: an error equal to the limit as the
// operator reads it must not fail by the last bit of its representation.
constexpr double kRepresentationSlack = 1e-9;
}  // namespace

double relativeErrorPct(double reference, double measured)
{
    Q_ASSERT(reference != 0);
    return (measured - reference) / reference * 100.0;
}

bool withinPermissible(double errorPct, double permissiblePct)
{
    return std::abs(errorPct) <= permissiblePct + kRepresentationSlack;
}

double PointResult::mean() const
{
    Q_ASSERT(measured());
    return std::accumulate(readings.begin(), readings.end(), 0.0) / double(readings.size());
}

double PointResult::minimum() const
{
    Q_ASSERT(measured());
    return *std::min_element(readings.begin(), readings.end());
}

double PointResult::maximum() const
{
    Q_ASSERT(measured());
    return *std::max_element(readings.begin(), readings.end());
}

std::optional<bool> PointResult::passed() const
{
    if (!measured() || !complete)
        return std::nullopt;
    return withinPermissible(errorPct(), permissiblePct);
}

QList<int> Protocol::failedPoints() const
{
    QList<int> failed;
    for (const PointResult& p : points)
        if (p.passed() == false)
            failed.append(p.point);
    return failed;
}

Conclusion Protocol::conclusion() const
{
    if (!complete)
        return Conclusion::None;
    const bool pointsPass = !points.isEmpty() && std::all_of(points.begin(), points.end(), [](const PointResult& p) {
        return p.passed() == true;
    });
    const bool checksPass = (!volume || volume->passed()) && (!current || current->passed());
    return pointsPass && checksPass ? Conclusion::Fit : Conclusion::Unfit;
}

QString conclusionText(Conclusion c)
{
    switch (c) {
    case Conclusion::Fit: return QStringLiteral("Годен");
    case Conclusion::Unfit: return QStringLiteral("Не годен");
    case Conclusion::None: break;
    }
    return QString();
}

}  // namespace verification
