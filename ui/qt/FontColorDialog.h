#pragma once
// The font dialog of the colour menu: Qt's font choice with the text colour beside it, as the
// operator changes a control's family, size and colour in one step (Qt's font dialog alone has
// no colour).
#include "ui/model/Style.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace ui::qt {

class FontColorDialog : public QDialog {
    Q_OBJECT
public:
    // A system colour stays as it is unless the operator picks another.
    FontColorDialog(const QFont& font, Color color, QWidget* parent = nullptr);

    QFont selectedFont() const;
    Color selectedColor() const { return m_color; }
    // Opens the colour dialog, preset with the colour chosen so far.
    QPushButton* colorButton() const { return m_colorButton; }

private:
    void chooseColor();
    void showColor();

    QFontDialog* m_fonts;
    QPushButton* m_colorButton;
    Color m_color;
};

}  // namespace ui::qt
