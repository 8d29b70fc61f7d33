#include "service/UsiReadout.h"

#include "bench/ActivityIndicator.h"
#include "bench/Qids.h"

#include <array>

namespace service {

UsiReadout::UsiReadout(shell::Context& ctx, ui::forms::UsiGroup& group) : m_ctx(ctx), m_group(group)
{
    comm::RouteTable& routes = m_ctx.bench.routes;
    routes.add(bench::qid::UsiModesRead, {nullptr, [this](const comm::Exchange& e) { showInputModes(e); }, {}});
    routes.add(bench::qid::UsiCountersRead, {nullptr, [this](const comm::Exchange& e) { showCounters(e); }, {}});
    routes.add(bench::qid::UsiModeWrite, {&m_ctx.state.results.ResUsiModeWrite, {}, {}});
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
