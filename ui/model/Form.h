#pragma once
// A window as the logic sees it: its own properties and its named controls. Declarations
// in ui/forms/ create the controls as typed members of a Form subclass; the Qt layer builds
// widgets from controls() in creation order.
#include "ui/model/Controls.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <vector>

namespace ui {

// Fixed: cannot be resized or maximised; Dialog: fixed, with the close box only.
enum class Border { Sizeable, Fixed, Dialog, ToolWindow, None };
enum class Placement { Designed, ScreenCenter, DesktopCenter };
enum class ModalResult { None, Ok, Cancel, Yes, No };
enum class FormProp { Caption, Geometry, Visible, Color };

class Form : public QObject {
    Q_OBJECT
public:
    explicit Form(const char* name);
    ~Form() override;

    const QString& name() const { return m_name; }
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& c);

    const QRect& geometry() const { return m_geometry; }  // outer position, client size
    void setGeometry(const QRect& r);
    int left() const { return m_geometry.left(); }
    int top() const { return m_geometry.top(); }
    void setPosition(int left, int top);
    void setHeight(int h);

    // The background of the window's client area; Default: the designed one. Controls that
    // keep their designed colour show it too.
    Color color() const { return m_color; }
    void setColor(Color c);

    bool isVisible() const { return m_visible; }
    void show();
    void hide();

    Border border = Border::Sizeable;
    bool minimizeBox = true;
    bool maximizeBox = true;
    bool systemMenu = true;  // false: no border icons at all
    bool stayOnTop = false;
    Placement placement = Placement::Designed;
    ModalResult modalResult = ModalResult::None;

    Handler onShow;
    Handler onHide;
    Handler onActivate;
    // The operator closes the window with its close box. Without a handler it is hidden.
    Handler onClose;
    // The mouse moved over a recolourable control (null: the form itself).
    std::function<void(Control*)> onMouseMove;
    MenuItem* popupMenu = nullptr;  // opened by a right click anywhere in the form

    const std::vector<Control*>& controls() const { return m_controls; }
    Control* find(const QString& name) const;  // case-insensitive, as component names compare

    // Runs an operator handler; a UserError it throws is shown to the operator.
    void invoke(const Handler& handler);
    void close();                // the close box
    void activate();             // the window becomes the active one
    void pressDefault();         // Enter
    void pressCancel();          // Esc
    void mouseMoved(Control* c); // from the Qt layer

Q_SIGNALS:
    void changed(ui::FormProp what);

private:
    friend class Control;
    void registerControl(Control* c) { m_controls.push_back(c); }
    void unregisterControl(Control* c);

    QString m_name;
    QString m_caption;
    QRect m_geometry;
    bool m_visible = false;
    Color m_color = colors::Default;
    std::vector<Control*> m_controls;
};

}  // namespace ui
