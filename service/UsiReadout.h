#pragma once
// The pulse counter's readout in the group "Счетчик импульсов": the counters, the modes of its
// inputs, and the counter of the chosen input passed on to the statistics window.
#include "shell/context/Context.h"
#include "ui/forms/main/UsiGroup.h"

namespace service {

class UsiReadout {
public:
    static constexpr int PeriodMs = 1000;

    UsiReadout(shell::Context& ctx, ui::forms::UsiGroup& group);

    void ChbCnt1Click();
    // "Сброс" of one input (its tag 1..4) or "Сброс для всех".
    void resetClick(int command);
    void PnlUsiClick(ui::Panel& panel);

private:
    void readInputModes();
    void showInputModes(const comm::Exchange& e);
    void showCounters(const comm::Exchange& e);

    shell::Context& m_ctx;
    ui::forms::UsiGroup& m_group;
};

}  // namespace service
