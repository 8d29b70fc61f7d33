#pragma once
// Small reproducible noise for readings that should not look frozen.
#include <random>

namespace sim {

class Jitter {
public:
    explicit Jitter(unsigned seed) : m_engine(seed) {}
    // Uniform in [-amplitude, amplitude].
    double next(double amplitude)
    {
        return std::uniform_real_distribution<double>(-amplitude, amplitude)(m_engine);
    }

private:
    std::minstd_rand m_engine;
};

}  // namespace sim
