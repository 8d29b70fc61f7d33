#include "meter/PermissibleError.h"

#include "shell/settings/IniFile.h"

#include <QLocale>

namespace meter {

namespace {
const QString kList = QStringLiteral("List");

QString key(int entry)
{
    Q_ASSERT(entry >= 1);
    return QStringLiteral("MaxErr") + QString::number(entry);
}
}  // namespace

std::optional<double> storedPermissibleErrorPct(const settings::IniFile& ini, int entry)
{
    bool ok = false;
    const double pct = ini.readString(kList, key(entry), QString()).toDouble(&ok);
    if (ok && pct > 0)
        return pct;
    return std::nullopt;
}

bool writePermissibleErrorPct(settings::IniFile& ini, int entry, double pct)
{
    Q_ASSERT(pct > 0);
    return ini.writeString(kList, key(entry), QString::number(pct, 'g', QLocale::FloatingPointShortest));
}

bool clearPermissibleErrorPct(settings::IniFile& ini, int entry)
{
    // The file has no key removal; an empty value reads as none.
    return !ini.hasKey(kList, key(entry)) || ini.writeString(kList, key(entry), QString());
}

}  // namespace meter
