#include "modes/MeterOutputs.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace modes {

CurrentCalibration currentCalibration(const CurrentTable& table, int slot)
{
    Q_ASSERT(slot == 0 || slot == 1);
    return {table[size_t(2 + slot)], table[size_t(6 + slot)]};
}

std::optional<int> currentSlot(int firstKind, int secondKind)
{
    if (firstKind == CurrentSlotKind)
        return 0;
    if (secondKind == CurrentSlotKind)
        return 1;
    return std::nullopt;
}

std::optional<double> expectedCurrentMa(double flow, const CurrentCalibration& c)
{
    if (c.i20 - c.i4 == 0)
        return std::nullopt;
    const double nominal = std::clamp(flow, 0.0, CurrentFullScaleFlow) / CurrentFullScaleFlow * 16.0 + 4.0;
    // The meter's own calibration maps the nominal 4..20 mA onto what it really puts out.
    const double scale = 16.0 / (c.i20 - c.i4);
    const double offset = std::abs((4.0 * c.i20 - 20.0 * c.i4) / (c.i20 - c.i4));
    return scale * nominal + offset;
}

double pulseVolume(double pulses)
{
    return pulses * VolumePerPulse;
}

}  // namespace modes
