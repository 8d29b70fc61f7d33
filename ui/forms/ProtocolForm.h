#pragma once
// The window "Протокол": the protocol of the latest automatic verification, and the button
// that saves it as PDF and CSV.
#include "ui/model/Form.h"

namespace ui::forms {

class ProtocolForm : public ui::Form {
    Q_OBJECT
public:
    ProtocolForm();

    ui::Memo MemoProtocol;
    ui::Button Button13;
    ui::Button BtnClose;
};

}  // namespace ui::forms
