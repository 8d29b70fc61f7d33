#pragma once
// The multi-channel meter's two output slots, kept in its holding registers: the kind of board
// each holds, and for a current board its calibration. In calibration mode the board drives the
// nominal current of the chosen point (0, 4, 5, 20 mA); otherwise it drives the current the flow
// asks for, corrected through the table of currents measured at those points. The board itself
// is off by a set error at 20 mA, which a calibration takes out.
#include "sim/RegisterMap.h"

#include <array>

namespace sim {

class OutputSlots {
public:
    static constexpr int Count = 2;
    enum Kind { Empty = 0, Universal = 1, Current = 2, Discrete = 3 };

    // errorPct: the boards' error at their 20 mA point.
    OutputSlots(RegisterMap& registers, const std::array<int, Count>& kinds, double errorPct);

    // The exception code for a master's write to one of the slots' registers; 0 accepts.
    int refuseWrite(int reg, quint16 value) const;
    // What the current output wire carries, mA: the slot in calibration, otherwise the first
    // current slot asked for `wantedMa`; nothing without a current slot.
    double wireCurrentMa(double wantedMa) const;

private:
    int kind(int slot) const;
    bool calibrating(int slot) const;
    int point(int slot) const;
    // What a board gives when told to drive `commandMa`.
    double boardOutputMa(double commandMa) const;
    // What a slot tells its board so that the current measured at its points comes out as wantedMa.
    double correctedCommandMa(int slot, double wantedMa) const;

    RegisterMap& m_registers;
    const double m_errorPct;
};

}  // namespace sim
