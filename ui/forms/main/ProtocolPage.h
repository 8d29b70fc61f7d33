#pragma once
// The page "Протокол": the automatic verification of the meter under test, with its parameters,
// its points, the run window and the saving of the latest protocol.
#include "ui/model/Controls.h"

namespace ui::forms {

class ProtocolPage {
public:
    ProtocolPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TS4;
    ui::Button Button11;  // the imitation section's parameters: nothing behind it, kept hidden
    ui::Button Button12;
    ui::Button BtnPoints;
    ui::Button BtnAutoVerification;
    ui::Button Button13;
    // The run's progress, as its window shows it.
    ui::Label LblRunProgress;
    ui::ProgressBar PBRun;
};

}  // namespace ui::forms
