#include "ui/qt/ControlView.h"

#include "ui/qt/Appearance.h"

namespace ui::qt {

ControlView::ControlView(Control& control, QWidget* widget, ContainerLookup containers)
    : QObject(widget), m_control(control), m_widget(widget), m_containers(std::move(containers))
{
    widget->setObjectName(control.name());
    connect(&control, &Control::changed, this, &ControlView::sync);
}

ControlView::~ControlView() = default;

void ControlView::syncAll()
{
    place();
    for (int p = int(Prop::Caption); p <= int(Prop::Interval); ++p)
        if (Prop(p) != Prop::Geometry && Prop(p) != Prop::Parent)
            sync(Prop(p));
}

void ControlView::sync(Prop what)
{
    switch (what) {
    case Prop::Enabled:
        m_widget->setEnabled(m_control.isEnabled());
        break;
    case Prop::Visible:
        m_widget->setVisible(m_control.isVisible());
        break;
    case Prop::Hint:
        m_widget->setToolTip(displayLines(m_control.hint()));
        break;
    case Prop::Font:
    case Prop::Color:
        applyLook(*m_widget, m_control.color(), m_control.font());
        break;
    case Prop::Geometry:
    case Prop::Parent:
        place();
        break;
    default:
        break;
    }
}

void ControlView::place()
{
    QWidget* container = m_containers(m_control.parentControl());
    if (m_widget->parentWidget() != container) {
        m_widget->setParent(container);
        m_widget->setVisible(m_control.isVisible());  // a reparented widget starts hidden
    }
    const QRect& g = m_control.geometry();
    m_widget->setGeometry(QRect(g.topLeft(), fitted(g.size())));
}

QString displayLines(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

}  // namespace ui::qt
