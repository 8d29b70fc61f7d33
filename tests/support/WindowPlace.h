#pragma once
// A window's place kept in the settings file: the place it was moved to is stored in its
// section when the window is destroyed and taken again when it is built; a stored place beyond
// the present screen centres it.
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QTest>

namespace test {

// The fixture gives the window's form(), rebuilds the window with reopen() and scripts the
// screen size through dialogs.screen.
template <class Fixture>
void verifyPlaceKept(Fixture& f, const char* section)
{
    f.form().setPosition(33, 44);
    f.reopen();
    const settings::IniFile ini(settings::ztaIniPath());
    QCOMPARE(ini.readInteger(section, "left", -1), 33);
    QCOMPARE(ini.readInteger(section, "top", -1), 44);
    QCOMPARE(f.form().geometry().topLeft(), QPoint(33, 44));

    f.dialogs.screen = QSize(30, 40);
    f.reopen();
    QCOMPARE(f.form().left(), (30 - f.form().geometry().width()) / 2);
    QCOMPARE(f.form().top(), (40 - f.form().geometry().height()) / 2);
}

}  // namespace test
