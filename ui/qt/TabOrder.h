#pragma once
// Keeps Tab walking a window's controls in the order the form declares them (creation
// order), whatever order their widgets were parented in: a control moved into another
// container would otherwise go last. Qt skips disabled and hidden widgets on the way.
#include "ui/model/Form.h"

#include <QObject>

#include <functional>

class QWidget;

namespace ui::qt {

class TabOrder : public QObject {
    Q_OBJECT
public:
    using WidgetLookup = std::function<QWidget*(const Control*)>;
    TabOrder(Form& form, WidgetLookup widgets, QObject* parent);

private:
    // The widgets Tab stops at, in order: a control's own widget, or the parts of a
    // control that takes no focus itself (the items of a radio group, the arrows of an
    // up-down control).
    QList<QWidget*> stops() const;
    void apply();

    Form& m_form;
    WidgetLookup m_widgets;
};

}  // namespace ui::qt
