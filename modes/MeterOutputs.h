#pragma once
// What the meter's outputs should give: its pulse output one pulse per litre, its 4..20 mA
// current output over 0..300 m3/h mapped through the meter's own calibration table. The
// statistics window and the automatic verification judge the outputs by the same numbers.
#include <array>
#include <optional>

namespace modes {

inline constexpr double VolumePerPulse = 0.001;  // m3
inline constexpr double CurrentFullScaleFlow = 300.0;  // m3/h at 20 mA
// The kind of an output slot that carries the current output.
inline constexpr int CurrentSlotKind = 2;

// The meter's calibration table as read: element 2k + s is point k (0..3) of output slot s
// (0, 1); point 1 is the 4 mA point, point 3 the 20 mA point.
using CurrentTable = std::array<double, 8>;

struct CurrentCalibration {
    double i4 = 0;
    double i20 = 0;
};

CurrentCalibration currentCalibration(const CurrentTable& table, int slot);

// The first of the two slots whose board is a current output; none without one.
std::optional<int> currentSlot(int firstKind, int secondKind);

// The current the meter should put out for its flow reading `flow`, mA; none when its 4 and
// 20 mA currents are equal.
std::optional<double> expectedCurrentMa(double flow, const CurrentCalibration& calibration);

double pulseVolume(double pulses);

}  // namespace modes
