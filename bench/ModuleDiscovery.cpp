#include "bench/ModuleDiscovery.h"

#include "bench/ModuleTable.h"
#include "bench/Qids.h"
#include "link/Result.h"
#include "ui/model/Dialogs.h"
#include "ui/model/Messages.h"

#include <algorithm>
#include <cmath>

namespace bench {

namespace {
constexpr int kLinkColumn = 2;
constexpr int kAddressColumn = 1;
constexpr int kSoftwareColumn = 3;

// A name exchange on the wire, in characters: the 4-byte request, the silence that ends it and
// an answer of the longest name a module gives (about 40 bytes) with its frame.
constexpr double kNameExchangeCharacters = 4 + 3.5 + 48;
constexpr int kBitsPerCharacter = 11;  // start, 8 data, parity or second stop, stop
// Beyond the wire: the module's turnaround, the adapter's and the server's own delays.
constexpr int kQuickMarginMs = 20;
constexpr int kQuickFloorMs = 50;

// How long the first pass waits for a name: twice its exchange on the wire and a margin, never
// longer than the line's own time-out.
int quickAnswerDelayMs(int baud, int lineAnswerDelayMs)
{
    Q_ASSERT(baud > 0);
    const double exchangeMs = kNameExchangeCharacters * kBitsPerCharacter * 1000.0 / baud;
    const int quick = std::max(kQuickFloorMs, int(std::ceil(2 * exchangeMs)) + kQuickMarginMs);
    return std::min(quick, lineAnswerDelayMs);
}

// What a longer wait or another try could still turn into a name: nothing came, or nothing
// that could be read. Any other failure is the address's last word.
bool mayAnswerLater(int result)
{
    return result == comm::ResultNoAnswer || result == comm::ResultCrc || result == comm::ResultWrongAddress;
}
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
    for (const ModuleRow& row : kModuleRows) {
        (m_ctx.modules.*row.descriptor).Adr = 0;
        grid.setCell(kLinkColumn, row.gridRow, QString());
    }
    QList<int> addresses;
    for (int address = FirstAddress; address <= LastAddress; ++address)
        addresses.append(address);
    ask(Pass::Quick, addresses);
}

void ModuleDiscovery::ask(Pass pass, QList<int> addresses)
{
    Q_ASSERT(!addresses.isEmpty());
    std::sort(addresses.begin(), addresses.end());  // in ascending order, whatever order they answered in
    m_pass = pass;
    PendingNames = int(addresses.size());
    m_silent.clear();
    m_unsent = false;
    const comm::Patience patience = patienceOf(pass);
    for (int address : addresses) {
        m_ctx.bench.server.setDeviceAddres(address);
        m_ctx.bench.server.GetDeviceName(qid::DeviceName, patience);
    }
}

// The second pass makes up the line's retries, the first try having been the quick one; it
// asks at least once with the line's time-out even where the line has no retries.
comm::Patience ModuleDiscovery::patienceOf(Pass pass) const
{
    const comm::MBComMaster& line = m_ctx.bench.server;
    if (pass == Pass::Quick)
        return {quickAnswerDelayMs(line.ComSpeed(), line.AnswerDelay()), 0};
    return {std::nullopt, std::max(line.Retries() - 1, 0)};
}

void ModuleDiscovery::deviceNameAnswer(int mbAddr, const QVariant& value, int result)
{
    auto& grid = m_page.sg;
    --PendingNames;
    m_unsent = m_unsent || result == comm::ResultCannotSend;
    if (mayAnswerLater(result))
        m_silent.append(mbAddr);
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
    // the pass ends once that report has had its turn.
    if (m_unsent)
        ui::postMessage(&m_ctx.bench.server, [this] { endPass(); });
    else
        endPass();
}

void ModuleDiscovery::endPass()
{
    if (!m_ctx.bench.connected)
        return;  // the connection handling re-enables the button
    if (m_pass == Pass::Quick && moduleMissing() && !m_silent.isEmpty()) {
        ask(Pass::Patient, m_silent);
        return;
    }
    finishSearch();
}

bool ModuleDiscovery::moduleMissing() const
{
    return std::any_of(kModuleRows.begin(), kModuleRows.end(),
                       [this](const ModuleRow& row) { return (m_ctx.modules.*row.descriptor).Adr == 0; });
}

void ModuleDiscovery::finishSearch()
{
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
