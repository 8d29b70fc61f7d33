#pragma once
// The imitation module's automaton as every bench workflow sees it: reading and showing its
// state, setting the emulation bit with read-back, and bringing it back to idle. It owns the
// bench line's rows of the state read, the emulation bit and the command register.
#include "shell/context/Context.h"
#include "ui/model/Controls.h"

namespace bench {

class ImrAutomaton {
public:
    static constexpr int EmulBitTries = 10;

    // stateLabel: the main window's line that shows the automaton's state (Label84).
    ImrAutomaton(shell::Context& ctx, ui::Label& stateLabel);

    bool ReadImrState();
    bool ResetToIdle();
    bool SetEmulBit(bool value);
    // Reads the emulation bit without waiting; its answer shows in the message line.
    void readEmulBit();
    // Writes an automaton command and waits for its answer; true when it was accepted.
    bool writeCommand(int code);

    void Label84Click() { ReadImrState(); }

private:
    void registerRows();
    void showBit(bool value);

    shell::Context& m_ctx;
    ui::Label& m_stateLabel;
};

}  // namespace bench
