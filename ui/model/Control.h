#pragma once
// The base of every named control of a form model: the properties that the logic sets and
// the Qt layer mirrors. A change of a property emits changed(); operator input arrives
// through the kind-specific members of Controls.h and runs the control's handler.
#include "ui/model/Style.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

namespace ui {

class Form;

enum class Kind {
    Button, SpeedButton, Label, Edit, Memo, CheckBox, RadioButton, RadioGroup, ComboBox,
    Grid, ProgressBar, TrackBar, UpDown, StatusBar, GroupBox, Panel, PageControl, Page,
    MenuItem, Action, Timer, Trend
};

enum class Prop {
    Caption, Enabled, Visible, Hint, Tag, Font, Color, Bevel, Geometry, Parent,
    ReadOnly, Checked, Items, ItemIndex, Cells, Row, Range, Position, Panels, Lines,
    TabVisible, ActivePage, Shortcut, Interval
};

class Control : public QObject {
    Q_OBJECT
public:
    Control(Form* form, const char* name, Kind kind, Control* parent);
    ~Control() override;

    Form* form() const { return m_form; }
    const QString& name() const { return m_name; }
    Kind kind() const { return m_kind; }

    // Where the control sits: its container (a page, group box or panel; null for the
    // form itself) and its rectangle in the container's coordinates.
    Control* parentControl() const { return m_parent; }
    const QRect& geometry() const { return m_geometry; }
    void setGeometry(const QRect& r);
    void setGeometry(int left, int top, int width, int height) { setGeometry(QRect(left, top, width, height)); }
    void setTop(int top);
    // Moves the control into another container at the given top; other coordinates stay.
    void moveTo(Control* parent, int top);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& c);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool e);
    bool isVisible() const { return m_visible; }
    void setVisible(bool v);
    // True when the control and every container up to the form are visible.
    bool isShowing() const;
    const QString& hint() const { return m_hint; }
    void setHint(const QString& h);
    int tag() const { return m_tag; }
    void setTag(int t);
    const Font& font() const { return m_font; }
    void setFont(const Font& f);
    Color color() const { return m_color; }
    void setColor(Color c);
    Bevel bevel() const { return m_bevel; }
    void setBevel(Bevel b);

    // Controls whose background and font the operator may recolour.
    bool isRecolourable() const;

Q_SIGNALS:
    void changed(ui::Prop what);

protected:
    void notify(Prop what) { Q_EMIT changed(what); }
    // Stores a property's new value and tells the Qt layer; false when nothing changed.
    template <typename T>
    bool assign(T& field, const T& value, Prop what)
    {
        if (field == value)
            return false;
        field = value;
        notify(what);
        return true;
    }
    // Runs an operator handler through the form, which reports a UserError it throws.
    void run(const std::function<void()>& handler);

private:
    Form* m_form;
    QString m_name;
    Kind m_kind;
    Control* m_parent;
    QRect m_geometry;
    QString m_caption;
    bool m_enabled = true;
    bool m_visible = true;
    QString m_hint;
    int m_tag = 0;
    Font m_font;
    Color m_color = colors::Default;
    Bevel m_bevel = Bevel::None;
};

}  // namespace ui
