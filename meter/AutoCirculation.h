#pragma once
// The meter's number of autocirculations: counted by the imitation module ("Подсчитать") or
// read from the meter's own register ("Считать"), and shown in "Число автоциркуляций".
#include "bench/ImrAutomaton.h"
#include "meter/MeterWindows.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ConfigPage.h"

namespace meter {

class AutoCirculation {
public:
    // The count gives up when the automaton still counts after this many state reads.
    static constexpr int MaxStateReads = 50;

    AutoCirculation(shell::Context& ctx, ui::forms::ConfigPage& page, bench::ImrAutomaton& imr,
                    const MeterWindows& windows);

    void BtnCountClick();
    void BtnCount1Click();

private:
    void registerRows();
    void show(int count);
    bool counting() const;

    shell::Context& m_ctx;
    ui::forms::ConfigPage& m_page;
    bench::ImrAutomaton& m_imr;
    const MeterWindows& m_windows;
};

}  // namespace meter
