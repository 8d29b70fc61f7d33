#include "sim/MeterType.h"

#include <array>

namespace sim {

namespace {
constexpr std::array<MeterType, 7> Types{{
    {0, "ДТК-300Т", MeterKind::SingleChannel, 0, 2, -1, 0},
    {1, "Тервало ЛК (портативный)", MeterKind::SingleChannel, 127, 170, 112, 0},
    {2, "КС 030/060", MeterKind::TwoChannel, 210, 219, 0, 0},
    {3, "Тервало ЛК (переносной)", MeterKind::SingleChannel, 127, 170, 0, 16},
    {4, "ДТК 300Т с АРУ", MeterKind::SingleChannel, 0, 2, -1, 0},
    {5, "КС210", MeterKind::SingleChannel, 0, 2, -1, 0},
    {6, "KS", MeterKind::MultiChannel, 49592, 49600, 16480, 0},
}};
}  // namespace

std::optional<MeterType> meterType(int type)
{
    for (const MeterType& t : Types)
        if (t.type == type)
            return t;
    return std::nullopt;
}

}  // namespace sim
