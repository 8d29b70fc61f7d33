#include "meter/AutoCirculation.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "meter/MeterTypes.h"
#include "ui/model/Dialogs.h"

namespace meter {

namespace {
constexpr int kCountDoneResult = 11;    // last command: the count is done
constexpr int kCountRunningResult = 10; // last command: the count is executing
}  // namespace

AutoCirculation::AutoCirculation(shell::Context& ctx, ui::forms::ConfigPage& page, bench::ImrAutomaton& imr,
                                 const MeterWindows& windows)
    : m_ctx(ctx), m_page(page), m_imr(imr), m_windows(windows)
{
    registerRows();
    m_page.BtnCount.onClick = [this] { BtnCountClick(); };
    m_page.BtnCount1.onClick = [this] { BtnCount1Click(); };
}

void AutoCirculation::registerRows()
{
    qint32& count = m_ctx.AutoCircCount();
    m_ctx.bench.routes.add(bench::qid::AutoCircRead, {&m_ctx.state.results.ResAutoCircRead,
                                                      [&count](const comm::Exchange& e) {
                                                          count = e.element(0).toInt();
                                                      },
                                                      {}});
    m_ctx.meter.routes.add(qid::AutoCirc, {nullptr,
                                           [this](const comm::Exchange& e) {
                                               m_ctx.AutoCircCount() = e.element(0).toInt();
                                               show(m_ctx.AutoCircCount());
                                               if (MeterWindowReadings* w = m_windows.readingsOf(m_ctx.PriborType))
                                                   w->showAutoCirculations(m_ctx.AutoCircCount());
                                           },
                                           [this](const comm::Exchange& e) {
                                               if (!e.ok())
                                                   m_page.edtac.setText(comm::resultText(e.result));
                                           }});
}

void AutoCirculation::show(int count)
{
    // The multi-channel meter counts one autocirculation more than it performs.
    m_page.edtac.setText(QString::number(m_ctx.PriborType == TypeMultiChannel ? count - 1 : count));
}

bool AutoCirculation::counting() const
{
    const bench::BenchValues& v = m_ctx.state.values;
    return v.ImrState == bench::imr::StateCountingAutoCirc && v.ImrLastCmd == kCountRunningResult && v.ImrError == 0;
}

void AutoCirculation::BtnCountClick()
{
    const bench::TPZTA& imr = m_ctx.modules.ImrModule;
    const std::optional<shell::ModuleAccess::Hold> held = m_ctx.access.hold(imr, QStringLiteral("идёт подсчёт автоциркуляций"));
    if (!held || !m_ctx.bench.connected)
        return;
    m_page.edtac.setText(QStringLiteral("???"));
    m_ctx.bench.server.setDeviceAddres(held->address());
    if (!m_imr.ResetToIdle())
        return;
    if (!m_imr.writeCommand(bench::imr::CmdCountAutoCirc))
        return;
    // The bound is on the number of reads: how long one takes depends on the line.
    // A failed read has told the operator already; the check below then adds the failure.
    for (int read = 0; read < MaxStateReads; ++read)
        if (!m_imr.ReadImrState() || !counting())
            break;
    const bench::BenchValues& v = m_ctx.state.values;
    if (v.ImrState != bench::imr::StateIdle || v.ImrError != 0 || v.ImrLastCmd != kCountDoneResult) {
        ui::dialogs().message(QStringLiteral("Не удалось подсчитать число автоциркуляций"));
        return;
    }
    if (!m_ctx.bench.step(held->address(), bench::qid::AutoCircRead,
                          [](comm::MBComMaster& s) {
                              s.ReadInputRegs(bench::qid::AutoCircRead, 0, bench::reg::ImrAutoCircIn,
                                              int(comm::DataType::UInt16), 1);
                          },
                          comm::Failure::only(QStringLiteral("Не удалось считать из прибора число автоциркуляций"))))
        return;
    show(m_ctx.AutoCircCount());
}

void AutoCirculation::BtnCount1Click()
{
    // The multi-channel meter has a register per channel: with none chosen there is none to read.
    if (m_ctx.Pribor.RegAc < 0) {
        ui::dialogs().message(QStringLiteral("Канал прибора не выбран: выберите его в окне «Расходомер»"));
        return;
    }
    m_ctx.meter.server.setDeviceAddres(m_ctx.modules.MeterModule.Adr);
    m_ctx.meter.server.ReadHoldRegs(qid::AutoCirc, 0, m_ctx.Pribor.RegAc, int(comm::DataType::UInt16), 1);
}

}  // namespace meter
