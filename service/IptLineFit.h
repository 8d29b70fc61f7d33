#pragma once
// The straight line a current meter channel reads by, current = scale x raw sum + offset,
// fitted through the raw sums the channel gives at the two ends of the AD420 converter's range,
// and the limits a healthy channel's line stays within.
#include <QtGlobal>

#include <optional>

namespace service {

inline constexpr double IptFullScaleMa = 23.999334;  // the converter at code 65535

struct IptLine {
    double scale = 0;   // mA per count of the raw sum
    double offset = 0;  // mA
};

// Least squares over the points (0 mA, rawAtZero) and (IptFullScaleMa, rawAtFull); none when
// the raw sums are equal.
std::optional<IptLine> fitIptLine(qint32 rawAtZero, qint32 rawAtFull);

bool withinIptLimits(const IptLine& line);

}  // namespace service
