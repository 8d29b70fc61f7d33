#include "sim/OutputSlots.h"

#include "sim/ModbusFunctions.h"

#include <algorithm>

namespace sim {

namespace {

// Holding registers; s the slot.
constexpr int KindReg = 7;                // + s
constexpr int CalibrationModeReg = 60;    // + s: 1 calibrating, 0 normal
constexpr int CalibrationPointReg = 62;   // + s: 0..3
constexpr int CalibrationTableReg = 49196;  // + 4k + 2s: float, current measured at point k

constexpr int Points = 4;
using Curve = std::array<double, Points>;
constexpr Curve NominalMa{0, 4, 5, 20};
constexpr int FullScalePoint = 3;
constexpr double MaxOutputMa = 24;

int tableReg(int point, int slot) { return CalibrationTableReg + 4 * point + 2 * slot; }

// Piecewise linear through (xs, ys), the end segments carried on beyond the ends.
double interpolate(double x, const Curve& xs, const Curve& ys)
{
    int k = 0;
    while (k < Points - 2 && x > xs[size_t(k) + 1])
        ++k;
    const double dx = xs[size_t(k) + 1] - xs[size_t(k)];
    return dx > 0 ? ys[size_t(k)] + (x - xs[size_t(k)]) * (ys[size_t(k) + 1] - ys[size_t(k)]) / dx : ys[size_t(k)];
}

}  // namespace

OutputSlots::OutputSlots(RegisterMap& registers, const std::array<int, Count>& kinds, double errorPct)
    : m_registers(registers), m_errorPct(errorPct)
{
    m_registers.declare(Table::Holding, KindReg, Count);
    m_registers.declare(Table::Holding, CalibrationModeReg, Count);
    m_registers.declare(Table::Holding, CalibrationPointReg, Count);
    m_registers.declare(Table::Holding, CalibrationTableReg, 2 * Points * Count);
    for (int s = 0; s < Count; ++s) {
        Q_ASSERT(kinds[size_t(s)] >= Empty && kinds[size_t(s)] <= Discrete);
        m_registers.setWord(Table::Holding, KindReg + s, quint16(kinds[size_t(s)]));
        // Left as delivered: the table believes the board is exact.
        for (int k = 0; k < Points; ++k)
            m_registers.setReal(Table::Holding, tableReg(k, s), float(NominalMa[size_t(k)]));
    }
}

int OutputSlots::refuseWrite(int reg, quint16 value) const
{
    if (reg >= KindReg && reg < KindReg + Count)
        return value > Discrete ? exception::IllegalDataValue : 0;
    if (reg >= CalibrationModeReg && reg < CalibrationModeReg + Count) {
        // Only a current board can be calibrated.
        const bool valid = value == 0 || (value == 1 && kind(reg - CalibrationModeReg) == Current);
        return valid ? 0 : exception::IllegalDataValue;
    }
    if (reg >= CalibrationPointReg && reg < CalibrationPointReg + Count)
        return value >= Points ? exception::IllegalDataValue : 0;
    return 0;
}

int OutputSlots::kind(int slot) const { return m_registers.word(Table::Holding, KindReg + slot); }

bool OutputSlots::calibrating(int slot) const
{
    return kind(slot) == Current && m_registers.word(Table::Holding, CalibrationModeReg + slot) == 1;
}

// Test controls may store any point; the board knows four.
int OutputSlots::point(int slot) const
{
    return std::min<int>(m_registers.word(Table::Holding, CalibrationPointReg + slot), Points - 1);
}

double OutputSlots::boardOutputMa(double commandMa) const
{
    Curve actual = NominalMa;
    actual[FullScalePoint] *= 1.0 + m_errorPct / 100.0;
    return std::clamp(interpolate(commandMa, NominalMa, actual), 0.0, MaxOutputMa);
}

double OutputSlots::correctedCommandMa(int slot, double wantedMa) const
{
    Curve measured;
    for (int k = 0; k < Points; ++k)
        measured[size_t(k)] = m_registers.real(Table::Holding, tableReg(k, slot));
    return interpolate(wantedMa, measured, NominalMa);
}

double OutputSlots::wireCurrentMa(double wantedMa) const
{
    for (int s = 0; s < Count; ++s)
        if (calibrating(s))
            return boardOutputMa(NominalMa[size_t(point(s))]);
    for (int s = 0; s < Count; ++s)
        if (kind(s) == Current)
            return boardOutputMa(correctedCommandMa(s, wantedMa));
    return 0;
}

}  // namespace sim
