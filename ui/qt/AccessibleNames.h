#pragma once
// Gives each control's widget the accessible name an operator would say. Buttons, labels,
// check boxes and group boxes already speak their captions; value controls (edits, combos,
// grids, bars, up-down arrows) are named by their caption label, or without one by the
// caption of the nearest enclosing group box; pages by their captions. The names follow
// caption changes and re-pair when the layout moves. Hints reach screen readers as
// descriptions through the tool tips.
#include "ui/model/Form.h"

#include <QHash>
#include <QObject>

#include <functional>

class QWidget;

namespace ui::qt {

// The label that captions a value control, found on the designed layout among the
// control's siblings (visibility is not considered, so names do not jump at run time):
// 1. the nearest sibling to its left on the same row (the vertical centre of one within the
//    other's height), if that sibling is a label;
// 2. otherwise the nearest sibling just above it (bottom within one control height of its
//    top, left edges aligned), if that sibling is a label.
// An up-down control takes the label of the edit it steps. Ties go to the control created
// first. Null when no label qualifies.
const Label* captionLabelOf(const Control& c);

class AccessibleNames : public QObject {
    Q_OBJECT
public:
    using WidgetLookup = std::function<QWidget*(const Control*)>;
    AccessibleNames(Form& form, WidgetLookup widgets, QObject* parent);

private:
    void pairAll();
    void nameAll();
    void name(const Control& c);
    void controlChanged(const Control& c, Prop what);

    Form& m_form;
    WidgetLookup m_widgets;
    QHash<const Control*, const Label*> m_labelOf;  // value control -> its caption label
};

}  // namespace ui::qt
