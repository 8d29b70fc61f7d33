#pragma once
// Where the settings files live: beside the executable, or, when that directory cannot be
// written, in the per-user configuration directory (so settings are never silently lost).
#include <QString>

namespace settings {

QString settingsDirectory();
// Tests and special installations may point the files elsewhere.
void setSettingsDirectory(const QString& dir);

inline QString ztaIniPath() { return settingsDirectory() + QStringLiteral("/ZTA.ini"); }
inline QString colorIniPath() { return settingsDirectory() + QStringLiteral("/color.ini"); }

}  // namespace settings
