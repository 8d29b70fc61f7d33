// Progress bars, track bars and the arrows of up-down controls.
#include "ui/qt/views/Views.h"
#include "ui/qt/widgets/UpDownArrows.h"

#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>

namespace ui::qt::views {

namespace {

class ProgressView : public ControlView {
public:
    ProgressView(ProgressBar& p, QProgressBar* w, const Lookup& l) : ControlView(p, w, l), m_model(p), m_widget(w)
    {
        w->setTextVisible(false);
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Range || what == Prop::Position) {
            m_widget->setRange(m_model.minimum(), m_model.maximum());
            m_widget->setValue(m_model.position());
        }
        ControlView::sync(what);
    }

private:
    ProgressBar& m_model;
    QProgressBar* m_widget;
};

class TrackView : public ControlView {
public:
    TrackView(TrackBar& t, QSlider* w, const Lookup& l) : ControlView(t, w, l), m_model(t), m_widget(w)
    {
        w->setTickPosition(QSlider::TicksBelow);
        // Only the operator's moves arrive here: the model's own changes are blocked.
        connect(w, &QSlider::valueChanged, this, [this](int v) {
            m_model.move(v);
            showPosition();
        });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Range || what == Prop::Position)
            showPosition();
        ControlView::sync(what);
    }

private:
    void showPosition()
    {
        const QSignalBlocker block(m_widget);
        m_widget->setRange(m_model.minimum(), m_model.maximum());
        m_widget->setValue(m_model.position());
    }

    TrackBar& m_model;
    QSlider* m_widget;
};

class UpDownView : public ControlView {
public:
    UpDownView(UpDown& u, UpDownArrows* w, const Lookup& l) : ControlView(u, w, l)
    {
        w->stepped = [&u](int step) { u.move(u.position() + step); };
    }
};

}  // namespace

ControlView* progressBar(ProgressBar& c, const Lookup& l)
{
    return new ProgressView(c, new QProgressBar, l);
}

ControlView* trackBar(TrackBar& c, const Lookup& l)
{
    return new TrackView(c, new QSlider(Qt::Horizontal), l);
}

ControlView* upDown(UpDown& c, const Lookup& l)
{
    return new UpDownView(c, new UpDownArrows, l);
}

}  // namespace ui::qt::views
