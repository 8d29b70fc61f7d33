#pragma once
// The delay line calibration as the modes that start with it see it.
namespace bench {

class DelayLineCalibrator {
public:
    virtual ~DelayLineCalibrator() = default;
    // Calibrates and sets the delay time the counts use; false (after telling the operator)
    // when it could not, and the previous delay time stays.
    virtual bool CalibrateDelayLine() = 0;
};

}  // namespace bench
