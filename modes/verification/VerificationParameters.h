#pragma once
// What the automatic verification of a meter runs with: the five process parameters, the set of
// verification points, and the maximum permissible error of each meter type. Kept in ZTA.ini;
// the permissible error sits beside the type's catalogue entry without touching its keys.
#include "meter/PermissibleError.h"

#include <QList>

namespace settings {
class IniFile;
}

namespace verification {

struct VerificationParameters {
    static constexpr double DefaultPermissibleErrorPct = meter::DefaultPermissibleErrorPct;

    int settleMs = 30000;        // after a flow change, before the first reading
    int readings = 10;           // meter readings per point
    int periodMs = 1000;         // between two readings
    int volumeSettleMs = 10000;  // before each volume reading of the volume check
    double volume = 1;           // m3 of the volume check; 0: no volume check
    QList<int> points{30, 150, 300};  // m3/h

    friend bool operator==(const VerificationParameters&, const VerificationParameters&) = default;

    // Absent or unusable values keep their defaults.
    static VerificationParameters read(const settings::IniFile& ini);
    // False when the file could not be written (the operator has been told).
    bool write(settings::IniFile& ini) const;
};

// Of meter type `meterType` (the catalogue entry meterType + 1); the default when not stored.
double permissibleErrorPct(const settings::IniFile& ini, int meterType);
bool writePermissibleErrorPct(settings::IniFile& ini, int meterType, double pct);

}  // namespace verification
