#pragma once
// Finding the bench modules: "Проверка связи" asks addresses 1 to 10 for their device name
// and takes each module from the answer whose name carries its fragment.
#include "shell/context/Context.h"
#include "ui/forms/main/ConfigPage.h"

#include <functional>

namespace bench {

class ModuleDiscovery {
public:
    static constexpr int FirstAddress = 1;
    static constexpr int LastAddress = 10;

    // storeAddresses: the catalogue holder's writer of the module addresses.
    ModuleDiscovery(shell::Context& ctx, ui::forms::ConfigPage& page, std::function<void()> storeAddresses);

    int PendingNames = 0;

    void BitBtn5Click();
    void deviceNameAnswer(int mbAddr, const QVariant& value, int result);
    void sgClick();
    // The module of the selected grid row; null while no module row is selected.
    TPZTA* selectedModule() const { return m_selected; }

private:
    void finishSearch();

    shell::Context& m_ctx;
    ui::forms::ConfigPage& m_page;
    std::function<void()> m_storeAddresses;
    bool m_unsent = false;  // an answer of this search could not be sent
    TPZTA* m_selected = nullptr;
};

}  // namespace bench
