#include "sim/MeterType.h"

#include <array>

namespace sim {

namespace {
constexpr std::array<MeterType, 5> Types{{
    {0, "ДТК-300Т", 0, 2, -1, 0},
    {1, "Тервало ЛК (портативный)", 127, 170, 112, 0},
    {3, "Тервало ЛК (переносной)", 127, 170, 0, 16},
    {4, "ДТК 300Т с АРУ", 0, 2, -1, 0},
    {5, "КС210", 0, 2, -1, 0},
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
