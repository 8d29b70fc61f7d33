#include "ui/qt/widgets/FilteredLineEdit.h"

#include <QKeyEvent>

namespace ui::qt {

namespace {

constexpr QChar kBackspace(8);
constexpr QChar kEnter(13);

// The character a key press types, or null for keys that only move or command.
QChar typedChar(const QKeyEvent& e)
{
    if (e.key() == Qt::Key_Backspace)
        return kBackspace;
    if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter)
        return kEnter;
    if (e.modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return {};
    const QString text = e.text();
    return text.size() == 1 && text.at(0).isPrint() ? text.at(0) : QChar();
}

}  // namespace

void FilteredLineEdit::keyPressEvent(QKeyEvent* e)
{
    const QChar typed = typedChar(*e);
    if (typed.isNull() || !filter) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const QChar kept = filter(typed);
    if (kept.isNull()) {
        e->accept();
        return;
    }
    if (kept == kEnter) {
        e->ignore();  // the window presses its default button
        return;
    }
    if (kept == typed) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    QKeyEvent replaced(QEvent::KeyPress, kept == kBackspace ? Qt::Key_Backspace : Qt::Key_unknown,
                       e->modifiers(), kept == kBackspace ? QString() : QString(kept));
    QLineEdit::keyPressEvent(&replaced);
}

void FilteredLineEdit::mousePressEvent(QMouseEvent* e)
{
    if (pressed)
        pressed();
    QLineEdit::mousePressEvent(e);
}

}  // namespace ui::qt
