#include "ui/forms/FormCatalog.h"

#include "ui/forms/AboutForm.h"
#include "ui/forms/CanalForm.h"
#include "ui/forms/MProForm.h"
#include "ui/forms/MainForm.h"
#include "ui/forms/SysForm.h"

namespace ui::forms {

std::vector<std::unique_ptr<ui::Form>> createAllForms()
{
    std::vector<std::unique_ptr<ui::Form>> forms;
    forms.push_back(std::make_unique<MainForm>());
    forms.push_back(std::make_unique<CanalForm>());
    forms.push_back(std::make_unique<SysForm>());
    forms.push_back(std::make_unique<MProForm>());
    forms.push_back(std::make_unique<AboutForm>());
    return forms;
}

}  // namespace ui::forms
