#pragma once
// The delay time of the imitation module's delay line, computed from the sums of one calibration
// run: ten conversions without inversion (record 0) and ten with inversion (record 1).
#include "bench/BenchState.h"

#include <array>

namespace service {

struct DelayLineConstants {
    static constexpr int Conversions = 10;       // N, conversions per record
    static constexpr double NoiseLimit = 5;      // code units squared
    static constexpr int ConverterCodes = 255;   // fine steps between T0 and T1
    static constexpr double MidScaleCode = 128;
    static constexpr quint32 NoisyFlag = 2;      // set in DelayCalibRecord::Flags
};

// 1000 / frequency in MHz; foscRaw counts units of 1e-8 MHz and is never 0 here.
double quartzPeriodNs(quint32 foscRaw);

// Coarse, MeanA, VarA, MeanB, VarB from the record's sums.
void deriveStatistics(bench::DelayCalibRecord& record);

// The first fine code is steady enough to renew the fine offset; a variance that compares with
// nothing (NaN) counts as steady.
bool fineCodeSteady(double varA);
// The second fine code varies beyond the noise limit; a NaN variance counts as noisy.
bool seriesNoisy(double varB);

// Index of the record whose Delay becomes the calibrated delay, from Flags, VarB and MeanB.
int chooseRecord(const std::array<bench::DelayCalibRecord, 2>& records);

// Fills every derived field of both records from their sums, renews fineOffset (kept between
// runs) when record 0's first fine code is steady, and returns the index of the chosen record.
int computeDelayLine(std::array<bench::DelayCalibRecord, 2>& records, quint32 foscRaw, double t0, double t1,
                     double& fineOffset);

}  // namespace service
