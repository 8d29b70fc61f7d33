#include "meter/MeterSelection.h"

#include "meter/MeterTypes.h"
#include "ui/model/Messages.h"

namespace meter {

MeterSelection::MeterSelection(shell::Context& ctx, ui::forms::ConfigPage& page, MeterWindows& windows,
                               TMProFrm& catalogue, std::function<void()> restartPolling)
    : m_ctx(ctx), m_page(page), m_windows(windows), m_catalogue(catalogue), m_restartPolling(std::move(restartPolling))
{
    Q_ASSERT(m_restartPolling);
    auto& cfg = m_page;
    cfg.cbxprib.onChange = [this] { cbxpribChange(); };
    cfg.BtnSetup.onClick = [this] { BtnSetupClick(); };
    cfg.BtnProp.onClick = [this] { BtnPropClick(); };
}

void MeterSelection::SetPriborType(int index)
{
    if (isMeterType(index)) {
        const MeterTypeRow& row = kMeterTypes[std::size_t(index)];
        m_ctx.Pribor.RegAc = row.RegAc;
        m_ctx.Pribor.RegQ = row.RegQ;
        m_ctx.Pribor.RegV = row.RegV;
        m_ctx.bench.server.setInterByte(row.benchInterByte);
        m_page.edtac.setText(QString::fromUtf8(row.autoCircText));
        m_ctx.AutoCircCount() = row.autoCircCount;
        m_ctx.PriborType = index;
        if (row.restartsPolling)
            ui::sendMessage(m_restartPolling);
    }
    if (m_ctx.PriborType != TypeSingleWindow)
        m_windows.hideSingle();
    if (m_ctx.PriborType != TypeMultiChannel)
        m_windows.HideAll();
    auto& cfg = m_page;
    cfg.BtnSetup.setVisible(m_ctx.PriborType == TypeSingleWindow || m_ctx.PriborType == TypeMultiChannel);
    cfg.BtnConnect1.setEnabled(true);
    cfg.BtnCount1.setEnabled(m_ctx.Pribor.RegAc != -1);
}

void MeterSelection::cbxpribChange()
{
    m_ctx.PriborType = m_page.cbxprib.itemIndex();
    if (m_ctx.PriborType != -1)
        SetPriborType(m_ctx.PriborType);
}

void MeterSelection::BtnSetupClick()
{
    if (m_ctx.PriborType == TypeSingleWindow)
        m_windows.showSingle();
    else
        m_windows.ShowAll();
}

void MeterSelection::BtnPropClick()
{
    auto& list = m_page.cbxprib;
    const int selected = list.itemIndex();
    list.clear();
    m_catalogue.readINI();
    for (const TPribor& p : m_catalogue.Prib)
        list.addItem(p.Name);
    list.setItemIndex(selected);
}

}  // namespace meter
