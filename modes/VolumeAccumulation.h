#pragma once
// The page "Имитация накопл. объема": the meter accumulates a chosen volume at a chosen flow.
#include "bench/ImrAutomaton.h"
#include "modes/FlowSetter.h"
#include "modes/ImVOFrm.h"
#include "modes/VolumeImitation.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ImitVPage.h"

namespace modes {

class VolumeAccumulation {
public:
    VolumeAccumulation(shell::Context& ctx, ui::forms::ImitVPage& page, TImVOFrm& parameters,
                       VolumeImitation& volume, FlowSetter& setter, bench::ImrAutomaton& imr);

    void Button5Click();
    // The parameters dialog closed with OK, here or on the verification page.
    void parametersAccepted();
    void BtnQStartClick();
    void BtnQStopClick();
    void edttimeClick();

private:
    shell::Context& m_ctx;
    ui::forms::ImitVPage& m_page;
    TImVOFrm& m_parameters;
    VolumeImitation& m_volume;
    FlowSetter& m_setter;
    bench::ImrAutomaton& m_imr;
};

}  // namespace modes
