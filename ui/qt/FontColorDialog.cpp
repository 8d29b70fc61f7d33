#include "ui/qt/FontColorDialog.h"

#include "ui/qt/Appearance.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui::qt {

namespace {

// Qt's font dialog as a part of another dialog, which owns the buttons: Enter and Escape pass
// on to the outer one (with its own buttons hidden, Qt's dialog would swallow Enter).
class FontPart : public QFontDialog {
public:
    explicit FontPart(const QFont& font, QWidget* parent) : QFontDialog(font, parent)
    {
        setWindowFlags(Qt::Widget);
        setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override { e->ignore(); }
};

// Qt's font dialog looks the font's face up by style name and, for an upright face, knows only
// "Normal" and "Regular"; DejaVu calls it "Book", so the dialog would open on the family's first
// face (Oblique) and OK would slant the font. Naming the face the font resolves to avoids that.
QFont withFaceName(QFont font)
{
    const QFontInfo shown(font);
    font.setFamily(shown.family());
    font.setStyleName(shown.styleName());
    return font;
}

QIcon swatch(const QColor& c)
{
    QPixmap p(32, 14);
    p.fill(c);
    QPainter(&p).drawRect(p.rect().adjusted(0, 0, -1, -1));
    return QIcon(p);
}

}  // namespace

FontColorDialog::FontColorDialog(const QFont& font, Color color, QWidget* parent)
    : QDialog(parent),
      m_fonts(new FontPart(withFaceName(font), this)),
      m_colorButton(new QPushButton(QStringLiteral("Цвет…"), this)),
      m_color(color)
{
    setWindowTitle(QStringLiteral("Шрифт"));
    m_colorButton->setIconSize(QSize(32, 14));
    m_colorButton->setToolTip(QStringLiteral("Цвет текста"));
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::chooseColor);
    // Enter in its lists ends Qt's font dialog from inside: the whole dialog ends with it.
    connect(m_fonts, &QDialog::finished, this, &QDialog::done);
    showColor();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Qt's font dialog keeps its own hidden default button, which would leave Enter without one.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_colorButton);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(bottom);
}

QFont FontColorDialog::selectedFont() const
{
    return m_fonts->currentFont();
}

void FontColorDialog::chooseColor()
{
    const QColor c = QColorDialog::getColor(toQColor(m_color), this);
    if (!c.isValid())
        return;
    m_color = fromQColor(c);
    showColor();
}

void FontColorDialog::showColor()
{
    const QColor c = toQColor(m_color);
    m_colorButton->setIcon(swatch(c));
    // The sample text of Qt's dialog, the one line edit in a group box, shows the colour too.
    for (QLineEdit* edit : m_fonts->findChildren<QLineEdit*>())
        if (qobject_cast<QGroupBox*>(edit->parentWidget())) {
            QPalette p = edit->palette();
            p.setColor(QPalette::Text, c);
            edit->setPalette(p);
        }
}

}  // namespace ui::qt
