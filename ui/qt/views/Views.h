#pragma once
// The view of each control kind; ViewFactory.cpp picks one by the control's kind.
#include "ui/qt/ControlView.h"
#include "ui/model/Controls.h"
#include "ui/model/Trend.h"

namespace ui::qt::views {

using Lookup = ControlView::ContainerLookup;

ControlView* button(Button& c, const Lookup& l);
ControlView* label(Label& c, const Lookup& l);
ControlView* edit(Edit& c, const Lookup& l);
ControlView* memo(Memo& c, const Lookup& l);
ControlView* checkBox(CheckBox& c, const Lookup& l);
ControlView* radioButton(RadioButton& c, const Lookup& l);
ControlView* radioGroup(RadioGroup& c, const Lookup& l);
ControlView* comboBox(ComboBox& c, const Lookup& l);
ControlView* grid(Grid& c, const Lookup& l);
ControlView* progressBar(ProgressBar& c, const Lookup& l);
ControlView* trackBar(TrackBar& c, const Lookup& l);
ControlView* upDown(UpDown& c, const Lookup& l);
ControlView* statusBar(StatusBar& c, const Lookup& l);
ControlView* groupBox(GroupBox& c, const Lookup& l);
ControlView* panel(Panel& c, const Lookup& l);
ControlView* pageControl(PageControl& c, const Lookup& l);
ControlView* page(Page& c, const Lookup& l);
ControlView* trend(Trend& c, const Lookup& l);

}  // namespace ui::qt::views
