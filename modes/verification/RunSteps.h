#pragma once
// What the parts of the automatic verification's run share: the guard of its waited steps and
// the numbers its sequencing and its checks both count with. Private to AutoVerification*.cpp.

namespace verification::run {

inline constexpr double kMsPerHour = 3600.0 * 1000.0;
inline constexpr int kInputs = 4;  // of the УСИ, and channels of the ИПТ

// Marks the time a waited step runs: events that end the run are held until it returns.
class Stepping {
public:
    explicit Stepping(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Stepping() { m_flag = false; }
    Stepping(const Stepping&) = delete;
    Stepping& operator=(const Stepping&) = delete;

private:
    bool& m_flag;
};

}  // namespace verification::run
