#pragma once
// The settings windows of the meter types that have one: the single window of type 2 and
// the multi-channel window of type 6. They are created on first use and live to the end.
#include "link/Line.h"
#include "ui/forms/FlowMeterForm.h"
#include "ui/forms/FlowMeterFormKS.h"

#include <memory>

namespace meter {

class MeterWindows {
public:
    // Registers the meter line's rows the windows own.
    explicit MeterWindows(comm::Line& meterLine);

    bool exist() const { return m_single != nullptr; }
    void create();

    ui::forms::FlowMeterForm* single() const { return m_single.get(); }
    ui::forms::FlowMeterFormKS* multi() const { return m_multi.get(); }

    // The single window's measuring channel: 1, 2, or 0 when none is chosen.
    int singleChannel() const { return m_singleChannel; }
    void setSingleChannel(int c) { m_singleChannel = c; }
    // The multi-channel window's current regime, as the meter last reported it.
    int CurRegim = 0;

    void showSingle();
    void hideSingle();
    void ShowAll();
    void HideAll();

private:
    std::unique_ptr<ui::forms::FlowMeterForm> m_single;
    std::unique_ptr<ui::forms::FlowMeterFormKS> m_multi;
    int m_singleChannel = 0;
};

}  // namespace meter
