#pragma once
// The statistics window "Калькулятор ЗТА": the lines' answers push the imitated and measured
// values into it; it shows the relative error of each pair in green or red, keeps the
// running statistics of the meter's flow readings and draws their trend. Its one request is
// "Считать", which reads the meter's current output slot and calibration currents.
#include "bench/StatisticsInputs.h"
#include "ui/forms/CalcForm.h"

#include <QVariant>

#include <array>

namespace comm {
class Line;
struct Exchange;
}  // namespace comm

namespace modes {

class TcalcFrm : public bench::StatisticsInputs {
public:
    // Registers the answers of its reads on the meter line and restores the window position.
    explicit TcalcFrm(comm::Line& meterLine);
    // Stores the window position.
    ~TcalcFrm() override;

    void setQEtalon(double q) override;
    void setQIzm(double q) override;
    void setVEtalon(double v) override;
    void setVIzm(double v) override;
    void setIIzm(double i) override;
    void setImpIzm(double n) override;
    void setToki(const QVariant& t) override;
    void setSlot(int slot) override;

    // The band of the trend for the meter type's permissible error, per cent; the error labels
    // keep the window's own colour limit.
    void setPermissibleError(double percent);

    double QEtalon() const { return FQEtalon; }
    double QIzm() const { return FQIzm; }
    double VEtalon() const { return FVEtalon; }
    double VIzm() const { return FVIzm; }
    double IIzm() const { return FIIzm; }
    double ImpIzm() const { return FImpIzm; }
    const QVariant& Toki() const { return FToki; }
    int Slot() const { return FSlot; }

    ui::forms::CalcForm form;

private:
    void registerRows();
    void slotTypesAnswered(const comm::Exchange& e);

    void btnStartClick();
    void BtnClearClick();
    void Button1Click();

    void RecalcFlowAndCurrent();
    void RecalcVolume();

    comm::Line& m_meterLine;

    double FQEtalon = 0;
    double FQIzm = 0;
    double FVEtalon = 0;
    double FVIzm = 0;
    double FIIzm = 0;
    double FImpIzm = 0;
    QVariant FToki;
    // Element 2k + s: calibration point k (0..3) of output slot s (0, 1).
    std::array<double, 8> FTokiS{};
    quint8 FSlot = 0;
    bool ReadingSlot = false;
    bool ReadingToki = false;

    // Sums of the flow readings taken while StartRead; set by BtnClearClick().
    double QAvg = 0;
    double QMax = 0;
    double QMin = 0;
    int QCounter = 0;
    bool StartRead = false;

    int ci = 0;    // current readings since the last flow reading taken while StartRead
    int cimp = 0;  // pulse counts since the last meter volume reading
};

}  // namespace modes
