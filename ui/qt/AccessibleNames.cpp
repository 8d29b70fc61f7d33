#include "ui/qt/AccessibleNames.h"

#include <QLabel>
#include <QWidget>

#include <cstdlib>
#include <optional>

namespace ui::qt {

namespace {

constexpr int kAlign = 8;  // how far a label above may sit from the control's left edge

bool isValueControl(Kind k)
{
    switch (k) {
    case Kind::Edit:
    case Kind::Memo:
    case Kind::ComboBox:
    case Kind::Grid:
    case Kind::ProgressBar:
    case Kind::TrackBar:
    case Kind::UpDown:
        return true;
    default:
        return false;
    }
}

// Controls that take room beside others; pages fill their owner and the rest have no place.
bool occupiesLayout(const Control& c)
{
    switch (c.kind()) {
    case Kind::Page:
    case Kind::MenuItem:
    case Kind::Action:
    case Kind::Timer:
        return false;
    default:
        return !c.geometry().isEmpty();
    }
}

bool centreWithin(const QRect& inner, const QRect& outer)
{
    const int y = inner.center().y();
    return y >= outer.top() && y <= outer.bottom();
}

bool onRowLeftOf(const QRect& s, const QRect& c)
{
    return (centreWithin(s, c) || centreWithin(c, s)) && s.center().x() < c.left();
}

bool justAbove(const QRect& s, const QRect& c)
{
    const int gap = c.top() - (s.top() + s.height());
    return gap >= 0 && gap <= c.height() && s.left() <= c.right() && s.right() >= c.left();
}

// The nearest sibling that passes `where`; the first created wins a tie.
const Control* nearest(const Control& c, bool (*where)(const QRect&, const QRect&), int (*distance)(const QRect&, const QRect&))
{
    const Control* best = nullptr;
    std::optional<int> bestDistance;
    for (const Control* s : c.form()->controls()) {
        if (s == &c || s->parentControl() != c.parentControl() || !occupiesLayout(*s) || !where(s->geometry(), c.geometry()))
            continue;
        const int d = distance(s->geometry(), c.geometry());
        if (!bestDistance || d < *bestDistance) {
            best = s;
            bestDistance = d;
        }
    }
    return best;
}

const Label* asLabel(const Control* c)
{
    return c && c->kind() == Kind::Label ? static_cast<const Label*>(c) : nullptr;
}

QString spoken(const QString& caption)
{
    return caption.simplified();  // line breaks of a wrapped caption read as spaces
}

// The caption of the nearest enclosing group box, as Qt itself names a control it knows
// nothing else about.
QString groupCaptionOf(const Control& c)
{
    for (const Control* p = c.parentControl(); p; p = p->parentControl())
        if (p->kind() == Kind::GroupBox && !p->caption().isEmpty())
            return spoken(p->caption());
    return QString();
}

}  // namespace

const Label* captionLabelOf(const Control& c)
{
    if (c.kind() == Kind::UpDown)
        return captionLabelOf(*static_cast<const UpDown&>(c).associate());
    const auto leftGap = [](const QRect& s, const QRect& r) { return r.left() - s.right(); };
    if (const Control* left = nearest(c, onRowLeftOf, leftGap))
        return asLabel(left);
    const auto topGap = [](const QRect& s, const QRect& r) { return r.top() - (s.top() + s.height()); };
    const Label* above = asLabel(nearest(c, justAbove, topGap));
    return above && std::abs(above->geometry().left() - c.geometry().left()) <= kAlign ? above : nullptr;
}

AccessibleNames::AccessibleNames(Form& form, WidgetLookup widgets, QObject* parent)
    : QObject(parent), m_form(form), m_widgets(std::move(widgets))
{
    for (const Control* c : form.controls())
        connect(c, &Control::changed, this, [this, c](Prop what) { controlChanged(*c, what); });
    pairAll();
    nameAll();
}

// The label also becomes its control's buddy: that is the Label relation a Linux screen
// reader follows, and the only way it hears a combo box's label (Qt names a combo box there
// by its current item). A label is the buddy of the first control it captions.
void AccessibleNames::pairAll()
{
    m_labelOf.clear();
    for (const Control* c : m_form.controls())
        if (auto* label = qobject_cast<QLabel*>(m_widgets(c)))
            label->setBuddy(nullptr);
    for (const Control* c : m_form.controls()) {
        if (!isValueControl(c->kind()))
            continue;
        const Label* label = captionLabelOf(*c);
        m_labelOf.insert(c, label);
        auto* labelWidget = qobject_cast<QLabel*>(m_widgets(label));
        if (labelWidget && !labelWidget->buddy() && c->kind() != Kind::UpDown)
            labelWidget->setBuddy(m_widgets(c));
    }
}

void AccessibleNames::nameAll()
{
    for (const Control* c : m_form.controls())
        if (isValueControl(c->kind()) || c->kind() == Kind::Page)
            name(*c);
}

void AccessibleNames::name(const Control& c)
{
    QWidget* w = m_widgets(&c);
    if (!w)
        return;
    QString n;
    if (c.kind() == Kind::Page) {
        n = spoken(c.caption());
    } else {
        const Label* label = m_labelOf.value(&c);
        n = label && !label->caption().isEmpty() ? spoken(label->caption()) : groupCaptionOf(c);
    }
    if (w->accessibleName() != n)  // every set is announced, even an unchanged one
        w->setAccessibleName(n);
}

void AccessibleNames::controlChanged(const Control& c, Prop what)
{
    if (what == Prop::Geometry || what == Prop::Parent) {
        pairAll();
        nameAll();
    } else if (what == Prop::Caption && c.kind() == Kind::Label) {
        for (auto it = m_labelOf.cbegin(); it != m_labelOf.cend(); ++it)
            if (it.value() == &c)
                name(*it.key());
    } else if (what == Prop::Caption && (c.kind() == Kind::GroupBox || c.kind() == Kind::Page)) {
        nameAll();
    }
}

}  // namespace ui::qt
