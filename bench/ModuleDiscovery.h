#pragma once
// Finding the bench modules: "Проверка связи" asks addresses 1 to 10 for their device name
// and takes each module from the answer whose name carries its fragment.
//
// A module answers its name within a few dozen characters on the wire, while the line's
// time-out and retries are set for its slowest exchanges. So the search asks in two passes:
// first every address once, waiting only as long as a name answer can take at the line's
// speed; then, only while a module is still missing, the addresses that stayed silent once
// more with the line's own time-out and the rest of its retries. An address is thus tried as
// often as the line's settings say, and a module that answers late is still found.
#include "link/Request.h"
#include "shell/context/Context.h"
#include "ui/forms/main/ConfigPage.h"

#include <QList>

#include <functional>

namespace bench {

class ModuleDiscovery {
public:
    static constexpr int FirstAddress = 1;
    static constexpr int LastAddress = 10;

    // storeAddresses: the catalogue holder's writer of the module addresses.
    ModuleDiscovery(shell::Context& ctx, ui::forms::ConfigPage& page, std::function<void()> storeAddresses);

    // Device names still awaited in the present pass.
    int PendingNames = 0;

    void BitBtn5Click();
    void deviceNameAnswer(int mbAddr, const QVariant& value, int result);
    void sgClick();
    // The module of the selected grid row; null while no module row is selected.
    TPZTA* selectedModule() const { return m_selected; }

private:
    enum class Pass { Quick, Patient };

    void ask(Pass pass, QList<int> addresses);  // by value: the second pass is asked from m_silent, which this clears
    comm::Patience patienceOf(Pass pass) const;
    void endPass();
    bool moduleMissing() const;
    void finishSearch();

    shell::Context& m_ctx;
    ui::forms::ConfigPage& m_page;
    std::function<void()> m_storeAddresses;
    Pass m_pass = Pass::Quick;
    QList<int> m_silent;    // addresses of this pass whose answer another try could still bring
    bool m_unsent = false;  // an answer of this pass could not be sent
    TPZTA* m_selected = nullptr;
};

}  // namespace bench
