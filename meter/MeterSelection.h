#pragma once
// Choosing the type of the meter under test and applying its registers and defaults.
#include "meter/MProFrm.h"
#include "meter/MeterWindows.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ConfigPage.h"

#include <functional>

namespace meter {

class MeterSelection {
public:
    // restartPolling: the main window's polling message, sent when a type starts polling.
    MeterSelection(shell::Context& ctx, ui::forms::ConfigPage& page, MeterWindows& windows, TMProFrm& catalogue,
                   std::function<void()> restartPolling);

    void SetPriborType(int index);
    void cbxpribChange();
    void BtnSetupClick();
    void BtnPropClick();

private:
    shell::Context& m_ctx;
    ui::forms::ConfigPage& m_page;
    MeterWindows& m_windows;
    TMProFrm& m_catalogue;
    std::function<void()> m_restartPolling;
};

}  // namespace meter
