#pragma once
// How the model's colours and fonts become Qt palettes and fonts. A model value of
// Default (colour) or empty/0 (font family/size) leaves the widget's designed look.
#include "ui/model/Style.h"

#include <QColor>
#include <QFont>

class QApplication;
class QWidget;

namespace ui::qt {

// The program's look: Fusion style and the application font every form is laid out for.
void applyApplicationLook(QApplication& app);
QFont applicationFont();

QColor toQColor(Color c);
Color fromQColor(const QColor& c);
QFont toQFont(const Font& f);
Font fromQFont(const QFont& f, Color color);

// Applies a control's background colour and font on top of the widget's designed look.
void applyLook(QWidget& w, Color background, const Font& font);

}  // namespace ui::qt
