#include "ui/qt/PointerReports.h"

#include "ui/model/Form.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QWidget>

namespace ui::qt {

PointerReports::PointerReports(Form& form, QWidget& client, std::function<Control*(const QWidget*)> controlOf,
                               std::function<QMenu*()> popup)
    : QObject(&client), m_form(form), m_client(client), m_controlOf(std::move(controlOf)), m_popup(std::move(popup))
{
}

void PointerReports::watch()
{
    QList<QWidget*> widgets = m_client.findChildren<QWidget*>();
    widgets.prepend(&m_client);
    for (QWidget* w : widgets) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

bool PointerReports::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseMove) {
        // A move the receiver ignores travels on to its parents; only the widget really
        // under the mouse counts.
        const QPoint at = m_client.mapFromGlobal(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        QWidget* under = m_client.childAt(at);
        if (watched == (under ? under : &m_client))
            moved(static_cast<QWidget*>(watched));
    } else if (e->type() == QEvent::ContextMenu) {
        if (QMenu* menu = m_popup()) {
            menu->popup(static_cast<QContextMenuEvent*>(e)->globalPos());
            return true;
        }
    }
    return false;
}

// The innermost control around the widget decides: labels, buttons and pages say nothing,
// so the last reported control stays current.
void PointerReports::moved(const QWidget* w)
{
    for (; w && w != &m_client; w = w->parentWidget())
        if (Control* c = m_controlOf(w)) {
            if (!c->isRecolourable() || (m_reportedOnce && c == m_lastReported))
                return;
            m_reportedOnce = true;
            m_lastReported = c;
            m_form.mouseMoved(c);
            return;
        }
    if (w == &m_client && !(m_reportedOnce && m_lastReported == nullptr)) {
        m_reportedOnce = true;
        m_lastReported = nullptr;
        m_form.mouseMoved(nullptr);
    }
}

}  // namespace ui::qt
