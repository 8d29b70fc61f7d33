#pragma once
// The imitation module's tuning page "Настройка ИМР": the quartz frequency and the converter's
// times t0 and t1, the two converter tuning modes (DA1 with its SAR data, DA2 with its
// polarity), and the emulation-bit panel.
#include "bench/ImrAutomaton.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ImrPage.h"

#include <functional>
#include <optional>

namespace service {

class ImrTuning {
public:
    static constexpr int SarPeriodMs = 500;

    ImrTuning(shell::Context& ctx, ui::forms::ImrPage& page, bench::ImrAutomaton& imr);

    void BtnFClick();
    void btnT0Click();
    void BtnT1Click();
    void BtnStartDa1Click();
    void BtnStopDa1Click();
    void BtnStartDa2Click();
    void BtnStopDa2Click();
    void Label61Click();

private:
    void registerRows();
    // Sends a tuning write without waiting; its button stays disabled until the answer. The
    // value is read from the page only once the module is known to be there.
    void sendTuningWrite(ui::Button& button, int qid, int reg, const std::function<QVariant()>& value);
    void writeTime(ui::Button& button, const ui::Edit& field, int qid, int reg);
    // A tuning run holds the module from its start until its stop went through.
    std::optional<shell::ModuleAccess::Hold> holdForTuning(const QString& holder);
    // Writes an automaton command and waits; false after the failure's message.
    bool writeCommand(int command, const QString& failure);
    bool stopTuning();
    // DA2 tuning's polarity and start command; false after the failure's message.
    bool startDa2();
    // A tuning write answered: its button is usable again, and a failure is reported.
    void tuningWriteAnswered(ui::Button& button, const QString& what, int result);

    shell::Context& m_ctx;
    ui::forms::ImrPage& m_page;
    bench::ImrAutomaton& m_imr;
    std::optional<shell::ModuleAccess::Hold> m_tuning;  // while DA1 or DA2 tuning runs
};

}  // namespace service
