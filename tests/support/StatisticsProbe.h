#pragma once
// Statistics inputs for tests of parts built without the statistics window: it keeps the
// latest value of each input.
#include "bench/StatisticsInputs.h"

namespace test {

struct StatisticsProbe : bench::StatisticsInputs {
    void setQEtalon(double q) override { QEtalon = q; }
    void setQIzm(double q) override { QIzm = q; }
    void setVEtalon(double v) override { VEtalon = v; }
    void setVIzm(double v) override { VIzm = v; }
    void setIIzm(double i) override { IIzm = i; }
    void setImpIzm(double n) override { ImpIzm = n; }
    void setToki(const QVariant& t) override { Toki = t; }
    void setSlot(int slot) override { Slot = slot; }

    double QEtalon = 0, QIzm = 0, VEtalon = 0, VIzm = 0, IIzm = 0, ImpIzm = 0;
    QVariant Toki;
    int Slot = 0;
};

}  // namespace test
