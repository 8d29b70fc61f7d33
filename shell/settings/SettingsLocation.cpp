#include "shell/settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace settings {

namespace {
std::optional<SettingsPlace> g_place;

SettingsPlace placeOfThisProgram()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString userDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zta-monitor");
    SettingsPlace place = choosePlace(exeDir, userDir, !exeDir.isEmpty() && QFileInfo(exeDir).isWritable());
    if (place.directory == userDir)
        QDir().mkpath(userDir);
    return place;
}

const SettingsPlace& place()
{
    if (!g_place)
        g_place = placeOfThisProgram();
    return *g_place;
}
}  // namespace

SettingsPlace choosePlace(const QString& exeDir, const QString& userDir, bool exeDirWritable)
{
    if (exeDirWritable)
        return {exeDir, {}};
    return {userDir, exeDir};
}

QString settingsDirectory()
{
    return place().directory;
}

void setSettingsPlace(const SettingsPlace& p)
{
    g_place = p;
}

void setSettingsDirectory(const QString& dir)
{
    setSettingsPlace({dir, {}});
}

QString olderFileOf(const QString& path)
{
    const SettingsPlace& p = place();
    if (p.olderDirectory.isEmpty())
        return {};
    const QFileInfo file(path);
    if (QDir::cleanPath(file.absolutePath()) != QDir::cleanPath(QFileInfo(p.directory).absoluteFilePath()))
        return {};
    return QDir(p.olderDirectory).filePath(file.fileName());
}

}  // namespace settings
