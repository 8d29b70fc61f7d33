#pragma once
// The window "Набор поверочных точек, м3/ч": the flows of the automatic verification, one per
// edit in the order the run takes them; an empty edit is no point. Each edit's label names the
// point and its unit.
#include "ui/model/Form.h"

#include <array>
#include <memory>

namespace ui::forms {

class PointsForm : public ui::Form {
    Q_OBJECT
public:
    static constexpr int Rows = 10;

    PointsForm();

    // "Точка 3" for i = 2: how messages name the point.
    static QString pointName(int i);

    struct Row {
        Row(ui::Form* form, const char* labelName, const char* editName)
            : label(form, labelName, nullptr), edit(form, editName, nullptr)
        {
        }
        ui::Label label;
        ui::Edit edit;
    };
    std::array<std::unique_ptr<Row>, Rows> rows;
    ui::Edit& edit(int i) { return rows.at(i)->edit; }
    ui::Button BitBtn1;
    ui::Button BitBtn2;
};

}  // namespace ui::forms
