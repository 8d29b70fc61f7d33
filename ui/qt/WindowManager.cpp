#include "ui/qt/WindowManager.h"

#include "ui/qt/FormWindow.h"

namespace ui::qt {

WindowManager::WindowManager(QObject* parent) : QObject(parent) {}

WindowManager::~WindowManager()
{
    for (const QPointer<FormWindow>& w : std::as_const(m_windows))
        delete w.data();
}

void WindowManager::manage(Form& form)
{
    if (form.isVisible()) {
        windowOf(form);
        return;
    }
    // Once the window exists it follows the form itself; the watcher only creates it.
    auto* watcher = new QObject(this);
    connect(&form, &Form::changed, watcher, [this, &form, watcher](FormProp what) {
        if (what != FormProp::Visible || !form.isVisible())
            return;
        watcher->deleteLater();
        windowOf(form);
    });
    connect(&form, &QObject::destroyed, watcher, &QObject::deleteLater);
    connect(&form, &QObject::destroyed, this, [this, f = &form] { m_windows.remove(f); });
}

void WindowManager::manage(const std::vector<std::unique_ptr<Form>>& forms)
{
    for (const auto& f : forms)
        manage(*f);
}

FormWindow& WindowManager::windowOf(Form& form)
{
    QPointer<FormWindow>& w = m_windows[&form];
    if (!w)
        w = new FormWindow(form);
    return *w;
}

FormWindow* WindowManager::existingWindow(const Form& form) const
{
    return m_windows.value(&form).data();
}

}  // namespace ui::qt
