#include "shell/settings/WindowPosition.h"

namespace settings {

void restorePosition(const IniFile& ini, const QString& section, ui::Form& form, QSize screen)
{
    const int left = ini.readInteger(section, QStringLiteral("left"), form.left());
    const int top = ini.readInteger(section, QStringLiteral("top"), form.top());
    if (left > screen.width() || top > screen.height())
        form.setPosition((screen.width() - form.geometry().width()) / 2, (screen.height() - form.geometry().height()) / 2);
    else
        form.setPosition(left, top);
}

void storePosition(IniFile& ini, const QString& section, const ui::Form& form)
{
    ini.writeInteger(section, QStringLiteral("left"), form.left());
    ini.writeInteger(section, QStringLiteral("top"), form.top());
}

}  // namespace settings
