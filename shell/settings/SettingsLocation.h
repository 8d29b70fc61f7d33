#pragma once
// Where the settings files live: beside the executable, or, when that folder cannot be
// written, in the per-user folder ~/.config/zta-monitor. Files already beside the executable
// are then still read, until the first write copies them to the per-user folder, so moving
// never loses the catalogue, the addresses or the channel settings.
#include <QString>

namespace settings {

struct SettingsPlace {
    QString directory;       // where the files are written
    QString olderDirectory;  // where files are read from while `directory` has none; empty: nowhere
};

SettingsPlace choosePlace(const QString& exeDir, const QString& userDir, bool exeDirWritable);

QString settingsDirectory();
// Tests and special installations may point the files elsewhere.
void setSettingsPlace(const SettingsPlace& place);
void setSettingsDirectory(const QString& dir);

// The file read in place of `path` while `path` does not exist: the one of the same name in the
// older folder when `path` is in the settings folder. Empty when there is none to read.
QString olderFileOf(const QString& path);

inline QString ztaIniPath() { return settingsDirectory() + QStringLiteral("/ZTA.ini"); }
inline QString colorIniPath() { return settingsDirectory() + QStringLiteral("/color.ini"); }

}  // namespace settings
