#include "ui/qt/views/Views.h"

namespace ui::qt {

ControlView* createView(Control& c, const ControlView::ContainerLookup& l)
{
    using namespace views;
    ControlView* v = nullptr;
    switch (c.kind()) {
    case Kind::Button:
    case Kind::SpeedButton: v = button(static_cast<Button&>(c), l); break;
    case Kind::Label:       v = label(static_cast<Label&>(c), l); break;
    case Kind::Edit:        v = edit(static_cast<Edit&>(c), l); break;
    case Kind::Memo:        v = memo(static_cast<Memo&>(c), l); break;
    case Kind::CheckBox:    v = checkBox(static_cast<CheckBox&>(c), l); break;
    case Kind::RadioButton: v = radioButton(static_cast<RadioButton&>(c), l); break;
    case Kind::RadioGroup:  v = radioGroup(static_cast<RadioGroup&>(c), l); break;
    case Kind::ComboBox:    v = comboBox(static_cast<ComboBox&>(c), l); break;
    case Kind::Grid:        v = grid(static_cast<Grid&>(c), l); break;
    case Kind::ProgressBar: v = progressBar(static_cast<ProgressBar&>(c), l); break;
    case Kind::TrackBar:    v = trackBar(static_cast<TrackBar&>(c), l); break;
    case Kind::UpDown:      v = upDown(static_cast<UpDown&>(c), l); break;
    case Kind::StatusBar:   v = statusBar(static_cast<StatusBar&>(c), l); break;
    case Kind::GroupBox:    v = groupBox(static_cast<GroupBox&>(c), l); break;
    case Kind::Panel:       v = panel(static_cast<Panel&>(c), l); break;
    case Kind::PageControl: v = pageControl(static_cast<PageControl&>(c), l); break;
    case Kind::Page:        v = page(static_cast<Page&>(c), l); break;
    case Kind::Trend:       v = trend(static_cast<Trend&>(c), l); break;
    case Kind::MenuItem:
    case Kind::Action:
    case Kind::Timer:       break;
    }
    return v;
}

}  // namespace ui::qt
