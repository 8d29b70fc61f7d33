#pragma once
// The maximum permissible error of a meter type, kept as a key of its catalogue entry ("List",
// "MaxErr<n>" beside "Name<n>"), so the catalogue's own keys stay as they are.
#include <QString>

#include <optional>

namespace settings {
class IniFile;
}

namespace meter {

constexpr double DefaultPermissibleErrorPct = 0.8;

// Of catalogue entry `entry` (numbered from 1); none when absent or not a positive number.
std::optional<double> storedPermissibleErrorPct(const settings::IniFile& ini, int entry);
bool writePermissibleErrorPct(settings::IniFile& ini, int entry, double pct);
// Leaves the entry without a value of its own (it then has the default); false when the file
// could not be written.
bool clearPermissibleErrorPct(settings::IniFile& ini, int entry);

}  // namespace meter
