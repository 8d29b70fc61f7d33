#include "ui/qt/widgets/MultiRowTabsAccessible.h"

#include "ui/qt/widgets/MultiRowTabs.h"

#include <QPointer>

namespace ui::qt {

namespace {

// One tab of the strip. Tabs have no object of their own, so the page's component name
// answers QAccessible::UserText for tools that look controls up by name (widgets answer with
// their object names; Qt 6.4 has no QAccessible::Identifier).
class PageTabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PageTabAccessible(MultiRowTabs* tabs, int index) : m_tabs(tabs), m_index(index) {}

    bool isValid() const override { return m_tabs && m_index < m_tabs->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return strip()->window(); }
    QAccessibleInterface* parent() const override { return strip(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return QString();
        switch (t) {
        case QAccessible::Name:     return m_tabs->tabText(m_index).simplified();
        case QAccessible::UserText: return m_tabs->page(m_index)->objectName();
        default:                    return QString();
        }
    }

    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect r = m_tabs->tabRect(m_index);
        return r.isEmpty() ? QRect() : QRect(m_tabs->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.selected = m_tabs->currentIndex() == m_index;
        s.disabled = !m_tabs->isEnabled();
        s.invisible = !m_tabs->isVisible() || !m_tabs->isTabVisible(m_index);
        s.offscreen = s.invisible;
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // Only a tab the operator could click can be pressed.
    QStringList actionNames() const override
    {
        return pressable() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && pressable())
            m_tabs->pressTab(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool pressable() const { return isValid() && m_tabs->isEnabled() && m_tabs->isTabVisible(m_index); }
    QAccessibleInterface* strip() const { return QAccessible::queryAccessibleInterface(m_tabs.data()); }

    QPointer<MultiRowTabs> m_tabs;
    int m_index;
};

QAccessibleInterface* factory(const QString& key, QObject* object)
{
    if (key == QLatin1String(MultiRowTabs::staticMetaObject.className()))
        if (auto* tabs = qobject_cast<MultiRowTabs*>(object))
            return new MultiRowTabsAccessible(tabs);
    return nullptr;
}

}  // namespace

MultiRowTabsAccessible::MultiRowTabsAccessible(MultiRowTabs* tabs) : QAccessibleWidget(tabs, QAccessible::PageTabList) {}

MultiRowTabsAccessible::~MultiRowTabsAccessible()
{
    for (QAccessible::Id id : std::as_const(m_tabIds))
        QAccessible::deleteAccessibleInterface(id);
}

void MultiRowTabsAccessible::install()
{
    static const bool once = (QAccessible::installFactory(factory), true);
    Q_UNUSED(once);
}

MultiRowTabs* MultiRowTabsAccessible::tabs() const
{
    return static_cast<MultiRowTabs*>(widget());
}

QAccessibleInterface* MultiRowTabsAccessible::tab(int index) const
{
    auto it = m_tabIds.constFind(index);
    if (it == m_tabIds.cend())
        it = m_tabIds.insert(index, QAccessible::registerAccessibleInterface(new PageTabAccessible(tabs(), index)));
    return QAccessible::accessibleInterface(*it);
}

int MultiRowTabsAccessible::childCount() const
{
    return tabs()->count() + QAccessibleWidget::childCount();
}

QAccessibleInterface* MultiRowTabsAccessible::child(int index) const
{
    if (index < 0)
        return nullptr;
    return index < tabs()->count() ? tab(index) : QAccessibleWidget::child(index - tabs()->count());
}

int MultiRowTabsAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    if (child->role() == QAccessible::PageTab && !child->object()) {
        for (auto it = m_tabIds.cbegin(); it != m_tabIds.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        return -1;
    }
    const int i = QAccessibleWidget::indexOfChild(child);
    return i < 0 ? -1 : tabs()->count() + i;
}

}  // namespace ui::qt
