#include "meter/SlotsWindow.h"

#include "link/DataType.h"
#include "link/Result.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"
#include "ui/model/Messages.h"

namespace meter {

namespace {
const QString kPositionSection = QStringLiteral("FormKs1");

// The kinds of slot 1 and 2 are the holding registers 7 and 8, read together.
constexpr int kKindReg = 7;
constexpr int kKindsReadQid = 28;
constexpr int kKindWriteQid = -27;  // slot 1; slot 2 is the next lower number
}  // namespace

TKsForm1::TKsForm1(shell::Context& ctx)
    : m_ctx(ctx), m_calibrations{{{ctx, 0, form.btnCalib1}, {ctx, 1, form.btnCalib2}}}
{
    registerRows();
    form.Button1.onClick = [this] { writeKind(0); };
    form.Button3.onClick = [this] { writeKind(1); };
    form.Button2.onClick = [this] { Button2Click(); };
    form.btnCalib1.onClick = [this] { calibrateClick(0); };
    form.btnCalib2.onClick = [this] { calibrateClick(1); };
    settings::restorePosition(settings::IniFile(settings::ztaIniPath()), kPositionSection, form,
                              ui::dialogs().screenSize());
}

TKsForm1::~TKsForm1()
{
    settings::IniFile ini(settings::ztaIniPath());
    settings::storePosition(ini, kPositionSection, form);
}

void TKsForm1::registerRows()
{
    comm::RouteTable& routes = m_ctx.meter.routes;
    routes.add(kKindsReadQid, {nullptr,
                               [this](const comm::Exchange& e) {
                                   if (m_opened)
                                       kindsAnswered(e);
                               },
                               [this](const comm::Exchange& e) {
                                   if (m_opened)
                                       form.SB.setPanelText(0, QStringLiteral("Тип доп. слотов: ") + comm::resultText(e.result));
                               }});
    for (int slot = 0; slot < 2; ++slot)
        routes.add(kKindWriteQid - slot, {nullptr,
                                          [this](const comm::Exchange&) {
                                              // The meter tells the kind it took: read them again.
                                              ui::postMessage(&form, [this] { Button2Click(); });
                                          },
                                          [this](const comm::Exchange& e) {
                                              form.SB.setPanelText(0, QStringLiteral("Тип доп.слота: ") + comm::resultText(e.result));
                                          }});
}

void TKsForm1::kindsAnswered(const comm::Exchange& e)
{
    const std::array<ui::ComboBox*, 2> kinds{&form.cbxDopSlot1, &form.cbxDopSlot2};
    const std::array<ui::Button*, 2> calibrate{&form.btnCalib1, &form.btnCalib2};
    for (int slot = 0; slot < 2; ++slot) {
        const int kind = e.element(slot).toInt();
        kinds[size_t(slot)]->setItemIndex(kind);  // a kind without an item selects none
        kinds[size_t(slot)]->setEnabled(true);
        calibrate[size_t(slot)]->setVisible(kind == CurrentOutputKind);
    }
}

void TKsForm1::showSlots()
{
    m_opened = true;
    form.show();
}

void TKsForm1::showPeriphery()
{
    if (m_opened)
        form.show();
    for (int slot = 0; slot < 2; ++slot)
        if (m_calibrationOpened[size_t(slot)])
            m_calibrations[size_t(slot)].form.show();
}

void TKsForm1::hidePeriphery()
{
    form.hide();
    for (TKsCalibTokForm& c : m_calibrations)
        c.form.hide();
}

void TKsForm1::TokIpt(double mA)
{
    for (TKsCalibTokForm& c : m_calibrations)
        c.setTokIpt(mA);
}

TKsCalibTokForm& TKsForm1::calibration(int slot)
{
    Q_ASSERT(slot == 0 || slot == 1);
    return m_calibrations[size_t(slot)];
}

bool TKsForm1::calibrating() const
{
    return m_calibrations[0].calibrating() || m_calibrations[1].calibrating();
}

void TKsForm1::Button2Click()
{
    if (!m_ctx.meter.connected)
        return;
    comm::MBComMaster& meter = m_ctx.meter.server;
    meter.setDeviceAddres(m_ctx.modules.MeterModule.Adr);
    meter.ReadHoldRegs(kKindsReadQid, 0, kKindReg, int(comm::DataType::UInt8), 2);
}

void TKsForm1::writeKind(int slot)
{
    if (!m_ctx.meter.connected)
        return;
    const ui::ComboBox& kind = slot == 0 ? form.cbxDopSlot1 : form.cbxDopSlot2;
    // Before the first read there is no kind to write, and guessing one could change the board.
    if (kind.itemIndex() < 0) {
        ui::dialogs().message(QStringLiteral("Типы слотов не считаны: нажмите \"Считать\""));
        return;
    }
    comm::MBComMaster& meter = m_ctx.meter.server;
    meter.setDeviceAddres(m_ctx.modules.MeterModule.Adr);
    meter.WriteHoldRegs(kKindWriteQid - slot, 0, kKindReg + slot, comm::u8(quint8(kind.itemIndex())));
}

// The first press starts the calibration with its window hidden; a press while it runs
// shows the window.
void TKsForm1::calibrateClick(int slot)
{
    m_calibrationOpened[size_t(slot)] = true;
    TKsCalibTokForm& c = calibration(slot);
    if (c.calibrating())
        c.form.show();
    else
        c.Start();
}

}  // namespace meter
