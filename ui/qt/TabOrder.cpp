#include "ui/qt/TabOrder.h"

#include <QSet>
#include <QWidget>

namespace ui::qt {

namespace {

// Stops at the first widgets down the tree that take Tab; other controls' widgets are
// theirs to order.
void collectStops(QWidget* w, const QSet<const QWidget*>& controlWidgets, QList<QWidget*>& stops)
{
    if (w->focusPolicy() & Qt::TabFocus) {
        stops.append(w);
        return;
    }
    for (QObject* o : w->children()) {
        auto* child = qobject_cast<QWidget*>(o);
        if (child && !child->isWindow() && !controlWidgets.contains(child))
            collectStops(child, controlWidgets, stops);
    }
}

}  // namespace

TabOrder::TabOrder(Form& form, WidgetLookup widgets, QObject* parent)
    : QObject(parent), m_form(form), m_widgets(std::move(widgets))
{
    for (const Control* c : form.controls())
        connect(c, &Control::changed, this, [this](Prop what) {
            if (what == Prop::Parent || what == Prop::Items)  // moved, or a radio group's new items
                apply();
        });
    apply();
}

QList<QWidget*> TabOrder::stops() const
{
    QList<QWidget*> own;
    for (const Control* c : m_form.controls())
        if (QWidget* w = m_widgets(c))
            own.append(w);
    const QSet<const QWidget*> controlWidgets(own.cbegin(), own.cend());
    QList<QWidget*> stops;
    for (QWidget* w : own)
        collectStops(w, controlWidgets, stops);
    return stops;
}

void TabOrder::apply()
{
    const QList<QWidget*> order = stops();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

}  // namespace ui::qt
