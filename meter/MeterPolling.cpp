#include "meter/MeterPolling.h"

#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "meter/MeterTypes.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"

namespace meter {

namespace {
constexpr int kStatusWordsReg = 254;
constexpr int kRegimeReg = 29;
constexpr int kChannelCoil = 2;
}  // namespace

MeterPolling::MeterPolling(shell::Context& ctx, ui::forms::ConfigPage& page, Fields fields, MeterWindows& windows)
    : m_ctx(ctx), m_page(page), m_fields(fields), m_windows(windows)
{
    registerRows();
    m_page.BitBtn7.onClick = [this] { BitBtn7Click(); };
}

void MeterPolling::registerRows()
{
    comm::RouteTable& routes = m_ctx.meter.routes;
    routes.add(qid::DeviceName, {nullptr, {}, [this](const comm::Exchange& e) { nameAnswered(e); }});
    routes.add(qid::Volume, {nullptr,
                             [this](const comm::Exchange& e) {
                                 const double v = e.element(0).toDouble();
                                 m_fields.volume.setText(input::format4(v));
                                 m_ctx.statistics.setVIzm(v);
                                 if (MeterWindowReadings* window = m_windows.readingsOf(m_ctx.PriborType))
                                     window->showVolume(v);
                             },
                             [this](const comm::Exchange& e) {
                                 if (!e.ok())
                                     m_fields.volume.setText(QStringLiteral("Ошибка"));
                             }});
    routes.add(qid::Flow, {nullptr,
                           [this](const comm::Exchange& e) {
                               const double q = e.element(0).toDouble();
                               m_fields.flow.setText(input::format3(q));
                               m_ctx.statistics.setQIzm(q);
                               if (MeterWindowReadings* window = m_windows.readingsOf(m_ctx.PriborType))
                                   window->showFlow(q);
                           },
                           [this](const comm::Exchange& e) {
                               if (!e.ok())
                                   m_fields.flow.setText(comm::resultText(e.result));
                           }});
}

void MeterPolling::restartPolling()
{
    if (!m_ctx.meter.connected)
        return;
    comm::MBComMaster& meter = m_ctx.meter.server;
    const TPribor& pribor = m_ctx.Pribor;
    meter.setDeviceAddres(m_ctx.modules.MeterModule.Adr);
    // Only the previous polling goes: a window's one-shot request still on its way keeps its answer.
    meter.FreePeriodicTasks();
    const int floatType = int(comm::DataType::Float);
    const int pollMs = m_ctx.timing.meterPollMs;
    if (m_ctx.PriborType == TypeMultiChannel) {
        if (pribor.RegV != -1)
            meter.ReadInputRegs(qid::Volume, pollMs, pribor.RegV, floatType, 1);
        if (pribor.RegQ != -1)
            meter.ReadInputRegs(qid::Flow, pollMs, pribor.RegQ, floatType, 1);
        meter.ReadInputRegs(qid::CurrentRegime, pollMs, kRegimeReg, int(comm::DataType::UInt8), 1);
    } else {
        if (pribor.RegV != -1)
            meter.ReadHoldRegs(qid::Volume, pollMs, pribor.RegV, floatType, 1);
        if (pribor.RegQ != -1)
            meter.ReadHoldRegs(qid::Flow, pollMs, pribor.RegQ, floatType, 1);
        if (m_ctx.PriborType == TypeSingleWindow)
            meter.ReadHoldRegs(qid::StatusWords, m_ctx.timing.meterStatusPollMs, kStatusWordsReg, int(comm::DataType::UInt16), 2);
    }
    meter.WriteHoldBins(qid::ChannelCoil, 0, kChannelCoil, comm::boolean(m_windows.singleChannel() == 2));
}

void MeterPolling::BitBtn7Click()
{
    m_page.Edit4.setText(QString());
    m_ctx.modules.MeterModule.Adr = quint8(input::StrToInt(m_page.edtadrp.text()));
    m_ctx.meter.server.setDeviceAddres(m_ctx.modules.MeterModule.Adr);
    m_page.BitBtn7.setEnabled(false);
    m_page.BtnSetup.setEnabled(false);
    m_ctx.meter.server.GetDeviceName(qid::DeviceName);
}

void MeterPolling::nameAnswered(const comm::Exchange& e)
{
    m_page.BitBtn7.setEnabled(true);
    m_page.BtnSetup.setEnabled(true);
    if (e.ok()) {
        m_page.Edit4.setText(e.value.toString());
        m_ctx.modules.MeterModule.Adr = quint8(e.mbAddr);
    } else {
        m_page.Edit4.setText(comm::resultText(e.result));
    }
}

}  // namespace meter
