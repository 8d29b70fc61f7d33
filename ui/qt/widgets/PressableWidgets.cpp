#include "ui/qt/widgets/PressableWidgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui::qt {

void PressableLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && pressed)
        pressed();
    QLabel::mousePressEvent(e);
}

void CaptionPanel::setCaption(const QString& c)
{
    m_caption = c;
    update();
}

void CaptionPanel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && pressed)
        pressed();
    QFrame::mousePressEvent(e);
}

void CaptionPanel::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    if (m_caption.isEmpty())
        return;
    QPainter p(this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}

}  // namespace ui::qt
