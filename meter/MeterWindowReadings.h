#pragma once
// What the meter line's everyday readings show in the settings window of the chosen meter type.
namespace meter {

class MeterWindowReadings {
public:
    virtual ~MeterWindowReadings() = default;
    virtual void showFlow(double q) = 0;    // m3/h
    virtual void showVolume(double v) = 0;  // m3
    // The meter's autocirculations as it reports them; only the multi-channel window shows them.
    virtual void showAutoCirculations(int count) { static_cast<void>(count); }
};

}  // namespace meter
