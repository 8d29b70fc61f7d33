#include "service/ImrTuning.h"

#include "bench/Qids.h"
#include "link/Result.h"
#include "ui/model/Dialogs.h"

namespace service {

ImrTuning::ImrTuning(shell::Context& ctx, ui::forms::ImrPage& page, bench::ImrAutomaton& imr)
    : m_ctx(ctx), m_page(page), m_imr(imr)
{
    registerRows();
    m_page.Label30.onClick = [this] { m_imr.readEmulBit(); };
    m_page.Label61.onClick = [this] { Label61Click(); };
    m_page.Button14.onClick = [this] { m_imr.SetEmulBit(false); };
    m_page.Button15.onClick = [this] { m_imr.SetEmulBit(true); };
}

void ImrTuning::registerRows()
{
    namespace qid = bench::qid;
    comm::RouteTable& routes = m_ctx.bench.routes;
    auto writeRow = [this](ui::Button& button, QString what) {
        return comm::Route{nullptr, {}, [this, &button, what](const comm::Exchange& e) {
                               tuningWriteAnswered(button, what, e.result);
                           }};
    };
    routes.add(qid::FoscWrite, writeRow(m_page.BtnF, QStringLiteral("Частоты")));
    routes.add(qid::T0Write, writeRow(m_page.btnT0, QStringLiteral("T0")));
    routes.add(qid::T1Write, writeRow(m_page.BtnT1, QStringLiteral("T1")));
    routes.add(qid::PolarityWrite, {&m_ctx.state.results.ResPolarityBit, {}, {}});
    routes.add(qid::SarRead, {nullptr,
                              [this](const comm::Exchange& e) {
                                  m_page.lblDa1.setCaption(QString::number(e.element(0).toInt()));
                              },
                              [this](const comm::Exchange& e) {
                                  if (!e.ok())
                                      m_page.lblDa1.setCaption(comm::resultText(e.result));
                              }});
}

void ImrTuning::tuningWriteAnswered(ui::Button& button, const QString& what, int result)
{
    button.setEnabled(true);
    if (result != 0)
        ui::dialogs().message(QStringLiteral("Запись %1 не прошла! \r").arg(what) + comm::resultText(result));
}

void ImrTuning::Label61Click()
{
    m_page.Panel1.setVisible(!m_page.Panel1.isVisible());
}

}  // namespace service
