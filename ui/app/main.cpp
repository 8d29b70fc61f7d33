// zta-monitor: the operator's program of the ZTA-01 verification bench, with its windows.
#include "CommandLine.h"

#include "link/rtu/RtuComMaster.h"
#include "link/rtu/TimerPrecision.h"
#include "ui/app/MainFrm.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QtTranslations.h"
#include "ui/qt/WindowManager.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (const std::optional<int> exitCode = cli::answerInformationOptions(argc, argv))
        return *exitCode;
    comm::rtu::usePreciseTimers();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zta-monitor"));
    ui::qt::applyApplicationLook(app);
    if (!ui::qt::installQtTranslations(app))
        qWarning("Qt's Russian translations (qtbase_ru.qm, package qt6-translations-l10n) are missing: "
                 "Qt's own dialogs stay in English");

    ui::qt::WindowManager windows;
    ui::QtDialogs dialogs(windows);
    ui::Dialogs::install(&dialogs);

    int exitCode = 0;
    {
        app::TMainFrm main([](const char* line) { return std::make_unique<comm::RtuComMaster>(line); });
        for (ui::Form* f : main.secondaryForms())
            windows.manage(*f);
        windows.manage(main.form);
        main.form.onClose = [&app] { app.quit(); };
        main.form.show();
        exitCode = QApplication::exec();
        // The main window's settings are stored as it goes.
    }
    ui::Dialogs::install(nullptr);
    return exitCode;
}
