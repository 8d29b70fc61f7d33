// Push buttons, flat glyph buttons and clickable labels.
#include "ui/qt/views/Views.h"
#include "ui/qt/widgets/PressableWidgets.h"

#include <QPushButton>
#include <QToolButton>

namespace ui::qt::views {

namespace {

class ButtonView : public ControlView {
public:
    ButtonView(Button& b, QAbstractButton* w, const Lookup& l) : ControlView(b, w, l), m_button(b), m_widget(w)
    {
        if (auto* push = qobject_cast<QPushButton*>(w)) {
            push->setAutoDefault(false);  // Enter and Esc go through the form, not Qt's dialog logic
            push->setDefault(b.isDefault);
        }
        connect(w, &QAbstractButton::clicked, this, [this] { m_button.click(); });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption)
            m_widget->setText(m_button.caption());
        ControlView::sync(what);
    }

private:
    Button& m_button;
    QAbstractButton* m_widget;
};

class LabelView : public ControlView {
public:
    LabelView(Label& label, PressableLabel* w, const Lookup& l) : ControlView(label, w, l), m_label(label), m_widget(w)
    {
        w->pressed = [this] { m_label.click(); };
        w->setWordWrap(label.wordWrap);
        const Qt::Alignment h = label.alignment == Alignment::Center ? Qt::AlignHCenter
                                : label.alignment == Alignment::Right ? Qt::AlignRight
                                                                      : Qt::AlignLeft;
        w->setAlignment(h | Qt::AlignTop);
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption) {
            m_widget->setText(displayLines(m_label.caption()));
            place();
        }
        ControlView::sync(what);
    }
    // Labels size themselves to their text, as the designer's auto-sized labels do.
    QSize fitted(const QSize& designed) const override
    {
        if (m_label.wordWrap)
            return designed;
        return designed.expandedTo(m_widget->sizeHint());
    }

private:
    Label& m_label;
    PressableLabel* m_widget;
};

}  // namespace

ControlView* button(Button& c, const Lookup& l)
{
    QAbstractButton* w = nullptr;
    if (c.kind() == Kind::SpeedButton) {
        auto* flat = new QToolButton;
        flat->setAutoRaise(true);
        w = flat;
    } else {
        w = new QPushButton;
    }
    return new ButtonView(c, w, l);
}

ControlView* label(Label& c, const Lookup& l)
{
    return new LabelView(c, new PressableLabel, l);
}

}  // namespace ui::qt::views
