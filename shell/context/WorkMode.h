#pragma once
// The mode the program believes the bench is in. One owner for the whole program: a mode is
// entered only through it, the refusal of a second mode is said in one place, and a start that
// stops halfway (a failed step, or bad input that aborts its handler) always gives the mode back.
#include <QtGlobal>

namespace shell {

enum class Mode : quint8 {
    None = 0,
    FlowImitation = 1,
    VolumeAccumulation = 3,
    CountVerification = 5,   // continuous verification of the delayed-pulse count
    SingleCheck = 6,         // single check of the delayed-pulse count
    VolumeVerification = 7,
    AutoVerification = 8,    // automatic verification of the meter under test
};

class WorkMode {
public:
    // A mode entered for a start that may still fail. Unless kept, it returns the program to no
    // mode when it goes out of scope, whatever way the start was left.
    class Claim {
    public:
        explicit Claim(WorkMode& owner) : m_owner(&owner) {}
        Claim(Claim&& other) noexcept : m_owner(other.m_owner) { other.m_owner = nullptr; }
        Claim(const Claim&) = delete;
        Claim& operator=(const Claim&) = delete;
        Claim& operator=(Claim&&) = delete;
        ~Claim();
        // The start succeeded: the mode stays until it is left.
        void keep() { m_owner = nullptr; }

    private:
        WorkMode* m_owner;
    };

    Mode value() const { return m_mode; }
    bool is(Mode m) const { return m_mode == m; }
    bool isFree() const { return m_mode == Mode::None; }

    // True when no mode runs other than `own`; otherwise tells the operator
    // "Отмените работу других режимов" and returns false.
    bool admits(Mode own = Mode::None) const;

    // Enters a mode whose start has yet to succeed.
    [[nodiscard]] Claim claim(Mode m);
    // Moves between the states of a running mode, or enters one whose start is complete.
    void enter(Mode m) { m_mode = m; }
    void leave() { m_mode = Mode::None; }

private:
    Mode m_mode = Mode::None;
};

}  // namespace shell
