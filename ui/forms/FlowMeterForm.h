#pragma once
// The window "Расходомер" of the two-channel meter type, with the meter's settings.
#include "ui/model/Form.h"

namespace ui::forms {

class FlowMeterForm : public ui::Form {
    Q_OBJECT
public:
    FlowMeterForm();
};

}  // namespace ui::forms
