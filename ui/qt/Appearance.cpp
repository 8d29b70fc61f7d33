#include "ui/qt/Appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace ui::qt {

namespace {

// The layouts were designed for a narrow 8-point sans serif; the condensed DejaVu face at
// 9 points keeps about the same text widths while staying readable.
constexpr const char* kFamily = "DejaVu Sans Condensed";
constexpr int kPointSize = 9;

// The system colours the forms use, by their index in the negative encoding.
QColor systemColor(Color c)
{
    const QPalette p = QApplication::palette();
    switch (c & 0xFF) {
    case 5:  return p.color(QPalette::Base);        // window background
    case 8:  return p.color(QPalette::WindowText);  // window text
    case 15: return p.color(QPalette::Button);      // button face
    case 16: return p.color(QPalette::Dark);        // button shadow
    case 18: return p.color(QPalette::ButtonText);
    case 13: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    default: return p.color(QPalette::Window);
    }
}

}  // namespace

QFont applicationFont()
{
    QFont f(QString::fromLatin1(kFamily), kPointSize);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void applyApplicationLook(QApplication& app)
{
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    app.setFont(applicationFont());
}

QColor toQColor(Color c)
{
    if (isSystemColor(c))
        return systemColor(c);
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

Color fromQColor(const QColor& c)
{
    return rgb(c.red(), c.green(), c.blue());
}

QFont toQFont(const Font& f)
{
    // Only what the model names is set, so the rest resolves against the widget's font.
    QFont q;
    if (!f.family.isEmpty() && QFontDatabase::hasFamily(f.family))
        q.setFamily(f.family);
    if (f.pointSize > 0)
        q.setPointSize(f.pointSize);
    if (f.style.bold)
        q.setBold(true);
    if (f.style.italic)
        q.setItalic(true);
    if (f.style.underline)
        q.setUnderline(true);
    if (f.style.strikeOut)
        q.setStrikeOut(true);
    return q;
}

Font fromQFont(const QFont& q, Color color)
{
    Font f;
    f.family = q.family();
    f.pointSize = q.pointSize();
    f.color = color;
    f.style = FontStyle{q.bold(), q.italic(), q.underline(), q.strikeOut()};
    return f;
}

void applyLook(QWidget& w, Color background, const Font& font)
{
    // A default-constructed palette resolves nothing, so unset roles follow the parent.
    QPalette p;
    if (background != colors::Default) {
        const QColor bg = toQColor(background);
        p.setColor(QPalette::Window, bg);
        p.setColor(QPalette::Base, bg);
        p.setColor(QPalette::Button, bg);
    }
    if (font.color != colors::Default) {
        const QColor fg = toQColor(font.color);
        p.setColor(QPalette::WindowText, fg);
        p.setColor(QPalette::Text, fg);
        p.setColor(QPalette::ButtonText, fg);
    }
    w.setPalette(p);
    w.setAutoFillBackground(background != colors::Default);
    w.setFont(toQFont(font));
}

}  // namespace ui::qt
