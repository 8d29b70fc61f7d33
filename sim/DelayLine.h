#pragma once
// The imitation module's delay line as its calibration measures it. Each conversion counts the
// whole quartz periods of the delay (8 counts per conversion) and converts the two fine parts,
// from the start of the delayed pulse to the next clock edge (A) and from its end (B), into codes
// of the fine converter. The series without inversion sees the clock half a period later than
// the series with inversion, which is why the module measures both.
//
// The quartz and the converter are physical: the sums follow them, not the registers in which
// the program keeps their nominal values.
#include <QList>
#include <QtGlobal>

#include <array>
#include <random>

namespace sim {

class DelayLine {
public:
    struct Hardware {
        double delayNs;     // the true delay
        double quartzMHz;
        double t0Ns;        // the fine converter's times at code 0 and at full scale
        double t1Ns;
        int noisyRecord;    // -1 none, 0 without inversion, 1 with inversion
    };

    DelayLine(const Hardware& hardware, unsigned seed) : m_hw(hardware), m_engine(seed) {}

    double delayNs() const { return m_hw.delayNs; }
    // Sum0..Sum4 of the series without inversion, then of the series with inversion, after
    // `conversions` conversions. Kept modulo 2^32 as the module's counters do.
    std::array<quint32, 10> calibrationSums(int conversions);

private:
    struct Series {
        quint32 coarse;  // whole periods per conversion
        double meanA;    // fine codes, mean over the conversions
        double meanB;
    };
    Series series(bool inverted) const;
    // `conversions` codes scattered around `mean`, their sum as close to conversions x mean as
    // whole codes allow: the converter's noise averages out, as in the module.
    QList<int> codes(double mean, int conversions, bool noisy);

    Hardware m_hw;
    std::minstd_rand m_engine;
};

}  // namespace sim
