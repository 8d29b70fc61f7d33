#include "ui/model/Control.h"

#include "ui/model/Form.h"

namespace ui {

Control::Control(Form* form, const char* name, Kind kind, Control* parent)
    : QObject(form), m_form(form), m_name(QString::fromLatin1(name)), m_kind(kind), m_parent(parent)
{
    setObjectName(m_name);
    form->registerControl(this);
}

Control::~Control()
{
    m_form->unregisterControl(this);
}

void Control::setGeometry(const QRect& r)
{
    assign(m_geometry, r, Prop::Geometry);
}

void Control::setTop(int top)
{
    setGeometry(m_geometry.translated(0, top - m_geometry.top()));
}

void Control::moveTo(Control* parent, int top)
{
    assign(m_parent, parent, Prop::Parent);
    setTop(top);
}

void Control::setCaption(const QString& c)
{
    assign(m_caption, c, Prop::Caption);
}

void Control::setEnabled(bool e)
{
    assign(m_enabled, e, Prop::Enabled);
}

void Control::setVisible(bool v)
{
    assign(m_visible, v, Prop::Visible);
}

bool Control::isShowing() const
{
    for (const Control* c = this; c; c = c->parentControl())
        if (!c->isVisible())
            return false;
    return true;
}

void Control::setHint(const QString& h)
{
    assign(m_hint, h, Prop::Hint);
}

void Control::setTag(int t)
{
    assign(m_tag, t, Prop::Tag);
}

void Control::setFont(const Font& f)
{
    assign(m_font, f, Prop::Font);
}

void Control::setColor(Color c)
{
    assign(m_color, c, Prop::Color);
}

void Control::setBevel(Bevel b)
{
    assign(m_bevel, b, Prop::Bevel);
}

bool Control::isRecolourable() const
{
    return m_kind == Kind::Edit || m_kind == Kind::Memo || m_kind == Kind::Panel || m_kind == Kind::GroupBox;
}

void Control::run(const std::function<void()>& handler)
{
    m_form->invoke(handler);
}

}  // namespace ui
