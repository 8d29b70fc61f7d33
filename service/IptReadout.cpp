#include "service/IptReadout.h"

#include "bench/ActivityIndicator.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "shell/input/NumberFormat.h"

#include <array>

namespace service {

IptReadout::IptReadout(shell::Context& ctx, ui::forms::IptGroup& group, ui::forms::IptPage& page,
                       std::function<void(double)> calibrationCurrent)
    : m_ctx(ctx), m_group(group), m_page(page), m_calibrationCurrent(std::move(calibrationCurrent))
{
    Q_ASSERT(m_calibrationCurrent);
    namespace qid = bench::qid;
    bench::BenchSlots& slots = m_ctx.state.results;
    bench::BenchValues& values = m_ctx.state.values;
    comm::RouteTable& routes = m_ctx.bench.routes;
    routes.add(qid::IptSumsRead, {&slots.ResIptSumsRead, [&values](const comm::Exchange& e) {
                                      for (int n = 0; n < 4; ++n)
                                          values.IptSums[n] = qint32(e.element(n).toUInt());
                                  }, {}});
    routes.add(qid::IptCurrents, {&slots.ResIptCurrents, [this](const comm::Exchange& e) {
                                      showCurrents(e);
                                      if (const int n = chosenChannel(); n >= 0)
                                          m_ctx.statistics.setIIzm(e.element(n).toDouble());
                                  }, {}});
    // The same currents while a calibration window measures them; they are not statistics.
    routes.add(qid::IptCurrentsCalib, {&slots.ResIptCurrentsCalib, [this](const comm::Exchange& e) {
                                           showCurrents(e);
                                           if (const int n = chosenChannel(); n >= 0)
                                               m_calibrationCurrent(e.element(n).toDouble());
                                       }, {}});
    routes.add(qid::IptCommand, {&slots.ResIptCommand, {}, {}});
    routes.add(qid::IptDacWrite, {&slots.ResIptDacWrite, {}, {}});
    routes.add(qid::IptScaleWrite, {&slots.ResIptScaleWrite, {}, {}});
    routes.add(qid::IptOffsetWrite, {&slots.ResIptOffsetWrite, {}, {}});

    m_group.ChbTok.onClick = [this] { readingClick(m_group.ChbTok); };
    m_page.CHBTok1.onClick = [this] { readingClick(m_page.CHBTok1); };
}

// Both boxes drive one periodic request: checking either starts it (replacing one the other
// box started), unchecking either stops it, whatever the other box shows.
void IptReadout::readingClick(const ui::CheckBox& box)
{
    comm::MBComMaster& server = m_ctx.bench.server;
    if (box.isChecked() && !m_ctx.access.known(m_ctx.modules.IptModule))
        return;
    server.FreeTask(bench::qid::IptCurrents);
    if (!box.isChecked())
        return;
    server.setDeviceAddres(m_ctx.modules.IptModule.Adr);
    server.ReadInputRegs(bench::qid::IptCurrents, PeriodMs, bench::reg::IptCurrentsIn, int(comm::DataType::Float), 4);
}

int IptReadout::chosenChannel() const
{
    const std::array<const ui::RadioButton*, 4> choice{&m_group.rbi0, &m_group.rbi1, &m_group.rbi2, &m_group.rbi3};
    for (int n = 0; n < 4; ++n)
        if (choice[n]->isChecked())
            return n;
    return -1;
}

void IptReadout::showCurrents(const comm::Exchange& e)
{
    auto& g = m_group;
    auto& p = m_page;
    bench::advanceIndicator(g.LblS1);
    p.Label85.setCaption(g.LblS1.caption());
    const std::array<ui::Edit*, 4> group{&g.EdtI1, &g.EdtI2, &g.EdtI3, &g.EdtI4};
    const std::array<ui::Edit*, 4> page{&p.EdtI11, &p.EdtI12, &p.EdtI13, &p.EdtI14};
    for (int n = 0; n < 4; ++n) {
        const QString text = input::format3(e.element(n).toDouble());
        group[n]->setText(text);
        page[n]->setText(text);
    }
}

}  // namespace service
