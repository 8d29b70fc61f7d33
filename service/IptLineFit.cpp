#include "service/IptLineFit.h"

#include <array>

namespace service {

std::optional<IptLine> fitIptLine(qint32 rawAtZero, qint32 rawAtFull)
{
    using Real = long double;
    constexpr int PointCount = 2;
    constexpr std::array<Real, PointCount> x{0, IptFullScaleMa};
    const std::array<Real, PointCount> y{Real(rawAtZero), Real(rawAtFull)};
    Real sy = 0, sx = 0, syy = 0, sxy = 0;
    for (size_t i = 0; i < PointCount; ++i) {
        sy += y[i];
        sx += x[i];
        syy += y[i] * y[i];
        sxy += x[i] * y[i];
    }
    const Real d = sy * sy - PointCount * syy;
    if (d == 0)
        return std::nullopt;
    const Real scale = (sy * sx - PointCount * sxy) / d;
    const Real offset = (sx - scale * sy) / PointCount;
    return IptLine{double(scale), double(offset)};
}

bool withinIptLimits(const IptLine& line)
{
    return line.scale >= 0.00002 && line.scale <= 0.00004 && line.offset >= -4 && line.offset <= -2;
}

}  // namespace service
