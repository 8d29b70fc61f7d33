#pragma once
// Keeps one widget in step with one control of a form model: model changes update the
// widget, and operator input on the widget goes through the control's gesture methods.
// This base handles the properties every control has; a view per kind adds the rest.
#include "ui/model/Control.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace ui::qt {

class ControlView : public QObject {
    Q_OBJECT
public:
    // The widget that holds a container control's children (null control: the client area).
    using ContainerLookup = std::function<QWidget*(const Control*)>;

    ControlView(Control& control, QWidget* widget, ContainerLookup containers);
    ~ControlView() override;

    Control& control() const { return m_control; }
    QWidget* widget() const { return m_widget; }
    // Where the control's own children go; the widget itself unless the kind has a body.
    virtual QWidget* childArea() const { return m_widget; }

    // Brings the widget to the model's state; called once the view is fully built.
    void syncAll();

protected:
    virtual void sync(Prop what);
    // Puts the widget into its container at the model's geometry.
    virtual void place();
    // The size the widget gets for the designed size (captions that do not fit may grow it).
    virtual QSize fitted(const QSize& designed) const { return designed; }
    const ContainerLookup& containers() const { return m_containers; }

private:
    Control& m_control;
    QPointer<QWidget> m_widget;
    ContainerLookup m_containers;
};

// A caption or hint as Qt shows multi-line text: the model may break lines with CR, LF or both.
QString displayLines(const QString& text);

// The view for a control with a widget (null for menu items, actions and timers); the
// view belongs to its widget.
ControlView* createView(Control& control, const ControlView::ContainerLookup& containers);

}  // namespace ui::qt
