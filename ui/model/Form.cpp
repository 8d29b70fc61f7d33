#include "ui/model/Form.h"

#include "ui/model/Dialogs.h"
#include "ui/model/UserError.h"

#include <algorithm>

namespace ui {

Form::Form(const char* name) : m_name(QString::fromLatin1(name))
{
    setObjectName(m_name);
}

// Controls are members of the subclass and die before this destructor runs.
Form::~Form() = default;

void Form::setCaption(const QString& c)
{
    if (c == m_caption)
        return;
    m_caption = c;
    Q_EMIT changed(FormProp::Caption);
}

void Form::setColor(Color c)
{
    if (c == m_color)
        return;
    m_color = c;
    Q_EMIT changed(FormProp::Color);
}

void Form::setGeometry(const QRect& r)
{
    if (r == m_geometry)
        return;
    m_geometry = r;
    Q_EMIT changed(FormProp::Geometry);
}

void Form::setPosition(int left, int top)
{
    setGeometry(QRect(left, top, m_geometry.width(), m_geometry.height()));
}

void Form::setHeight(int h)
{
    setGeometry(QRect(m_geometry.left(), m_geometry.top(), m_geometry.width(), h));
}

void Form::show()
{
    if (m_visible)
        return;
    m_visible = true;
    Q_EMIT changed(FormProp::Visible);
    invoke(onShow);
}

void Form::hide()
{
    if (!m_visible)
        return;
    m_visible = false;
    Q_EMIT changed(FormProp::Visible);
    invoke(onHide);
}

Control* Form::find(const QString& name) const
{
    const auto it = std::find_if(m_controls.begin(), m_controls.end(), [&](const Control* c) {
        return c->name().compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == m_controls.end() ? nullptr : *it;
}

void Form::invoke(const Handler& handler)
{
    if (!handler)
        return;
    try {
        handler();
    } catch (const UserError& e) {
        dialogs().message(e.message(), Icon::Error);
    }
}

void Form::close()
{
    if (onClose)
        invoke(onClose);
    else
        hide();
}

void Form::activate()
{
    invoke(onActivate);
}

static Button* findButton(const std::vector<Control*>& controls, bool Button::*flag)
{
    for (Control* c : controls)
        if (c->kind() == Kind::Button) {
            auto* b = static_cast<Button*>(c);
            if (b->*flag && b->isShowing())
                return b;
        }
    return nullptr;
}

void Form::pressDefault()
{
    if (Button* b = findButton(m_controls, &Button::isDefault))
        b->click();
}

void Form::pressCancel()
{
    if (Button* b = findButton(m_controls, &Button::isCancel))
        b->click();
}

void Form::mouseMoved(Control* c)
{
    if (onMouseMove)
        invoke([&] { onMouseMove(c); });
}

void Form::unregisterControl(Control* c)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), c), m_controls.end());
}

}  // namespace ui
