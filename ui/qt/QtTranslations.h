#pragma once
// Qt's own texts — standard buttons, the file, colour and font dialogs — in Russian, the
// language of every form of the program.
#include <QString>

class QCoreApplication;

namespace ui::qt {

// Installs Qt's Russian catalogue from the directory (Qt's translations when empty). False
// when it cannot be read: Qt's texts then stay English and the program runs on.
bool installQtTranslations(QCoreApplication& app, const QString& directory = {});

}  // namespace ui::qt
