#pragma once
// What assistive technology sees of the multi-row tab strip: a page tab list whose first
// children are its tabs (each named by its caption, selected while its page is current,
// pressed to switch the page), followed by the page widgets.
#include <QAccessibleWidget>

namespace ui::qt {

class MultiRowTabs;

class MultiRowTabsAccessible : public QAccessibleWidget {
public:
    explicit MultiRowTabsAccessible(MultiRowTabs* tabs);
    ~MultiRowTabsAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // Lets Qt build this interface for every MultiRowTabs; safe to call more than once.
    static void install();

private:
    MultiRowTabs* tabs() const;
    QAccessibleInterface* tab(int index) const;

    mutable QHash<int, QAccessible::Id> m_tabIds;  // made on first request, freed with this
};

}  // namespace ui::qt
