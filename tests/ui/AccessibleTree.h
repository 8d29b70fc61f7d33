#pragma once
// Looks controls up the way a scripted test tool does: through the accessibility tree from a
// window, by the component name. A widget answers with its object name; a page tab, which
// has no object of its own, with QAccessible::UserText.
#include <QAccessible>
#include <QObject>

namespace test {

inline QString componentNameOf(const QAccessibleInterface* iface)
{
    return iface->object() ? iface->object()->objectName() : iface->text(QAccessible::UserText);
}

// A page's tab and its page share the page's name, so the role tells them apart.
inline QAccessibleInterface* findAccessible(QAccessibleInterface* root, const QString& componentName, QAccessible::Role role)
{
    if (!root)
        return nullptr;
    if (root->role() == role && componentNameOf(root) == componentName)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* found = findAccessible(root->child(i), componentName, role))
            return found;
    return nullptr;
}

}  // namespace test
