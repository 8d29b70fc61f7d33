#pragma once
// The imitation module's tuning page "Настройка ИМР": the answers of its tuning writes and of
// the converter's SAR data, and the emulation-bit panel.
#include "bench/ImrAutomaton.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ImrPage.h"

namespace service {

class ImrTuning {
public:
    ImrTuning(shell::Context& ctx, ui::forms::ImrPage& page, bench::ImrAutomaton& imr);

    void Label61Click();

private:
    void registerRows();
    // A tuning write answered: its button is usable again, and a failure is reported.
    void tuningWriteAnswered(ui::Button& button, const QString& what, int result);

    shell::Context& m_ctx;
    ui::forms::ImrPage& m_page;
    bench::ImrAutomaton& m_imr;
};

}  // namespace service
