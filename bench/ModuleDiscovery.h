#pragma once
// Finding the bench modules: "Проверка связи" asks addresses 1 to 10 for their device name
// and takes each module from the answer whose name carries its fragment.
#include "bench/ModuleDescriptor.h"
#include "link/MBComMaster.h"
#include "ui/forms/MainForm.h"

#include <functional>

namespace bench {

class ModuleDiscovery {
public:
    static constexpr int FirstAddress = 1;
    static constexpr int LastAddress = 10;

    struct Hooks {
        std::function<bool()> linkUp;          // the bench line is connected
        std::function<void()> storeAddresses;  // the catalogue holder's writer
        std::function<void(TPZTA*)> selectForProperties;
    };

    ModuleDiscovery(ui::forms::MainForm& form, Modules& modules, comm::MBComMaster& bench, Hooks hooks);

    int PendingNames = 0;

    void BitBtn5Click();
    void deviceNameAnswer(int mbAddr, const QVariant& value, int result);
    void sgClick();

private:
    ui::forms::MainForm& m_form;
    Modules& m_modules;
    comm::MBComMaster& m_bench;
    Hooks m_hooks;
    bool m_lineLost = false;  // an answer of this search could not be sent
};

}  // namespace bench
