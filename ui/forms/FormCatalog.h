#pragma once
// Every form of the program, freshly declared, for tools that show them all (screenshots).
#include "ui/model/Form.h"

#include <memory>
#include <vector>

namespace ui::forms {

std::vector<std::unique_ptr<ui::Form>> createAllForms();

}  // namespace ui::forms
