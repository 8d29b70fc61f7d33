#pragma once
// The meter types the program supports: their registers and defaults.
#include <array>

namespace meter {

struct MeterTypeRow {
    int RegAc;
    int RegQ;
    int RegV;
    int autoCircCount;
    const char* autoCircText;  // what "Число автоциркуляций" shows
    int benchInterByte;        // inter-frame gap of the bench line for this meter
    bool restartsPolling;      // false: the type's window restarts it when a channel is chosen
};

inline constexpr int TypeSingleWindow = 2;  // "КС 030/060", settings window with two channels
inline constexpr int TypeFixedAutoCirc = 3; // imitation always counts 256 autocirculations
inline constexpr int TypeMultiChannel = 6;  // "KS", multi-channel window, input registers

inline constexpr std::array<MeterTypeRow, 7> kMeterTypes{{
    {-1, 0, 2, 256, "256", 1, true},
    {112, 127, 170, 0, "???", 1, true},
    {0, -1, -1, 256, "???", 10, false},
    {0, 127, 170, 256, "???", 1, true},
    {-1, 0, 2, 256, "256", 1, true},
    {-1, 0, 2, 256, "256", 1, true},
    {16480, 49592, 49600, 256, "???", 1, false},
}};

inline constexpr bool isMeterType(int index)
{
    return index >= 0 && index < int(kMeterTypes.size());
}

}  // namespace meter
