#include "shell/settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace settings {

namespace {
std::optional<QString> g_dir;

QString chooseDirectory()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return exeDir;
    QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zta-monitor");
    QDir().mkpath(user);
    return user;
}
}  // namespace

QString settingsDirectory()
{
    if (!g_dir)
        g_dir = chooseDirectory();
    return *g_dir;
}

void setSettingsDirectory(const QString& dir)
{
    g_dir = dir;
}

}  // namespace settings
