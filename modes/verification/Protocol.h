#pragma once
// The protocol of one automatic verification and its arithmetic: each point's readings with
// their mean, minimum, maximum and relative error against the imitated flow, the volume and
// current checks, and the conclusion. A verdict is given only where measurements support it.
#include "modes/verification/VerificationParameters.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace verification {

// (measured - reference) / reference, in per cent; the reference must not be 0.
double relativeErrorPct(double reference, double measured);
// |error| within the permissible error passes, the limit itself included.
bool withinPermissible(double errorPct, double permissiblePct);

struct PointResult {
    int point = 0;             // m3/h, as chosen
    double imitatedFlow = 0;   // m3/h, what the module's count really imitates
    double permissiblePct = 0;
    QList<double> readings;    // the meter's flow, m3/h
    bool complete = false;     // all its readings were taken

    bool measured() const { return !readings.isEmpty(); }
    // Only for a measured point.
    double mean() const;
    double minimum() const;
    double maximum() const;
    double errorPct() const { return relativeErrorPct(imitatedFlow, mean()); }
    // None without readings, and for a point the run left before its last reading.
    std::optional<bool> passed() const;

    friend bool operator==(const PointResult&, const PointResult&) = default;
};

// A measured quantity against its reference, e.g. the meter's volume against the imitated one.
struct Comparison {
    double reference = 0;
    double measured = 0;
    double permissiblePct = 0;

    double errorPct() const { return relativeErrorPct(reference, measured); }
    bool passed() const { return withinPermissible(errorPct(), permissiblePct); }

    friend bool operator==(const Comparison&, const Comparison&) = default;
};

struct VolumeCheck {
    Comparison meter;                     // m3: the meter's volume
    std::optional<Comparison> pulses;     // m3: the volume of the counted pulses, with the УСИ

    bool passed() const { return meter.passed() && (!pulses || pulses->passed()); }
    friend bool operator==(const VolumeCheck&, const VolumeCheck&) = default;
};

struct MeterIdentity {
    QString serialNumber;
    QString owner;
    QString operatorName;

    friend bool operator==(const MeterIdentity&, const MeterIdentity&) = default;
};

enum class Conclusion { None, Fit, Unfit };

struct Protocol {
    QDateTime started;
    QString bench;      // the modules' names and serial numbers
    QString meterType;
    MeterIdentity meter;
    int autoCirculations = 0;
    double delayNs = 0;  // dT of the run's delay line calibration
    VerificationParameters parameters;
    QList<PointResult> points;
    std::optional<VolumeCheck> volume;
    std::optional<Comparison> current;  // mA, with the ИПТ
    bool complete = false;
    QString incompleteReason;  // why a run ended early

    // "Годен" only for a complete run whose every point and every check done passed; no
    // conclusion for an incomplete run.
    Conclusion conclusion() const;
    QList<int> failedPoints() const;

    friend bool operator==(const Protocol&, const Protocol&) = default;
};

QString conclusionText(Conclusion c);

}  // namespace verification
