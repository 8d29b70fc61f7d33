#include "sim/ImrAutomaton.h"

#include <array>

namespace sim {

namespace {

enum class Duration { Instant, Executing, Calibration };

// What each command code does: the state and result shown while it runs (for timed
// commands), the state and result once done, and the result when it fails (0: cannot fail).
struct CommandEffect {
    Duration duration;
    quint8 runningState;
    quint8 runningResult;
    quint8 doneState;
    quint8 doneResult;
    quint8 failedResult;
};

// Indexed by command code - 1; code 0 is no command at all.
constexpr std::array<CommandEffect, imr::HighestCommand> Effects{{
    {Duration::Executing, 1, 1, 2, 2, 3},          // 1: start imitation
    {Duration::Executing, 3, 4, 0, 5, 6},          // 2: stop imitation
    {Duration::Calibration, 0, 7, 0, 8, 9},        // 3: calibrate the delay line
    {Duration::Executing, 4, 10, 0, 11, 12},       // 4: count autocirculations
    {Duration::Instant, 0, 0, 5, 13, 0},           // 5: DA2 tuning, t0
    {Duration::Instant, 0, 0, 5, 14, 0},           // 6: DA2 tuning, t1
    {Duration::Instant, 0, 0, 5, 15, 0},           // 7: DA2 tuning, t0 and t1 in turn
    {Duration::Instant, 0, 0, 6, 16, 17},          // 8: DA1 tuning
    {Duration::Instant, 0, 0, 0, 18, 0},           // 9: stop tuning
    {Duration::Instant, 0, 0, 0, 19, 20},          // 10: verify the delayed pulse count once
    {Duration::Instant, 0, 0, 8, 21, 0},           // 11: continuous verification of the count
    {Duration::Instant, 0, 0, 0, 22, 0},           // 12: stop continuous verification
    {Duration::Instant, 0, 0, 7, 23, 0},           // 13: delay line verification, CMODE 0
    {Duration::Instant, 0, 0, 7, 24, 0},           // 14: delay line verification, CMODE 1
    {Duration::Instant, 0, 0, 0, 25, 0},           // 15: stop delay line verification
}};

}  // namespace

void ImrAutomaton::command(int code, Clock::time_point now)
{
    if (code == 0 || !isCommand(code))
        return;
    const CommandEffect& e = Effects[code - 1];
    const bool failed = m_failing && e.failedResult != 0;
    const quint8 finalState = failed ? imr::Idle : e.doneState;
    const quint8 finalResult = failed ? e.failedResult : e.doneResult;
    m_running.reset();
    if (e.duration == Duration::Instant) {
        m_state = finalState;
        m_result = finalResult;
        return;
    }
    const int ms = e.duration == Duration::Executing ? m_executingMs : m_calibrationMs;
    m_state = e.runningState;
    m_result = e.runningResult;
    m_running = Running{code, finalState, finalResult, failed, now + std::chrono::milliseconds(ms)};
}

std::optional<ImrAutomaton::Completion> ImrAutomaton::advanceTo(Clock::time_point now)
{
    if (!m_running || now < m_running->due)
        return std::nullopt;
    const Running done = *m_running;
    m_running.reset();
    m_state = done.finalState;
    m_result = done.finalResult;
    return Completion{done.command, done.failed, done.due};
}

void ImrAutomaton::endImitation()
{
    m_running.reset();
    m_state = imr::Idle;
    m_result = imr::ImitationStopped;
}

void ImrAutomaton::injectError(quint8 error)
{
    m_error = error;
    m_failing = error != 0;
}

}  // namespace sim
