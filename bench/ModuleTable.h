#pragma once
// The three bench modules as the configuration grid shows them and discovery finds them.
#include "bench/ModuleDescriptor.h"

#include <QString>
#include <QStringList>

#include <array>

namespace bench {

struct ModuleRow {
    int gridRow;
    TPZTA Modules::*descriptor;
    const char* caption;     // column "Модуль"
    const char* fragment;    // looked for in the device name
    const char* linkText;    // column "Связь" when found
    const char* softwareId;  // column "Цифр.идент.ПО" when found
    const char* shortName;   // in messages
};

inline constexpr std::array<ModuleRow, 3> kModuleRows{{
    {1, &Modules::ImrModule, "Модуль имитации расхода   (ИМР)", "ЗТА-ИМР", "ТЕРВАЛО ЗТА ИМР 64.08.02.00", "0x8C04", "ИМР"},
    {2, &Modules::UsiModule, "Модуль счетчика импульсов (УСИ)", "ЗТА-УСИ", "ТЕРВАЛО ЗТА УСИ 64.09.02.00", "0x26A0", "УСИ"},
    {3, &Modules::IptModule, "Модуль измерителя тока    (ИПТ)", "ЗТА-ИПТ", "ТЕРВАЛО ЗТА ИПТ 64.10.01.01", "0x86E8", "ИПТ"},
}};

inline QStringList gridHeaders()
{
    return {QStringLiteral("Модуль"), QStringLiteral("Адрес"), QStringLiteral("Связь"), QStringLiteral("Цифр.идент.ПО")};
}

// Column "Адрес": the address in decimal, "?" when the module is not known.
inline QString addressText(quint8 adr)
{
    return adr == 0 ? QStringLiteral("?") : QString::number(adr);
}

}  // namespace bench
