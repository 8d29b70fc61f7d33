#pragma once
// The settings windows of the meter types that have one: the single window of type 2 and the
// multi-channel window of type 6 with its slot and calibration windows. The main window shows
// and hides them; the meter line's readings go to the window of the chosen type.
#include "meter/FlowMeterWindow.h"
#include "meter/FlowMeterWindowKS.h"
#include "meter/SlotsWindow.h"

namespace meter {

class MeterWindows {
public:
    MeterWindows(TFlowMeterForm& single, TFlowMeterFormKS& multi, TKsForm1& slots)
        : m_single(single), m_multi(multi), m_slots(slots)
    {
    }

    ui::Form* single() const { return &m_single.form; }
    ui::Form* multi() const { return &m_multi.form; }

    // The single window's measuring channel: 1, 2, or 0 when none is chosen.
    int singleChannel() const { return m_single.channel(); }
    // The window that shows the readings of a meter type; null for the types without one.
    MeterWindowReadings* readingsOf(int priborType) const;

    void showSingle() { m_single.form.show(); }
    void hideSingle() { m_single.form.hide(); }
    // The multi-channel window, with the calibration windows that were open.
    void ShowAll();
    void HideAll() { m_multi.HideAll(); }

private:
    TFlowMeterForm& m_single;
    TFlowMeterFormKS& m_multi;
    TKsForm1& m_slots;
};

}  // namespace meter
