#pragma once
// Choosing the type of the meter under test and applying its registers and defaults.
#include "link/MBComMaster.h"
#include "meter/MProFrm.h"
#include "meter/MeterWindows.h"
#include "meter/Pribor.h"
#include "ui/forms/MainForm.h"

#include <functional>

namespace meter {

class MeterSelection {
public:
    MeterSelection(ui::forms::MainForm& form, TPribor& pribor, int& priborType, qint32& autoCircCount,
                   comm::MBComMaster& bench, MeterWindows& windows, TMProFrm& catalogue,
                   std::function<void()> restartPolling);

    void SetPriborType(int index);
    void cbxpribChange();
    void BtnSetupClick();
    void BtnPropClick();

private:
    ui::forms::MainForm& m_form;
    TPribor& m_pribor;
    int& m_priborType;
    qint32& m_autoCircCount;
    comm::MBComMaster& m_bench;
    MeterWindows& m_windows;
    TMProFrm& m_catalogue;
    std::function<void()> m_restartPolling;  // the main window's polling message, sent
};

}  // namespace meter
