#pragma once
// The settings windows of the meter types that have one: the single window of type 2 and the
// multi-channel window of type 6 with its slot and calibration windows. The main window shows
// and hides them; the meter line's readings go to the window of the chosen type.
#include "meter/FlowMeterWindow.h"
#include "meter/FlowMeterWindowKS.h"

namespace meter {

class MeterWindows {
public:
    MeterWindows(TFlowMeterForm& single, TFlowMeterFormKS& multi) : m_single(single), m_multi(multi) {}

    ui::Form* single() const { return &m_single.form; }
    ui::Form* multi() const { return &m_multi.form; }

    // The single window's measuring channel: 1, 2, or 0 when none is chosen.
    int singleChannel() const { return m_single.channel(); }
    // The window that shows the readings of a meter type; null for the types without one.
    MeterWindowReadings* readingsOf(int priborType) const;

    void showSingle() { m_single.form.show(); }
    void hideSingle() { m_single.form.hide(); }
    // The multi-channel window, with its slot and calibration windows that were open.
    void ShowAll() { m_multi.ShowAll(); }
    void HideAll() { m_multi.HideAll(); }

private:
    TFlowMeterForm& m_single;
    TFlowMeterFormKS& m_multi;
};

}  // namespace meter
