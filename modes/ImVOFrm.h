#pragma once
// The dialog "Параметры накопления объема": the flow rate and the volume to accumulate.
#include "shell/context/Context.h"
#include "ui/forms/ImVOForm.h"

namespace modes {

class TImVOFrm {
public:
    explicit TImVOFrm(shell::Imitation& imitation);

    ui::forms::ImVOForm form;

    // "Да": takes the volume and the flow and closes with OK. A volume that is not a whole
    // number stops it with the conversion message; the dialog stays open and nothing changes.
    void BitBtn1Click();
    void BitBtn2Click();

private:
    static constexpr int kOwnPointItem = 5;  // "Своя": the flow typed in Edit1

    shell::Imitation& m_imitation;
};

}  // namespace modes
