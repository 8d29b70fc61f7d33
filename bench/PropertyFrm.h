#pragma once
// The dialog "Параметры модуля": writes one communication setting at a time (address, RTS
// delay, speed code) to one bench module at its present address. The rows of these writes
// belong to ModuleParameters, which must exist on the same line. While it is open it holds its
// module, so no module search can set the address it writes to under it.
#include "bench/ModuleDescriptor.h"
#include "shell/context/ModuleAccess.h"
#include "ui/forms/PropertyForm.h"

#include <optional>

namespace comm {
class Line;
}

namespace bench {

class TPropertyFrm {
public:
    TPropertyFrm(comm::Line& benchLine, shell::ModuleAccess& access);

    // "Свойства" of the configuration page: edits the module of the selected grid row; refused
    // with a message when that module was not found.
    void showFor(TPZTA& module);

    ui::forms::PropertyForm form;

private:
    void FormActivate();
    void Button1Click();  // "Закрыть": takes the typed address without writing it
    void Button2Click();  // address
    void Button3Click();  // RTS delay
    void Button5Click();  // speed code

    TPZTA& prib();
    quint8 typedAddress() const;
    // Writes one byte to a common register of the module; false after a failed answer,
    // whose Result text the operator has seen.
    bool write(int qid, int reg, quint8 value);

    comm::Line& m_bench;
    shell::ModuleAccess& m_access;
    TPZTA* Prib = nullptr;
    std::optional<shell::ModuleAccess::Hold> m_hold;  // while the dialog is open
};

}  // namespace bench
