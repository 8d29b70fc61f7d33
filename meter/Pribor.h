#pragma once
// A flow meter type: where the meter keeps its readings.
#include <QString>

namespace meter {

struct TPribor {
    static constexpr int MaxNameLength = 50;
    QString Name;    // at most MaxNameLength characters
    int RegAc = 0;   // register of the number of autocirculations; -1 = none
    int RegQ = 0;    // register of the flow, m3/h; -1 = not polled
    int RegV = 0;    // register of the volume, m3; -1 = not polled
};

inline QString cutName(const QString& name)
{
    return name.left(TPribor::MaxNameLength);
}

}  // namespace meter
