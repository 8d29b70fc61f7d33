#pragma once
// The items of the meter type list; the item index is the meter type.
#include <QStringList>

namespace ui::forms {

inline QStringList meterTypeNames()
{
    return {QStringLiteral("ДТК-300Т"),
            QStringLiteral("Тервало ЛК (портативный)"),
            QStringLiteral("КС 030/060  "),
            QStringLiteral("Тервало ЛК (переносной)"),
            QStringLiteral("ДТК 300Т с АРУ"),
            QStringLiteral("КС210"),
            QStringLiteral("KS")};
}

}  // namespace ui::forms
