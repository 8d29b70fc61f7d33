#pragma once
// The imitation module's automaton as every bench workflow sees it: reading and showing its
// state, setting the emulation bit with read-back, and bringing it back to idle.
#include "bench/BenchState.h"
#include "bench/ModuleDescriptor.h"
#include "link/MBComMaster.h"
#include "ui/forms/MainForm.h"

#include <functional>

namespace bench {

class ImrAutomaton {
public:
    // How long ResetToIdle waits for the module to report idle after its stop command.
    static constexpr int IdleTimeoutMs = 10000;
    static constexpr int EmulBitTries = 10;

    ImrAutomaton(ui::forms::MainForm& form, BenchState& state, const Modules& modules, comm::MBComMaster& bench,
                 std::function<bool()> linkUp, const bool& oldBench);

    bool ReadImrState();
    bool ResetToIdle();
    bool SetEmulBit(bool value);

    void Label84Click() { ReadImrState(); }
    void Label30Click();
    void Label61Click();

private:
    bool writeCommand(int code);
    void showBit(bool value);

    ui::forms::MainForm& m_form;
    BenchState& m_state;
    const Modules& m_modules;
    comm::MBComMaster& m_bench;
    std::function<bool()> m_linkUp;
    const bool& m_oldBench;
};

}  // namespace bench
