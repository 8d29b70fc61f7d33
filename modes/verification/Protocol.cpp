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

double PointResult::errorPct() const
{
    Q_ASSERT(measured() && imitatedFlow);
    return relativeErrorPct(*imitatedFlow, mean());
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

QList<int> Protocol::failedCurrents() const
{
    QList<int> failed;
    for (const PointResult& p : points)
        if (p.current && !p.current->passed())
            failed.append(p.point);
    return failed;
}

Conclusion Protocol::conclusion() const
{
    if (!complete)
        return Conclusion::None;
    const bool pointsPass = !points.isEmpty() && std::all_of(points.begin(), points.end(), [](const PointResult& p) {
        return p.passed() == true && (!p.current || p.current->passed());
    });
    const bool volumePasses = !volume || volume->passed();
    return pointsPass && volumePasses ? Conclusion::Fit : Conclusion::Unfit;
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

namespace {
const QString kNotDone = QStringLiteral("не проводилась (");
}  // namespace

QString notDoneText(const QString& reason)
{
    return kNotDone + reason + QLatin1Char(')');
}

std::optional<QString> notDoneReason(const QString& text)
{
    if (!text.startsWith(kNotDone) || !text.endsWith(QLatin1Char(')')))
        return std::nullopt;
    return text.mid(kNotDone.size(), text.size() - kNotDone.size() - 1);
}

QList<CheckRow> checkRows(const Protocol& p)
{
    QList<CheckRow> rows;
    if (p.volume)
        rows.append({caption::MeterVolume, p.volume->meter, {}});
    else if (!p.volumeSkipped.isEmpty())
        rows.append({caption::MeterVolume, std::nullopt, p.volumeSkipped});
    if (p.volume && p.volume->pulses)
        rows.append({caption::PulseVolume, p.volume->pulses, {}});
    else if (!p.pulsesSkipped.isEmpty())
        rows.append({caption::PulseVolume, std::nullopt, p.pulsesSkipped});
    if (!p.currentSkipped.isEmpty())
        rows.append({caption::Current, std::nullopt, p.currentSkipped});
    for (const PointResult& point : p.points)
        if (point.current)
            rows.append({QStringLiteral("Токовый выход при %1 м3/ч, мА").arg(point.point), point.current, {}, true});
    return rows;
}

}  // namespace verification
