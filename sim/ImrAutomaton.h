#pragma once
// The imitation module's automaton: command codes move it between its states and set the
// result of the last command. Commands that take time first report their "executing" result
// and finish by themselves when their time has come.
//
// The automaton obeys every valid command in whatever state it is: bringing it to idle before
// a new mode is the program's job, and a test can so reach any state directly.
#include "sim/Device.h"

#include <optional>

namespace sim {

namespace imr {
// States of the automaton.
constexpr quint8 Idle = 0;
constexpr quint8 EnteringImitation = 1;
constexpr quint8 Imitating = 2;
// Commands with effects beyond the state bytes.
constexpr int StartImitation = 1;
constexpr int StopImitation = 2;
constexpr int Calibrate = 3;
constexpr int CountAutocirculations = 4;
constexpr int HighestCommand = 15;
// Result of the stop command once done; also reported when a timed imitation ends itself.
constexpr quint8 ImitationStopped = 5;
}  // namespace imr

class ImrAutomaton {
public:
    struct Completion {
        int command;
        bool failed;
        Clock::time_point at;
    };

    ImrAutomaton(int executingMs, int calibrationMs) : m_executingMs(executingMs), m_calibrationMs(calibrationMs) {}

    static bool isCommand(int code) { return code >= 0 && code <= imr::HighestCommand; }
    void command(int code, Clock::time_point now);
    // Finishes the running command when its time has come, telling which one it was.
    std::optional<Completion> advanceTo(Clock::time_point now);
    // The module ends a timed imitation on its own.
    void endImitation();

    // A non-zero error makes every command that can fail end with its failure result and
    // shows the error code; 0 brings the automaton back to normal.
    void injectError(quint8 error);

    quint8 state() const { return m_state; }
    quint8 error() const { return m_error; }
    quint8 lastResult() const { return m_result; }

private:
    struct Running {
        int command;
        quint8 finalState;
        quint8 finalResult;
        bool failed;
        Clock::time_point due;
    };

    int m_executingMs;
    int m_calibrationMs;
    quint8 m_state = imr::Idle;
    quint8 m_error = 0;
    quint8 m_result = 0;
    bool m_failing = false;
    std::optional<Running> m_running;
};

}  // namespace sim
