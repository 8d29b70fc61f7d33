#include "ui/qt/QtDialogs.h"

#include "ui/qt/Appearance.h"
#include "ui/qt/FontColorDialog.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/WindowManager.h"

#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

namespace ui {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning:     return QMessageBox::Warning;
    case Icon::Error:       return QMessageBox::Critical;
    case Icon::None:        break;
    }
    return QMessageBox::NoIcon;
}

// A message box carries the program's title; it is not the application's display name,
// which Qt would append to every window's caption.
QString titleOr(const QString& caption)
{
    return caption.isEmpty() ? QStringLiteral("Монитор ЗТА-01") : caption;
}

// Runs a message box centred on the screen rather than over the active window.
int execCentred(QMessageBox& box)
{
    box.adjustSize();
    QRect r = box.frameGeometry();
    r.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    box.move(r.topLeft());
    return box.exec();
}

}  // namespace

QtDialogs::QtDialogs(qt::WindowManager& windows) : m_windows(windows) {}

void QtDialogs::message(const QString& text, Icon icon, const QString& caption)
{
    QMessageBox box(toQt(icon), titleOr(caption), text, QMessageBox::Ok);
    execCentred(box);
}

bool QtDialogs::confirm(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, titleOr(caption), text, QMessageBox::Yes | QMessageBox::No);
    return execCentred(box) == QMessageBox::Yes;
}

ModalResult QtDialogs::showModal(Form& form)
{
    form.modalResult = ModalResult::None;
    qt::FormWindow& window = m_windows.windowOf(form);
    // Modality only takes effect on a hidden window.
    window.hide();
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&form, &Form::changed, &loop, [&](FormProp what) {
        if (what == FormProp::Visible && !form.isVisible())
            loop.quit();
    });
    if (form.isVisible())
        window.show();
    else
        form.show();
    if (form.isVisible())
        loop.exec();
    window.setWindowModality(Qt::NonModal);
    return form.modalResult;
}

std::optional<Color> QtDialogs::chooseColor(Color initial)
{
    const QColor c = QColorDialog::getColor(qt::toQColor(initial));
    if (!c.isValid())
        return std::nullopt;
    return qt::fromQColor(c);
}

std::optional<Font> QtDialogs::chooseFont(const std::optional<Font>& initial)
{
    const QFont start = initial ? qt::toQFont(*initial).resolve(qt::applicationFont()) : qt::applicationFont();
    qt::FontColorDialog dialog(start, initial ? initial->color : colors::Black);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return qt::fromQFont(dialog.selectedFont(), dialog.selectedColor());
}

std::optional<QString> QtDialogs::chooseSaveFile(const QString& caption, const QString& suggestedName,
                                                 const QString& filter)
{
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedName, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QSize QtDialogs::screenSize() const
{
    return QGuiApplication::primaryScreen()->size();
}

void QtDialogs::beep()
{
    QApplication::beep();
}

}  // namespace ui
