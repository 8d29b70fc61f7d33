#include "ui/forms/AboutForm.h"

namespace ui::forms {

AboutForm::AboutForm()
    : ui::Form("AboutBox"),
      ProductName(this, "ProductName", nullptr),
      Version(this, "Version", nullptr),
      Comments(this, "Comments", nullptr),
      OKButton(this, "OKButton", nullptr)
{
    setCaption(QStringLiteral("О программе"));
    setGeometry(QRect(0, 0, 380, 170));
    border = ui::Border::Dialog;
    placement = ui::Placement::ScreenCenter;

    ProductName.setGeometry(16, 16, 348, 20);
    ProductName.setFont({QString(), 11, ui::colors::Default, {true}});
    Version.setGeometry(16, 44, 348, 20);
    Comments.setGeometry(16, 70, 348, 54);
    Comments.wordWrap = true;
    OKButton.setCaption(QStringLiteral("OK"));
    OKButton.setGeometry(145, 132, 90, 26);
    OKButton.isDefault = true;
    OKButton.isCancel = true;
}

}  // namespace ui::forms
