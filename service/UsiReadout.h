#pragma once
// The pulse counter's readout in the group "Счетчик импульсов": the counters, the modes of its
// inputs, and the counter of the chosen input passed on to the statistics window.
#include "shell/context/Context.h"
#include "ui/forms/main/UsiGroup.h"

namespace service {

class UsiReadout {
public:
    UsiReadout(shell::Context& ctx, ui::forms::UsiGroup& group);

private:
    void showInputModes(const comm::Exchange& e);
    void showCounters(const comm::Exchange& e);

    shell::Context& m_ctx;
    ui::forms::UsiGroup& m_group;
};

}  // namespace service
