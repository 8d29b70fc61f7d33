#include "modes/ImVOFrm.h"

#include "shell/input/NumberInput.h"

namespace modes {

TImVOFrm::TImVOFrm(shell::Imitation& imitation) : m_imitation(imitation)
{
    form.BitBtn1.onClick = [this] { BitBtn1Click(); };
    form.BitBtn2.onClick = [this] { BitBtn2Click(); };
    form.EdtV.onKeyPress = input::edtInt;
    form.Edit1.onKeyPress = input::edtInt;
}

void TImVOFrm::BitBtn1Click()
{
    const int volume = input::StrToInt(form.EdtV.text());
    const ui::RadioGroup& points = form.RGPoint;
    const int point = input::StrToInt(points.itemIndex() >= kOwnPointItem ? form.Edit1.text()
                                                                           : points.items().value(points.itemIndex()));
    m_imitation.ImitVolume = volume;
    m_imitation.ImitPoint = point;
    form.modalResult = ui::ModalResult::Ok;
    form.hide();
}

void TImVOFrm::BitBtn2Click()
{
    form.modalResult = ui::ModalResult::Cancel;
    form.hide();
}

}  // namespace modes
