#include "bench/ModuleDiscovery.h"

#include "bench/ModuleTable.h"
#include "bench/Qids.h"
#include "link/Result.h"

namespace bench {

namespace {
constexpr int kLinkColumn = 2;
constexpr int kAddressColumn = 1;
constexpr int kSoftwareColumn = 3;
}  // namespace

ModuleDiscovery::ModuleDiscovery(ui::forms::MainForm& form, Modules& modules, comm::MBComMaster& bench, Hooks hooks)
    : m_form(form), m_modules(modules), m_bench(bench), m_hooks(std::move(hooks))
{
    m_form.config.BitBtn5.onClick = [this] { BitBtn5Click(); };
    m_form.config.sg.onClick = [this] { sgClick(); };
}

void ModuleDiscovery::BitBtn5Click()
{
    auto& grid = m_form.config.sg;
    m_form.config.BitBtn5.setEnabled(false);
    PendingNames = LastAddress - FirstAddress + 1;
    m_lineLost = false;
    for (const ModuleRow& row : kModuleRows) {
        (m_modules.*row.descriptor).Adr = 0;
        grid.setCell(kLinkColumn, row.gridRow, QString());
    }
    for (int address = FirstAddress; address <= LastAddress; ++address) {
        m_bench.setDeviceAddres(address);
        m_bench.GetDeviceName(qid::DeviceName);
    }
}

void ModuleDiscovery::deviceNameAnswer(int mbAddr, const QVariant& value, int result)
{
    auto& grid = m_form.config.sg;
    --PendingNames;
    m_lineLost = m_lineLost || result == comm::ResultCannotSend;
    if (result == 0) {
        QString name = value.toString();
        const int nul = name.indexOf(QChar(0));
        if (nul >= 0)
            name.truncate(nul);
        for (const ModuleRow& row : kModuleRows) {
            if (!name.contains(QString::fromUtf8(row.fragment)))
                continue;
            TPZTA& module = m_modules.*row.descriptor;
            grid.setCell(kLinkColumn, row.gridRow, QString::fromUtf8(row.linkText));
            grid.setCell(kAddressColumn, row.gridRow, QString::number(mbAddr));
            module.Adr = quint8(mbAddr);
            module.Name = name;
            grid.setCell(kSoftwareColumn, row.gridRow, QString::fromUtf8(row.softwareId));
        }
    }
    if (PendingNames != 0)
        return;
    // Without the line the answers say nothing about the modules: storing them as absent
    // would wipe the known addresses. The connection handling re-enables the button.
    if (m_lineLost)
        return;
    for (const ModuleRow& row : kModuleRows)
        if ((m_modules.*row.descriptor).Adr == 0)
            grid.setCell(kLinkColumn, row.gridRow, QStringLiteral("Не обнаружено"));
    if (m_hooks.storeAddresses)
        m_hooks.storeAddresses();
    m_form.config.BitBtn5.setEnabled(true);
}

void ModuleDiscovery::sgClick()
{
    m_form.config.BtnPropZTA.setEnabled(false);
    const int row = m_form.config.sg.row();
    if (row < 1 || row > int(kModuleRows.size()))
        return;
    TPZTA& module = m_modules.*kModuleRows[row - 1].descriptor;
    m_form.config.BtnPropZTA.setEnabled(module.Adr != 0 && m_hooks.linkUp && m_hooks.linkUp());
    if (m_hooks.selectForProperties)
        m_hooks.selectForProperties(&module);
}

}  // namespace bench
