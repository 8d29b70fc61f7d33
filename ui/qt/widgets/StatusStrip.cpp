#include "ui/qt/widgets/StatusStrip.h"

#include <QLabel>
#include <QMouseEvent>

namespace ui::qt {

namespace {

Qt::Alignment toQt(Alignment a)
{
    switch (a) {
    case Alignment::Center: return Qt::AlignCenter;
    case Alignment::Right:  return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Left:   break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

int frameStyleFor(Bevel b)
{
    switch (b) {
    case Bevel::None:   return QFrame::NoFrame;
    case Bevel::Raised: return QFrame::Panel | QFrame::Raised;
    case Bevel::Lowered: break;
    }
    return QFrame::Panel | QFrame::Sunken;
}

constexpr int kGap = 2;  // between panels, as the native strip draws them

}  // namespace

StatusStrip::StatusStrip(QWidget* parent) : QFrame(parent) {}

void StatusStrip::setPanels(const QList<StatusPanel>& panels)
{
    while (m_labels.size() > panels.size())
        delete m_labels.takeLast();
    while (m_labels.size() < panels.size()) {
        auto* l = new QLabel(this);
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
        l->setMargin(1);
        l->show();
        m_labels.append(l);
    }
    m_panels = panels;
    for (int i = 0; i < m_panels.size(); ++i) {
        QLabel* l = m_labels.at(i);
        l->setText(m_panels.at(i).text);
        l->setAlignment(toQt(m_panels.at(i).alignment));
        l->setFrameStyle(frameStyleFor(m_panels.at(i).bevel));
    }
    placePanels();
}

void StatusStrip::placePanels()
{
    int x = 0;
    for (int i = 0; i < m_labels.size(); ++i) {
        const bool last = i == m_labels.size() - 1;
        int w = m_panels.at(i).width;
        if (w <= 0 || last)
            w = std::max(w, width() - x);  // a zero width, or the last panel, fills the rest
        m_labels.at(i)->setGeometry(x, kGap, w, height() - kGap);
        x += w + kGap;
    }
}

void StatusStrip::mousePressEvent(QMouseEvent* e)
{
    if (pressed)
        pressed(e->button(), e->modifiers().testFlag(Qt::ShiftModifier));
    QFrame::mousePressEvent(e);
}

void StatusStrip::resizeEvent(QResizeEvent* e)
{
    QFrame::resizeEvent(e);
    placePanels();
}

}  // namespace ui::qt
