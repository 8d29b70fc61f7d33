#include "bench/ModuleDiscovery.h"

#include "bench/ModuleTable.h"
#include "bench/Qids.h"
#include "link/Result.h"
#include "ui/model/Dialogs.h"
#include "ui/model/Messages.h"

namespace bench {

namespace {
constexpr int kLinkColumn = 2;
constexpr int kAddressColumn = 1;
constexpr int kSoftwareColumn = 3;
}  // namespace

ModuleDiscovery::ModuleDiscovery(shell::Context& ctx, ui::forms::ConfigPage& page, std::function<void()> storeAddresses)
    : m_ctx(ctx), m_page(page), m_storeAddresses(std::move(storeAddresses))
{
    Q_ASSERT(m_storeAddresses);
    m_ctx.bench.routes.add(qid::DeviceName, {nullptr, {}, [this](const comm::Exchange& e) {
                                                 deviceNameAnswer(e.mbAddr, e.value, e.result);
                                             }});
    m_page.BitBtn5.onClick = [this] { BitBtn5Click(); };
    m_page.sg.onClick = [this] { sgClick(); };
}

void ModuleDiscovery::BitBtn5Click()
{
    // The search sets every address to 0 before it asks: a mode or a held module would then
    // send its next steps to every module at once.
    if (!m_ctx.workMode.admits())
        return;
    if (const QString holder = m_ctx.access.holder(); !holder.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Проверка связи невозможна, пока %1: сначала завершите это").arg(holder));
        return;
    }
    auto& grid = m_page.sg;
    m_page.BitBtn5.setEnabled(false);
    PendingNames = LastAddress - FirstAddress + 1;
    m_unsent = false;
    for (const ModuleRow& row : kModuleRows) {
        (m_ctx.modules.*row.descriptor).Adr = 0;
        grid.setCell(kLinkColumn, row.gridRow, QString());
    }
    for (int address = FirstAddress; address <= LastAddress; ++address) {
        m_ctx.bench.server.setDeviceAddres(address);
        m_ctx.bench.server.GetDeviceName(qid::DeviceName);
    }
}

void ModuleDiscovery::deviceNameAnswer(int mbAddr, const QVariant& value, int result)
{
    auto& grid = m_page.sg;
    --PendingNames;
    m_unsent = m_unsent || result == comm::ResultCannotSend;
    if (result == 0) {
        QString name = value.toString();
        const int nul = name.indexOf(QChar(0));
        if (nul >= 0)
            name.truncate(nul);
        for (const ModuleRow& row : kModuleRows) {
            if (!name.contains(QString::fromUtf8(row.fragment)))
                continue;
            TPZTA& module = m_ctx.modules.*row.descriptor;
            grid.setCell(kLinkColumn, row.gridRow, QString::fromUtf8(row.linkText));
            grid.setCell(kAddressColumn, row.gridRow, QString::number(mbAddr));
            module.Adr = quint8(mbAddr);
            module.Name = name;
            grid.setCell(kSoftwareColumn, row.gridRow, QString::fromUtf8(row.softwareId));
        }
    }
    if (PendingNames != 0)
        return;
    // An answer that could not be sent is a failed answer like any other, unless the line was
    // lost: then the answers say nothing about the modules, and storing them as absent would
    // wipe the known addresses. A lost line reports itself right after its last answers, so
    // the search ends once that report has had its turn.
    if (m_unsent)
        ui::postMessage(&m_ctx.bench.server, [this] { finishSearch(); });
    else
        finishSearch();
}

void ModuleDiscovery::finishSearch()
{
    if (!m_ctx.bench.connected)
        return;  // the connection handling re-enables the button
    for (const ModuleRow& row : kModuleRows)
        if ((m_ctx.modules.*row.descriptor).Adr == 0)
            m_page.sg.setCell(kLinkColumn, row.gridRow, QStringLiteral("Не обнаружено"));
    m_storeAddresses();
    m_page.BitBtn5.setEnabled(true);
}

void ModuleDiscovery::sgClick()
{
    m_page.BtnPropZTA.setEnabled(false);
    m_selected = nullptr;
    const int row = m_page.sg.row();
    if (row < 1 || row > int(kModuleRows.size()))
        return;
    m_selected = &(m_ctx.modules.*kModuleRows[row - 1].descriptor);
    m_page.BtnPropZTA.setEnabled(m_ctx.reaches(*m_selected));
}

}  // namespace bench
