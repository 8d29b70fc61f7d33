// One point of a run: its readings, each with the current output's current where that is
// checked, and its judgement once the last is taken.
#include "modes/verification/AutoVerification.h"

#include <numeric>

namespace verification {

void AutoVerification::takeReading(double flow)
{
    m_protocol.points[m_point].readings.append(flow);
    if (!record([&](RunJournal& j) { return j.reading(m_point, flow); }))
        return;
    if (m_currentPlan) {
        const std::optional<double> current = readCurrent();
        if (!current)
            return;
        m_currents.append(*current);
    }
    if (m_protocol.points[m_point].readings.size() >= m_protocol.parameters.readings)
        finishPoint();
    else
        waitThen(Phase::Pausing, m_protocol.parameters.periodMs);
}

bool AutoVerification::judgePoint()
{
    PointResult& p = m_protocol.points[m_point];
    if (m_currentPlan) {
        const double expected = *modes::expectedCurrentMa(p.mean(), m_currentPlan->calibration);
        if (expected <= 0) {
            end(QStringLiteral("калибровочные токи прибора дают расчетный ток %1 мА").arg(expected));
            return false;
        }
        const double measured = std::accumulate(m_currents.begin(), m_currents.end(), 0.0) / double(m_currents.size());
        p.current = Comparison{expected, measured, p.permissiblePct};
    }
    p.complete = true;
    return record([&](RunJournal& j) { return j.pointDone(m_point, p); });
}

}  // namespace verification
