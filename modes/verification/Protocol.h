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

// A measured quantity against its reference, e.g. the meter's volume against the imitated one.
struct Comparison {
    double reference = 0;
    double measured = 0;
    double permissiblePct = 0;

    double errorPct() const { return relativeErrorPct(reference, measured); }
    bool passed() const { return withinPermissible(errorPct(), permissiblePct); }

    friend bool operator==(const Comparison&, const Comparison&) = default;
};

struct PointResult {
    int point = 0;             // m3/h, as chosen
    // m3/h, what the module's count really imitates; none for a point the run never reached.
    std::optional<double> imitatedFlow;
    double permissiblePct = 0;
    QList<double> readings;    // the meter's flow, m3/h
    bool complete = false;     // all its readings were taken
    // mA: the current the mean flow reading should give against the one the ИПТ measured;
    // none where the current output is not checked.
    std::optional<Comparison> current;

    bool measured() const { return !readings.isEmpty(); }
    // Only for a measured point (a point is measured at the flow it imitates).
    double mean() const;
    double minimum() const;
    double maximum() const;
    double errorPct() const;
    // The flow's verdict: none without readings, and for a point the run left before its last
    // reading.
    std::optional<bool> passed() const;

    friend bool operator==(const PointResult&, const PointResult&) = default;
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
    // Why a check was not made: the module or the meter's output it needs is absent, or the
    // run was set up without it. Empty when it was made or the run ended before it.
    QString volumeSkipped;
    QString pulsesSkipped;
    QString currentSkipped;
    bool complete = false;
    QString incompleteReason;  // why a run ended early

    // "Годен" only for a complete run whose every point and every check done passed; no
    // conclusion for an incomplete run. A check not made counts neither way.
    Conclusion conclusion() const;
    // The points whose flow error is over the permissible one.
    QList<int> failedPoints() const;
    // The points whose current output's error is over the permissible one.
    QList<int> failedCurrents() const;

    friend bool operator==(const Protocol&, const Protocol&) = default;
};

QString conclusionText(Conclusion c);

// The words every form of the protocol uses for the checks.
namespace caption {
inline const QString MeterVolume = QStringLiteral("Объем по прибору, м3");
inline const QString PulseVolume = QStringLiteral("Объем по импульсам, м3");
inline const QString Current = QStringLiteral("Токовый выход, мА");
// A point without readings, the run ended before or while it settled.
inline const QString NotMeasured = QStringLiteral("не измерялась");
}  // namespace caption

// "не проводилась (<reason>)"
QString notDoneText(const QString& reason);
// The reason back from notDoneText(); none for other text.
std::optional<QString> notDoneReason(const QString& text);

// One row of the checks as the protocol window and the printed protocol show them: a
// comparison made, or the reason it was not.
struct CheckRow {
    QString caption;
    std::optional<Comparison> comparison;
    QString skipped;
    bool ofPoint = false;  // the current of one point
};

// The volume by the meter, the volume by the pulses, the current at each point; a check not
// made is one row with its reason.
QList<CheckRow> checkRows(const Protocol& protocol);

}  // namespace verification
