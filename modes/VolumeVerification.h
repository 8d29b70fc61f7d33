#pragma once
// The page "Поверка имитации накопления объёма": the bench accumulates a volume with its own
// fixed scale and the emulation bit cleared, without a meter.
#include "bench/ImrAutomaton.h"
#include "modes/FlowSetter.h"
#include "modes/ImVOFrm.h"
#include "modes/VolumeImitation.h"
#include "shell/context/Context.h"
#include "ui/forms/main/PoverVPage.h"

namespace modes {

class VolumeVerification {
public:
    // parametersAccepted: what the accumulation page does when the shared dialog closes with OK.
    VolumeVerification(shell::Context& ctx, ui::forms::PoverVPage& page, TImVOFrm& parameters,
                       VolumeImitation& volume, FlowSetter& setter, bench::ImrAutomaton& imr,
                       std::function<void()> parametersAccepted);

    void Button26Click();
    void BtnQ2StartClick();
    void BtnQ2StopClick();

private:
    void showParameters();

    shell::Context& m_ctx;
    ui::forms::PoverVPage& m_page;
    TImVOFrm& m_parameters;
    VolumeImitation& m_volume;
    FlowSetter& m_setter;
    bench::ImrAutomaton& m_imr;
    std::function<void()> m_parametersAccepted;
};

}  // namespace modes
