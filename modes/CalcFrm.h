#pragma once
// The statistics window "Калькулятор ЗТА": what the bench imitates beside what is measured.
// For now it holds the values pushed into it; its window shows them in a later stage.
#include "bench/StatisticsInputs.h"

#include <QVariant>

namespace modes {

class TcalcFrm : public bench::StatisticsInputs {
public:
    void setQEtalon(double q) override { FQEtalon = q; }
    void setQIzm(double q) override { FQIzm = q; }
    void setVEtalon(double v) override { FVEtalon = v; }
    void setVIzm(double v) override { FVIzm = v; }
    void setIIzm(double i) override { FIIzm = i; }
    void setImpIzm(double n) override { FImpIzm = n; }
    void setToki(const QVariant& t) override { FToki = t; }
    void setSlot(int slot) override { FSlot = quint8(slot); }

    double QEtalon() const { return FQEtalon; }
    double QIzm() const { return FQIzm; }
    double VEtalon() const { return FVEtalon; }
    double VIzm() const { return FVIzm; }
    double IIzm() const { return FIIzm; }
    double ImpIzm() const { return FImpIzm; }
    const QVariant& Toki() const { return FToki; }
    int Slot() const { return FSlot; }

private:
    double FQEtalon = 0;
    double FQIzm = 0;
    double FVEtalon = 0;
    double FVIzm = 0;
    double FIIzm = 0;
    double FImpIzm = 0;
    QVariant FToki;
    quint8 FSlot = 0;
};

}  // namespace modes
