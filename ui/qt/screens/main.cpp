// zta-screens [output directory]: renders every form of the program to PNG files (default
// directory "screens"). Run it on the offscreen platform: QT_QPA_PLATFORM=offscreen.
#include "ui/forms/FormCatalog.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/screens/ScreenRenderer.h"
#include "ui/qt/screens/SilentDialogs.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::qt::applyApplicationLook(app);
    ui::qt::SilentDialogs dialogs;
    ui::Dialogs::install(&dialogs);

    const QStringList args = QApplication::arguments();
    const QDir out(args.size() > 1 ? args.at(1) : QStringLiteral("screens"));
    ui::qt::ScreenRenderer renderer(out);
    int count = 0;
    for (const auto& form : ui::forms::createAllForms())
        for (const QString& file : renderer.render(*form)) {
            std::printf("%s\n", qPrintable(file));
            ++count;
        }
    std::printf("%d pictures in %s\n", count, qPrintable(out.absolutePath()));
    return count > 0 ? 0 : 1;
}
