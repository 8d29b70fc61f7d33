#include "sim/RegisterMap.h"

#include <bit>

namespace sim {

namespace {

template <typename Map>
bool hasAll(const Map& map, int first, int count)
{
    for (int a = first; a < first + count; ++a)
        if (!map.contains(a))
            return false;
    return true;
}

}  // namespace

void RegisterMap::declare(Table t, int first, int count)
{
    for (int a = first; a < first + count; ++a)
        table(t).try_emplace(a, 0);
}

void RegisterMap::declareCoils(int first, int count)
{
    for (int a = first; a < first + count; ++a)
        m_coils.try_emplace(a, false);
}

bool RegisterMap::has(Table t, int first, int count) const { return hasAll(table(t), first, count); }
bool RegisterMap::hasCoils(int first, int count) const { return hasAll(m_coils, first, count); }

quint16 RegisterMap::word(Table t, int reg) const
{
    const auto it = table(t).find(reg);
    return it == table(t).end() ? 0 : it->second;
}

void RegisterMap::setWord(Table t, int reg, quint16 value)
{
    // Writes to undeclared addresses are ignored, so the map stays what the device declared.
    const auto it = table(t).find(reg);
    if (it != table(t).end())
        it->second = value;
}

quint32 RegisterMap::u32(Table t, int reg) const
{
    return (quint32(word(t, reg)) << 16) | word(t, reg + 1);
}

void RegisterMap::setU32(Table t, int reg, quint32 value)
{
    setWord(t, reg, quint16(value >> 16));
    setWord(t, reg + 1, quint16(value & 0xFFFF));
}

float RegisterMap::real(Table t, int reg) const { return std::bit_cast<float>(u32(t, reg)); }
void RegisterMap::setReal(Table t, int reg, float value) { setU32(t, reg, std::bit_cast<quint32>(value)); }

bool RegisterMap::coil(int c) const
{
    const auto it = m_coils.find(c);
    return it != m_coils.end() && it->second;
}

void RegisterMap::setCoil(int c, bool on)
{
    const auto it = m_coils.find(c);
    if (it != m_coils.end())
        it->second = on;
}

}  // namespace sim
