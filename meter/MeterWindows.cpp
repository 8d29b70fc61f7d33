#include "meter/MeterWindows.h"

#include "meter/MeterQids.h"

namespace meter {

MeterWindows::MeterWindows(comm::Line& meterLine)
{
    meterLine.routes.add(qid::CurrentRegime,
                         {nullptr, [this](const comm::Exchange& e) { CurRegim = e.element(0).toInt(); }, {}});
}

void MeterWindows::create()
{
    if (exist())
        return;
    m_single = std::make_unique<ui::forms::FlowMeterForm>();
    m_multi = std::make_unique<ui::forms::FlowMeterFormKS>();
}

void MeterWindows::showSingle()
{
    if (m_single)
        m_single->show();
}

void MeterWindows::hideSingle()
{
    if (m_single)
        m_single->hide();
}

void MeterWindows::ShowAll()
{
    if (m_multi)
        m_multi->show();
}

void MeterWindows::HideAll()
{
    if (m_multi)
        m_multi->hide();
}

}  // namespace meter
