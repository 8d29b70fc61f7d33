#pragma once
// The top-level window of one form: its client area holds a widget per control at the
// designed positions, and the window follows the form's caption, geometry and visibility.
// The close box, Enter, Esc and activation go to the form.
#include "ui/model/Form.h"

#include <QHash>
#include <QMainWindow>

namespace ui::qt {

class ControlView;
class MenuBinder;
class PointerReports;

class FormWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit FormWindow(Form& form, QWidget* parent = nullptr);
    ~FormWindow() override;

    Form& form() const { return m_form; }
    // The widget of a control (a page's own widget for a page); null for non-visual ones.
    QWidget* widgetOf(const Control* c) const;
    QWidget* clientArea() const { return m_client; }
    const MenuBinder& menus() const { return *m_menus; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    QWidget* containerOf(const Control* c) const;
    void applyFlags();
    void applyGeometry();
    void applyVisibility();
    void applyColor();
    void formChanged(FormProp what);

    Form& m_form;
    QWidget* m_client;
    QHash<const Control*, ControlView*> m_views;
    QHash<const QWidget*, Control*> m_controlOfWidget;
    MenuBinder* m_menus = nullptr;
    PointerReports* m_pointer = nullptr;
    bool m_placed = false;    // centred placements happen at the first show only
    bool m_applying = false;  // our own moves are not the operator's
};

}  // namespace ui::qt
