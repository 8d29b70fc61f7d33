#pragma once
// The form's menus and keyboard commands: the main menu bar and pop-up menus built from
// its menu items, and its actions as window shortcuts. Each QAction follows its item's
// caption, visibility and enabled state; choosing it runs the item's click.
#include "ui/model/Form.h"

#include <QHash>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ui::qt {

class MenuBinder : public QObject {
    Q_OBJECT
public:
    // Menu bar may be null when the form has no main menu items.
    MenuBinder(Form& form, QWidget& window, QMenuBar* bar);

    static bool hasMainMenu(const Form& form);
    QMenu* popupMenu(const MenuItem* root) const { return m_menus.value(root); }
    QAction* action(const Control* itemOrAction) const { return m_actions.value(itemOrAction); }

private:
    void addItem(MenuItem& item, bool hasChildren, QMenuBar* bar);
    void addAction(Action& action, QWidget& window);
    void follow(Control& c, QAction* a);

    QHash<const Control*, QMenu*> m_menus;      // items with children, and pop-up roots
    QHash<const Control*, QAction*> m_actions;  // every item and action
};

}  // namespace ui::qt
