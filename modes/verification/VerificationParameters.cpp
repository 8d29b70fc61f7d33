#include "modes/verification/VerificationParameters.h"

#include "shell/settings/IniFile.h"

#include <QLocale>
#include <QStringList>

namespace verification {

namespace {
const QString kSection = QStringLiteral("AutoTest");
const QString kSettle = QStringLiteral("SettleMs");
const QString kReadings = QStringLiteral("Readings");
const QString kPeriod = QStringLiteral("PeriodMs");
const QString kVolumeSettle = QStringLiteral("VolumeSettleMs");
const QString kVolume = QStringLiteral("Volume");
const QString kPoints = QStringLiteral("Points");

// A stored value replaces the default only when it is at least `least`.
void readAtLeast(const settings::IniFile& ini, const QString& key, int least, int& value)
{
    const int stored = ini.readInteger(kSection, key, value);
    if (stored >= least)
        value = stored;
}

// "30,150,300": the points in m3/h; an empty or damaged list gives none.
QList<int> parsePoints(const QString& text)
{
    QList<int> points;
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int point = item.trimmed().toInt(&ok);
        if (!ok || point <= 0)
            return {};
        points.append(point);
    }
    return points;
}

QString joinPoints(const QList<int>& points)
{
    QStringList items;
    for (int p : points)
        items.append(QString::number(p));
    return items.join(QLatin1Char(','));
}
}  // namespace

VerificationParameters VerificationParameters::read(const settings::IniFile& ini)
{
    VerificationParameters p;
    readAtLeast(ini, kSettle, 0, p.settleMs);
    readAtLeast(ini, kReadings, 1, p.readings);
    readAtLeast(ini, kPeriod, 0, p.periodMs);
    readAtLeast(ini, kVolumeSettle, 0, p.volumeSettleMs);
    bool ok = false;
    const double volume = ini.readString(kSection, kVolume, QString()).toDouble(&ok);
    if (ok && volume >= 0)
        p.volume = volume;
    const QList<int> points = parsePoints(ini.readString(kSection, kPoints, QString()));
    if (!points.isEmpty())
        p.points = points;
    return p;
}

bool VerificationParameters::write(settings::IniFile& ini) const
{
    return ini.writeInteger(kSection, kSettle, settleMs) && ini.writeInteger(kSection, kReadings, readings)
           && ini.writeInteger(kSection, kPeriod, periodMs) && ini.writeInteger(kSection, kVolumeSettle, volumeSettleMs)
           && ini.writeString(kSection, kVolume, QString::number(volume, 'g', QLocale::FloatingPointShortest)) && ini.writeString(kSection, kPoints, joinPoints(points));
}

double permissibleErrorPct(const settings::IniFile& ini, int meterType)
{
    return meter::storedPermissibleErrorPct(ini, meterType + 1).value_or(VerificationParameters::DefaultPermissibleErrorPct);
}

bool writePermissibleErrorPct(settings::IniFile& ini, int meterType, double pct)
{
    return meter::writePermissibleErrorPct(ini, meterType + 1, pct);
}

}  // namespace verification
