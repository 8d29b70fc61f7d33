#pragma once
// The inputs of the statistics window: what the lines' answers push into it.
#include <QVariant>

namespace bench {

class StatisticsInputs {
public:
    virtual ~StatisticsInputs() = default;
    virtual void setQEtalon(double q) = 0;      // imitated flow, m3/h
    virtual void setQIzm(double q) = 0;         // flow read from the meter
    virtual void setVEtalon(double v) = 0;      // imitated volume, m3
    virtual void setVIzm(double v) = 0;         // volume read from the meter
    virtual void setIIzm(double i) = 0;         // current measured by the bench, mA
    virtual void setImpIzm(double n) = 0;       // pulses counted by the bench
    virtual void setToki(const QVariant& t) = 0; // the meter's current calibration table
    virtual void setSlot(int slot) = 0;         // the meter's current output slot
};

}  // namespace bench
