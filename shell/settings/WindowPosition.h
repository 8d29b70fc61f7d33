#pragma once
// A window's stored screen position: keys "left" and "top" of its own section of ZTA.ini.
#include "shell/settings/IniFile.h"
#include "ui/model/Form.h"

#include <QSize>

namespace settings {

// Reads the position (the present one as default); a position beyond the right or bottom
// edge of the screen centres the window instead.
void restorePosition(const IniFile& ini, const QString& section, ui::Form& form, QSize screen);
void storePosition(IniFile& ini, const QString& section, const ui::Form& form);

}  // namespace settings
