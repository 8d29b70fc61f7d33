#pragma once
// The current meter's readout: the four currents in the group "Токовый выход (ИПТ)" and on the
// current meter's page, the current of the chosen channel passed on to the statistics window,
// and the rows of the module's raw sums and calibration writes.
#include "shell/context/Context.h"
#include "ui/forms/main/IptGroup.h"
#include "ui/forms/main/IptPage.h"

#include <functional>

namespace service {

class IptReadout {
public:
    static constexpr int PeriodMs = 1000;

    // calibrationCurrent: where the chosen channel's current goes while a current-output
    // calibration reads the currents (the calibration windows' TokIpt); required.
    IptReadout(shell::Context& ctx, ui::forms::IptGroup& group, ui::forms::IptPage& page,
               std::function<void(double)> calibrationCurrent);

    // ChbTok and CHBTok1 share one periodic reading: either box starts or stops it.
    void readingClick(const ui::CheckBox& box);

    // The channel chosen by the group's radio buttons, -1 when none is.
    int chosenChannel() const;

private:
    void showCurrents(const comm::Exchange& e);

    shell::Context& m_ctx;
    ui::forms::IptGroup& m_group;
    ui::forms::IptPage& m_page;
    std::function<void(double)> m_calibrationCurrent;
};

}  // namespace service
