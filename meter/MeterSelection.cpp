#include "meter/MeterSelection.h"

#include "meter/MeterTypes.h"
#include "ui/model/Messages.h"

namespace meter {

MeterSelection::MeterSelection(ui::forms::MainForm& form, TPribor& pribor, int& priborType, qint32& autoCircCount,
                               comm::MBComMaster& bench, MeterWindows& windows, TMProFrm& catalogue,
                               std::function<void()> restartPolling)
    : m_form(form), m_pribor(pribor), m_priborType(priborType), m_autoCircCount(autoCircCount), m_bench(bench),
      m_windows(windows), m_catalogue(catalogue), m_restartPolling(std::move(restartPolling))
{
    auto& cfg = m_form.config;
    cfg.cbxprib.onChange = [this] { cbxpribChange(); };
    cfg.BtnSetup.onClick = [this] { BtnSetupClick(); };
    cfg.BtnProp.onClick = [this] { BtnPropClick(); };
}

void MeterSelection::SetPriborType(int index)
{
    m_windows.create();
    if (isMeterType(index)) {
        const MeterTypeRow& row = kMeterTypes[std::size_t(index)];
        m_pribor.RegAc = row.RegAc;
        m_pribor.RegQ = row.RegQ;
        m_pribor.RegV = row.RegV;
        m_bench.setInterByte(row.benchInterByte);
        m_form.config.edtac.setText(QString::fromUtf8(row.autoCircText));
        m_autoCircCount = row.autoCircCount;
        m_priborType = index;
        if (row.restartsPolling && m_restartPolling)
            ui::sendMessage(m_restartPolling);
    }
    if (m_priborType != TypeSingleWindow)
        m_windows.hideSingle();
    if (m_priborType != TypeMultiChannel)
        m_windows.HideAll();
    auto& cfg = m_form.config;
    cfg.BtnSetup.setVisible(m_priborType == TypeSingleWindow || m_priborType == TypeMultiChannel);
    cfg.BtnConnect1.setEnabled(true);
    cfg.BtnCount1.setEnabled(m_pribor.RegAc != -1);
}

void MeterSelection::cbxpribChange()
{
    m_priborType = m_form.config.cbxprib.itemIndex();
    if (m_priborType != -1)
        SetPriborType(m_priborType);
}

void MeterSelection::BtnSetupClick()
{
    if (m_priborType == TypeSingleWindow)
        m_windows.showSingle();
    else
        m_windows.ShowAll();
}

void MeterSelection::BtnPropClick()
{
    auto& list = m_form.config.cbxprib;
    const int selected = list.itemIndex();
    list.clear();
    m_catalogue.readINI();
    for (const TPribor& p : m_catalogue.Prib)
        list.addItem(p.Name);
    list.setItemIndex(selected);
}

}  // namespace meter
