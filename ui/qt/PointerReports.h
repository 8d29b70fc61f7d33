#pragma once
// Mouse input that belongs to the form rather than to one control: movement over the
// recolourable controls (edits, memos, panels, group boxes) or over the form itself is
// reported to the form, and a right click anywhere opens the form's pop-up menu.
#include <QObject>

#include <functional>

class QMenu;
class QWidget;

namespace ui {
class Control;
class Form;
}  // namespace ui

namespace ui::qt {

class PointerReports : public QObject {
    Q_OBJECT
public:
    // controlOf: the control whose widget is exactly w, or null.
    PointerReports(Form& form, QWidget& client, std::function<Control*(const QWidget*)> controlOf,
                   std::function<QMenu*()> popup);
    // Watches the client area and everything inside it.
    void watch();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void moved(const QWidget* w);

    Form& m_form;
    QWidget& m_client;
    std::function<Control*(const QWidget*)> m_controlOf;
    std::function<QMenu*()> m_popup;
    const Control* m_lastReported = nullptr;
    bool m_reportedOnce = false;
};

}  // namespace ui::qt
