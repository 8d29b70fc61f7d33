#include "service/UsiReadout.h"

#include "bench/ActivityIndicator.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"

#include <array>

namespace service {

namespace {
constexpr int kResetAll = 5;  // the counter module's command: reset every input
}

UsiReadout::UsiReadout(shell::Context& ctx, ui::forms::UsiGroup& group) : m_ctx(ctx), m_group(group)
{
    comm::RouteTable& routes = m_ctx.bench.routes;
    routes.add(bench::qid::UsiModesRead, {nullptr, [this](const comm::Exchange& e) { showInputModes(e); }, {}});
    routes.add(bench::qid::UsiCountersRead, {nullptr, [this](const comm::Exchange& e) { showCounters(e); }, {}});
    routes.add(bench::qid::UsiModeWrite, {&m_ctx.state.results.ResUsiModeWrite, {}, {}});

    auto& g = m_group;
    g.ChbCnt1.onClick = [this] { ChbCnt1Click(); };
    g.Button6.onClick = [this] { resetClick(kResetAll); };
    for (ui::Button* reset : {&g.Button7, &g.Button8, &g.Button9, &g.Button10})
        reset->onClick = [this, reset] { resetClick(reset->tag()); };
    for (ui::Panel* panel : {&g.PnlUsi1, &g.PnlUsi2, &g.PnlUsi3, &g.PnlUsi4})
        panel->onClick = [this, panel] { PnlUsiClick(*panel); };
}

void UsiReadout::readInputModes()
{
    m_ctx.bench.server.ReadHoldBins(bench::qid::UsiModesRead, 0, bench::reg::UsiFirstModeCoil, 4);
}

void UsiReadout::ChbCnt1Click()
{
    const bench::TPZTA& usi = m_ctx.modules.UsiModule;
    if (!m_ctx.access.known(usi) || !m_ctx.bench.connected)
        return;
    comm::MBComMaster& server = m_ctx.bench.server;
    server.setDeviceAddres(usi.Adr);
    if (m_group.ChbCnt1.isChecked())
        server.ReadInputRegs(bench::qid::UsiCountersRead, PeriodMs, bench::reg::UsiCountersIn,
                             int(comm::DataType::UInt32), 4);
    else
        server.FreeTask(bench::qid::UsiCountersRead);
    readInputModes();
}

void UsiReadout::resetClick(int command)
{
    const quint8 adr = m_ctx.modules.UsiModule.Adr;
    if (!m_ctx.access.known(m_ctx.modules.UsiModule))
        return;
    m_ctx.bench.server.setDeviceAddres(adr);
    m_ctx.bench.server.WriteHoldRegs(bench::qid::UsiCommand, 0, bench::reg::UsiCommand, comm::u8(quint8(command)));
}

void UsiReadout::PnlUsiClick(ui::Panel& panel)
{
    const bench::TPZTA& usi = m_ctx.modules.UsiModule;
    if (!m_ctx.access.known(usi) || !m_ctx.bench.connected)
        return;
    // Black text: the module reported the input passive, so the click asks for active.
    const bool passive = panel.font().color != ui::colors::Black;
    const int coil = bench::reg::UsiFirstModeCoil + panel.tag() - 1;
    if (m_ctx.bench.step(usi.Adr, bench::qid::UsiModeWrite,
                         [=](comm::MBComMaster& s) { s.WriteHoldBins(bench::qid::UsiModeWrite, 0, coil, comm::boolean(passive)); },
                         comm::Failure::quiet()))
        readInputModes();
}

void UsiReadout::showInputModes(const comm::Exchange& e)
{
    auto& g = m_group;
    const std::array<ui::Panel*, 4> panels{&g.PnlUsi1, &g.PnlUsi2, &g.PnlUsi3, &g.PnlUsi4};
    for (int n = 0; n < 4; ++n) {
        const bool passive = e.element(n).toBool();
        ui::Font font = panels[n]->font();
        font.color = passive ? ui::colors::Black : ui::colors::Red;
        panels[n]->setCaption(passive ? QStringLiteral("Пассивный") : QStringLiteral("Активный"));
        panels[n]->setFont(font);
        panels[n]->setBevel(passive ? ui::Bevel::Raised : ui::Bevel::Lowered);
    }
}

void UsiReadout::showCounters(const comm::Exchange& e)
{
    auto& g = m_group;
    bench::advanceIndicator(g.lbls2);
    const std::array<ui::Edit*, 4> fields{&g.EdtCnt1, &g.EdtCnt2, &g.EdtCnt3, &g.EdtCnt4};
    const std::array<ui::RadioButton*, 4> choice{&g.rbv0, &g.rbv1, &g.rbv2, &g.rbv3};
    for (int n = 0; n < 4; ++n) {
        fields[n]->setText(QString::number(e.element(n).toUInt()));
        if (choice[n]->isChecked())
            m_ctx.statistics.setImpIzm(e.element(n).toDouble());
    }
}

}  // namespace service
