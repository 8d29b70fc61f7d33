#include "shell/AboutBox.h"

#include "shell/Version.h"
#include "ui/forms/AboutForm.h"
#include "ui/model/Dialogs.h"

#include <QStringList>

namespace shell {

namespace {
// The names of the file flags of the version information.
QString fileFlags()
{
    QStringList flags;
#ifndef NDEBUG
    flags << QStringLiteral("Debug");
#endif
    if (QString::fromLatin1(version::BuildType) == QStringLiteral("RelWithDebInfo"))
        flags << QStringLiteral("Debug info");
    return flags.join(u' ');
}
}  // namespace

void showAboutBox()
{
    ui::forms::AboutForm box;
    box.ProductName.setCaption(QString::fromUtf8(version::ProductName));
    box.Version.setCaption(QString(QStringLiteral("Версия: ") + QString::fromLatin1(version::FileVersion) + u' ' + fileFlags()).trimmed());
    box.Comments.setCaption(QString::fromUtf8(version::Comments));
    box.OKButton.onClick = [&box] {
        box.modalResult = ui::ModalResult::Ok;
        box.hide();
    };
    ui::dialogs().showModal(box);
}

}  // namespace shell
