#pragma once
// Register addresses of the bench modules.
namespace bench::reg {

// Common to every module (holding, 8-bit).
inline constexpr int Address = 0;
inline constexpr int Speed = 1;
inline constexpr int RtsDelay = 2;

// Imitation module.
inline constexpr int ImrStateIn = 1;         // input, 3 x 8-bit: state, error, last command
inline constexpr int ImrSarIn = 6;           // input, 8-bit
inline constexpr int ImrAutoCircIn = 16384;  // input, 16-bit
inline constexpr int ImrElapsedIn = 32770;   // input, 32-bit ms
inline constexpr int ImrCalibSumsIn = 32772; // input, 10 x 32-bit
inline constexpr int ImrCommand = 3;         // holding, 8-bit
inline constexpr int ImrConvCount = 16385;   // holding, 16-bit
inline constexpr int ImrDelayCount = 16386;  // holding, 16-bit
inline constexpr int ImrImitTime = 32772;    // holding, 32-bit ms
inline constexpr int ImrFosc = 32774;        // holding, 32-bit, 1e-8 MHz
inline constexpr int ImrT0 = 49152;          // holding, float ns
inline constexpr int ImrT1 = 49154;          // holding, float ns
inline constexpr int ImrPolarityCoil = 1;
inline constexpr int ImrEmulCoil = 2;

// Pulse counter module.
inline constexpr int UsiCountersIn = 32768;  // input, 4 x 32-bit
inline constexpr int UsiCommand = 3;         // holding, 8-bit
inline constexpr int UsiFirstModeCoil = 0;

// Current meter module.
inline constexpr int IptSumsIn = 32768;      // input, 4 x 32-bit
inline constexpr int IptCurrentsIn = 49152;  // input, 4 x float mA
inline constexpr int IptMode = 3;            // holding, 8-bit
inline constexpr int IptDac = 16384;         // holding, 16-bit
inline constexpr int iptScale(int channel) { return 49150 + 2 * channel; }
inline constexpr int iptOffset(int channel) { return 49158 + 2 * channel; }

}  // namespace bench::reg
