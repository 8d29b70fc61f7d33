#include "modes/CalcFrm.h"

#include "link/DataType.h"
#include "link/Line.h"
#include "link/Result.h"
#include "modes/MeterOutputs.h"
#include "shell/input/NumberFormat.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"

#include <cmath>

namespace modes {

namespace {
const QString kPositionSection = QStringLiteral("CalcFrm");

// The meter's slot types and calibration currents, read by "Считать".
constexpr int kSlotTypesQid = 41;
constexpr int kSlotTypesReg = 7;
constexpr int kCalibrationQid = 42;
constexpr int kCalibrationReg = 0xC02C;

// Errors above this many per cent are shown in red.
constexpr double kErrorLimit = 0.8;

double relativeError(double reference, double measured)
{
    return std::abs((reference - measured) / reference) * 100.0;
}

void showError(ui::Label& label, double error)
{
    ui::Font font = label.font();
    font.color = error > kErrorLimit ? ui::colors::Red : ui::colors::Green;
    label.setFont(font);
    label.setCaption(input::formatPercent4(error));
}
}  // namespace

TcalcFrm::TcalcFrm(comm::Line& meterLine) : m_meterLine(meterLine)
{
    form.trend.setPermissibleError(kErrorLimit);
    // Without a "Сброс" first, the minimum would stay at 0 for positive readings.
    BtnClearClick();
    registerRows();
    form.btnStart.onClick = [this] { btnStartClick(); };
    form.BtnClear.onClick = [this] { BtnClearClick(); };
    form.Button1.onClick = [this] { Button1Click(); };
    settings::restorePosition(settings::IniFile(settings::ztaIniPath()), kPositionSection, form,
                              ui::dialogs().screenSize());
}

TcalcFrm::~TcalcFrm()
{
    settings::IniFile ini(settings::ztaIniPath());
    settings::storePosition(ini, kPositionSection, form);
}

void TcalcFrm::registerRows()
{
    comm::RouteTable& routes = m_meterLine.routes;
    routes.add(kSlotTypesQid, comm::Route{nullptr, [this](const comm::Exchange& e) { slotTypesAnswered(e); },
                                          [this](const comm::Exchange& e) {
                                              form.SB.setPanelText(0, QStringLiteral("Тип доп. слотов: ")
                                                                          + comm::resultText(e.result));
                                          }});
    routes.add(kCalibrationQid, comm::Route{nullptr, [this](const comm::Exchange& e) { setToki(e.value); },
                                            [this](const comm::Exchange& e) {
                                                form.SB.setPanelText(0, QStringLiteral("Значения токов ")
                                                                            + comm::resultText(e.result));
                                            }});
}

// The current output is the first slot of the current type; with none, the slot stays unknown.
void TcalcFrm::slotTypesAnswered(const comm::Exchange& e)
{
    if (const std::optional<int> slot = currentSlot(e.element(0).toInt(), e.element(1).toInt()))
        setSlot(*slot);
}

void TcalcFrm::setQEtalon(double q)
{
    FQEtalon = q;
    form.edtqe.setText(input::format3(q));
    RecalcFlowAndCurrent();
}

void TcalcFrm::setQIzm(double q)
{
    FQIzm = q;
    form.edtqi.setText(input::format3(q));
    if (StartRead) {
        QAvg += q;
        ++QCounter;
        if (QMax < q)
            QMax = q;
        if (QMin > q)
            QMin = q;
        form.edtmaxq.setText(input::format4(QMax));
        form.edtminq.setText(input::format4(QMin));
        form.EdtAvgQ.setText(input::format4(QAvg / QCounter));
        ci = 0;
    }
    form.trend.add(FQEtalon, q);
    RecalcFlowAndCurrent();
}

void TcalcFrm::setIIzm(double i)
{
    FIIzm = i;
    form.edtii.setText(input::format3(i));
    ++ci;
    RecalcFlowAndCurrent();
}

void TcalcFrm::setToki(const QVariant& t)
{
    FToki = t;
    ReadingToki = true;
    const QVariantList values = t.toList();
    Q_ASSERT(values.size() == qsizetype(FTokiS.size()));
    for (qsizetype i = 0; i < qsizetype(FTokiS.size()) && i < values.size(); ++i)
        FTokiS[size_t(i)] = values.at(i).toDouble();
    if (ReadingSlot)
        RecalcFlowAndCurrent();
}

void TcalcFrm::setSlot(int slot)
{
    Q_ASSERT(slot == 0 || slot == 1);
    FSlot = quint8(slot);
    ReadingSlot = true;
    if (ReadingToki)
        RecalcFlowAndCurrent();
}

void TcalcFrm::setVEtalon(double v)
{
    FVEtalon = v;
    form.edtVe.setText(input::format3(v));
    RecalcVolume();
}

void TcalcFrm::setVIzm(double v)
{
    FVIzm = v;
    form.edtVi.setText(input::format3(v));
    cimp = 0;
    RecalcVolume();
}

void TcalcFrm::setImpIzm(double n)
{
    FImpIzm = n;
    form.edtimp.setText(input::format3(n));
    ++cimp;
    RecalcVolume();
}

void TcalcFrm::btnStartClick()
{
    StartRead = !StartRead;
    form.btnStart.setCaption(StartRead ? QStringLiteral("Стоп") : QStringLiteral("Старт"));
}

// The shown values stay until the next reading; the trend starts afresh.
void TcalcFrm::BtnClearClick()
{
    QCounter = 0;
    QMax = -100000.0;
    QMin = 1000000.0;
    QAvg = 0;
    form.trend.clear();
}

void TcalcFrm::setPermissibleError(double percent)
{
    form.trend.setPermissibleError(percent);
}

void TcalcFrm::Button1Click()
{
    if (!m_meterLine.connected)
        return;
    ReadingSlot = false;
    ReadingToki = false;
    comm::MBComMaster& meter = m_meterLine.server;
    meter.ReadHoldRegs(kSlotTypesQid, 0, kSlotTypesReg, int(comm::DataType::UInt8), 2);
    meter.ReadHoldRegs(kCalibrationQid, 0, kCalibrationReg, int(comm::DataType::Float), 8);
}

void TcalcFrm::RecalcFlowAndCurrent()
{
    if (FQEtalon == 0)
        return;
    showError(form.lblqproc, relativeError(FQEtalon, FQIzm));

    if (!ReadingToki)
        return;
    const CurrentCalibration calibration = currentCalibration(FTokiS, FSlot);
    form.edti4.setText(input::format3(calibration.i4));
    form.edti20.setText(input::format3(calibration.i20));

    if (!ReadingSlot || ci == 0)
        return;
    const std::optional<double> expected = expectedCurrentMa(FQIzm, calibration);
    if (!expected)
        return;
    form.edtie.setText(input::format3(*expected));
    if (*expected != 0)
        showError(form.lbliproc, relativeError(*expected, FIIzm));
}

void TcalcFrm::RecalcVolume()
{
    if (FVEtalon == 0)
        return;
    showError(form.lblVproc, relativeError(FVEtalon, FVIzm));

    if (cimp == 0)
        return;
    const double pulses = pulseVolume(FImpIzm);
    form.lblimp.setCaption(input::format4(pulses));
    if (FVIzm != 0)
        showError(form.lblVproc2, relativeError(FVIzm, pulses));
}

}  // namespace modes
