#pragma once
// Request numbers of the meter line used by the main window.
namespace meter::qid {

inline constexpr int DeviceName = 1;
inline constexpr int Volume = 2;
inline constexpr int AutoCirc = 3;
inline constexpr int Flow = 4;
inline constexpr int StatusWords = 15;
inline constexpr int CurrentRegime = 19;
inline constexpr int ChannelCoil = -5;

}  // namespace meter::qid
