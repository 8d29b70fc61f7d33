#pragma once
// The window "Расходомер" of the multi-channel meter type, set up channel by channel.
#include "ui/model/Form.h"

namespace ui::forms {

class FlowMeterFormKS : public ui::Form {
    Q_OBJECT
public:
    FlowMeterFormKS();
};

}  // namespace ui::forms
