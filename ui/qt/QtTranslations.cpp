#include "ui/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui::qt {

bool installQtTranslations(QCoreApplication& app, const QString& directory)
{
    const QString from = directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"), from)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace ui::qt
