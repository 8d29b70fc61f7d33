#include "ui/qt/widgets/UpDownArrows.h"

#include <QToolButton>

namespace ui::qt {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down})
        b->setAutoRepeat(true);
    connect(m_up, &QToolButton::clicked, this, [this] { if (stepped) stepped(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { if (stepped) stepped(-1); });
}

void UpDownArrows::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

}  // namespace ui::qt
