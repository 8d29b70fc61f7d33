#pragma once
// The meter line's everyday traffic: the periodic reading of the meter's flow and volume (the
// main window's message 0x401 restarts it), and the link check that reads the meter's name.
#include "meter/MeterWindows.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ConfigPage.h"

namespace meter {

class MeterPolling {
public:
    // Where the readings go besides the statistics window.
    struct Fields {
        ui::Edit& flow;    // "Данные из прибора, м3/ч"
        ui::Edit& volume;  // "Накопленный объем, м3 (прибор)"
    };

    MeterPolling(shell::Context& ctx, ui::forms::ConfigPage& page, Fields fields, MeterWindows& windows);

    // Message 0x401: restarts the periodic polling with the present registers.
    void restartPolling();
    void BitBtn7Click();

private:
    void registerRows();
    void nameAnswered(const comm::Exchange& e);

    shell::Context& m_ctx;
    ui::forms::ConfigPage& m_page;
    Fields m_fields;
    MeterWindows& m_windows;
};

}  // namespace meter
