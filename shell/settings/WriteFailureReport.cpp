#include "shell/settings/WriteFailureReport.h"

#include "ui/model/Dialogs.h"

#include <QDir>
#include <QSet>

namespace settings {

namespace {
QSet<QString>& failing()
{
    static QSet<QString> paths;
    return paths;
}

QString writeFailureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Не удалось записать файл настроек %1:\n%2\n"
                          "Введённые значения действуют до закрытия программы, но не сохранены.")
        .arg(QDir::toNativeSeparators(path), reason);
}
}  // namespace

void reportWrite(const QString& path, bool written, const QString& reason)
{
    if (written) {
        failing().remove(path);
        return;
    }
    if (failing().contains(path))
        return;
    failing().insert(path);
    ui::dialogs().message(writeFailureMessage(path, reason), ui::Icon::Error);
}

}  // namespace settings
