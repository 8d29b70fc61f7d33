#include "ui/qt/MenuBinder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QWidget>

namespace ui::qt {

namespace {

const QString kSeparator = QStringLiteral("-");

// The caption with the shortcut as menus show it, right-aligned after a tab. The shortcut
// is only shown: the keys themselves belong to the form's actions.
QString menuText(const MenuItem& item)
{
    return item.shortcut.isEmpty() ? item.caption() : item.caption() + QLatin1Char('\t') + item.shortcut;
}

bool isMainMenuItem(const Control* c)
{
    return c->kind() == Kind::MenuItem && !static_cast<const MenuItem*>(c)->parentItem()
           && !static_cast<const MenuItem*>(c)->popup;
}

}  // namespace

bool MenuBinder::hasMainMenu(const Form& form)
{
    return std::any_of(form.controls().begin(), form.controls().end(), isMainMenuItem);
}

MenuBinder::MenuBinder(Form& form, QWidget& window, QMenuBar* bar) : QObject(&window)
{
    QSet<const Control*> parents;
    for (const Control* c : form.controls())
        if (c->kind() == Kind::MenuItem)
            parents.insert(static_cast<const MenuItem*>(c)->parentItem());
    for (Control* c : form.controls()) {
        if (c->kind() == Kind::MenuItem) {
            auto* item = static_cast<MenuItem*>(c);
            addItem(*item, parents.contains(item), bar);
        } else if (c->kind() == Kind::Action) {
            addAction(*static_cast<Action*>(c), window);
        }
    }
}

void MenuBinder::addItem(MenuItem& item, bool hasChildren, QMenuBar* bar)
{
    QMenu* parentMenu = m_menus.value(item.parentItem());
    const bool isRoot = !item.parentItem();
    QAction* a = nullptr;
    if (isRoot || hasChildren) {
        auto* menu = new QMenu(item.caption(), parentMenu ? static_cast<QWidget*>(parentMenu) : bar);
        m_menus.insert(&item, menu);
        a = menu->menuAction();
        if (parentMenu)
            parentMenu->addMenu(menu);
        else if (!item.popup && bar)
            bar->addMenu(menu);
    } else {
        a = new QAction(menuText(item), parentMenu);
        a->setSeparator(item.caption() == kSeparator);
        if (parentMenu)
            parentMenu->addAction(a);
    }
    connect(a, &QAction::triggered, &item, [&item] { item.click(); });
    m_actions.insert(&item, a);
    follow(item, a);
}

void MenuBinder::addAction(Action& action, QWidget& window)
{
    auto* a = new QAction(action.caption(), &window);
    a->setShortcut(QKeySequence::fromString(action.shortcut));
    a->setShortcutContext(Qt::WindowShortcut);
    window.addAction(a);
    connect(a, &QAction::triggered, &action, [&action] { action.trigger(); });
    m_actions.insert(&action, a);
    follow(action, a);
}

void MenuBinder::follow(Control& c, QAction* a)
{
    auto show = [&c, a](Prop what) {
        if (what == Prop::Caption || what == Prop::Shortcut) {
            if (c.kind() == Kind::MenuItem && !a->menu())
                a->setText(menuText(static_cast<MenuItem&>(c)));
            else
                a->setText(c.caption());
        } else if (what == Prop::Visible) {
            a->setVisible(c.isVisible());
        } else if (what == Prop::Enabled) {
            a->setEnabled(c.isEnabled());
        }
    };
    for (Prop p : {Prop::Caption, Prop::Visible, Prop::Enabled})
        show(p);
    connect(&c, &Control::changed, a, show);
}

}  // namespace ui::qt
