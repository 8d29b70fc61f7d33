#pragma once
// The page "Имитация накопл. объема" of the main window.
#include "ui/model/Controls.h"

namespace ui::forms {

class ImitVPage {
public:
    ImitVPage(ui::Form* form, ui::PageControl* pages);
    ui::Page TSImitV;
};

}  // namespace ui::forms
