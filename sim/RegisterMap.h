#pragma once
// The registers and coils of one device. Only declared addresses exist: anything else is an
// illegal data address for the Modbus functions. 32-bit values (unsigned and float) take two
// registers, high word first.
#include <QtGlobal>

#include <map>

namespace sim {

enum class Table { Holding, Input };

class RegisterMap {
public:
    void declare(Table t, int first, int count = 1);
    void declareCoils(int first, int count = 1);

    bool has(Table t, int first, int count = 1) const;
    bool hasCoils(int first, int count = 1) const;

    quint16 word(Table t, int reg) const;
    void setWord(Table t, int reg, quint16 value);
    quint32 u32(Table t, int reg) const;
    void setU32(Table t, int reg, quint32 value);
    float real(Table t, int reg) const;
    void setReal(Table t, int reg, float value);

    bool coil(int c) const;
    void setCoil(int c, bool on);

private:
    std::map<int, quint16>& table(Table t) { return t == Table::Holding ? m_holding : m_input; }
    const std::map<int, quint16>& table(Table t) const { return t == Table::Holding ? m_holding : m_input; }

    std::map<int, quint16> m_holding;
    std::map<int, quint16> m_input;
    std::map<int, bool> m_coils;
};

}  // namespace sim
