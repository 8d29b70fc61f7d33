#include "ui/forms/FormCatalog.h"

#include "ui/forms/AboutForm.h"
#include "ui/forms/AutoVerificationForm.h"
#include "ui/forms/CalcForm.h"
#include "ui/forms/CanalForm.h"
#include "ui/forms/FlowMeterForm.h"
#include "ui/forms/FlowMeterFormKS.h"
#include "ui/forms/FrmInitForm.h"
#include "ui/forms/ImVOForm.h"
#include "ui/forms/KsCalibTokForm.h"
#include "ui/forms/KsForm1.h"
#include "ui/forms/MProForm.h"
#include "ui/forms/MainForm.h"
#include "ui/forms/ParATForm.h"
#include "ui/forms/PointsForm.h"
#include "ui/forms/PropertyForm.h"
#include "ui/forms/ProtocolForm.h"
#include "ui/forms/SysForm.h"
#include "ui/forms/TrafficForm.h"

namespace ui::forms {

std::vector<std::unique_ptr<ui::Form>> createAllForms()
{
    std::vector<std::unique_ptr<ui::Form>> forms;
    forms.push_back(std::make_unique<MainForm>());
    forms.push_back(std::make_unique<CanalForm>());
    forms.push_back(std::make_unique<ImVOForm>());
    forms.push_back(std::make_unique<SysForm>());
    forms.push_back(std::make_unique<MProForm>());
    forms.push_back(std::make_unique<AboutForm>());
    forms.push_back(std::make_unique<FlowMeterForm>());
    forms.push_back(std::make_unique<FlowMeterFormKS>());
    forms.push_back(std::make_unique<CalcForm>());
    forms.push_back(std::make_unique<KsForm1>());
    forms.push_back(std::make_unique<KsCalibTokForm>());
    forms.push_back(std::make_unique<PropertyForm>());
    forms.push_back(std::make_unique<FrmInitForm>());
    forms.push_back(std::make_unique<ParATForm>());
    forms.push_back(std::make_unique<AutoVerificationForm>());
    forms.push_back(std::make_unique<ProtocolForm>());
    forms.push_back(std::make_unique<PointsForm>());
    forms.push_back(std::make_unique<TrafficForm>());
    return forms;
}

}  // namespace ui::forms
