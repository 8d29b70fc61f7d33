#pragma once
// A line edit that shows every typed character to a filter before editing: the filter may
// keep it, replace it or swallow it (a null character). Enter (13) and backspace (8) are
// typed characters too; an Enter the filter keeps goes on to the window.
#include <QLineEdit>

#include <functional>

namespace ui::qt {

class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
    std::function<QChar(QChar)> filter;
    std::function<void()> pressed;  // a mouse press, before the edit handles it

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
};

}  // namespace ui::qt
