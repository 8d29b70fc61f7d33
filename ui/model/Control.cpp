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
    if (r == m_geometry)
        return;
    m_geometry = r;
    notify(Prop::Geometry);
}

void Control::setTop(int top)
{
    setGeometry(m_geometry.translated(0, top - m_geometry.top()));
}

void Control::moveTo(Control* parent, int top)
{
    if (parent != m_parent) {
        m_parent = parent;
        notify(Prop::Parent);
    }
    setTop(top);
}

void Control::setCaption(const QString& c)
{
    if (c == m_caption)
        return;
    m_caption = c;
    notify(Prop::Caption);
}

void Control::setEnabled(bool e)
{
    if (e == m_enabled)
        return;
    m_enabled = e;
    notify(Prop::Enabled);
}

void Control::setVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    notify(Prop::Visible);
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
    if (h == m_hint)
        return;
    m_hint = h;
    notify(Prop::Hint);
}

void Control::setTag(int t)
{
    if (t == m_tag)
        return;
    m_tag = t;
    notify(Prop::Tag);
}

void Control::setFont(const Font& f)
{
    if (f == m_font)
        return;
    m_font = f;
    notify(Prop::Font);
}

void Control::setColor(Color c)
{
    if (c == m_color)
        return;
    m_color = c;
    notify(Prop::Color);
}

void Control::setBevel(Bevel b)
{
    if (b == m_bevel)
        return;
    m_bevel = b;
    notify(Prop::Bevel);
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
