#pragma once
// The imitation module's command codes and automaton states.
namespace bench::imr {

inline constexpr int StateIdle = 0;
inline constexpr int StateEnteringImitation = 1;
inline constexpr int StateImitating = 2;
inline constexpr int StateLeavingImitation = 3;
inline constexpr int StateCountingAutoCirc = 4;
inline constexpr int StateTuningDa2 = 5;
inline constexpr int StateTuningDa1 = 6;
inline constexpr int StateDelayLineCheck = 7;
inline constexpr int StateContinuousCheck = 8;
inline constexpr int StateReadFailed = 255;  // the program's mark for a failed state read

inline constexpr int CmdNone = 0;
inline constexpr int CmdStartImitation = 1;
inline constexpr int CmdStopImitation = 2;
inline constexpr int CmdCalibrate = 3;
inline constexpr int CmdCountAutoCirc = 4;
inline constexpr int CmdDa2T0 = 5;
inline constexpr int CmdDa2T1 = 6;
inline constexpr int CmdDa2Switching = 7;
inline constexpr int CmdDa1 = 8;
inline constexpr int CmdStopTuning = 9;
inline constexpr int CmdCheckDelayedOnce = 10;
inline constexpr int CmdStartContinuousCheck = 11;
inline constexpr int CmdStopContinuousCheck = 12;
inline constexpr int CmdDelayLineCmode0 = 13;
inline constexpr int CmdDelayLineCmode1 = 14;
inline constexpr int CmdStopDelayLine = 15;

// The command that ends the mode of a state; -1 for states that have none.
constexpr int stopCommandFor(int state)
{
    switch (state) {
    case StateEnteringImitation:
    case StateImitating: return CmdStopImitation;
    case StateTuningDa2:
    case StateTuningDa1: return CmdStopTuning;
    case StateDelayLineCheck: return CmdStopDelayLine;
    case StateContinuousCheck: return CmdStopContinuousCheck;
    default: return -1;
    }
}

}  // namespace bench::imr
