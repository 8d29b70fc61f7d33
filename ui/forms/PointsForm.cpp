#include "ui/forms/PointsForm.h"

namespace ui::forms {

namespace {
constexpr int kRowsPerColumn = 5;

// Built before the buttons, so the operator tabs through the points first.
std::array<std::unique_ptr<PointsForm::Row>, PointsForm::Rows> makeRows(ui::Form* form)
{
    std::array<std::unique_ptr<PointsForm::Row>, PointsForm::Rows> rows;
    for (int i = 0; i < PointsForm::Rows; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        rows[i] = std::make_unique<PointsForm::Row>(form, QByteArray("Label" + n).constData(), QByteArray("Edit" + n).constData());
    }
    return rows;
}
}  // namespace

QString PointsForm::pointName(int i)
{
    return QStringLiteral("Точка %1").arg(i + 1);
}

PointsForm::PointsForm()
    : ui::Form("Form18"), rows(makeRows(this)), BitBtn1(this, "BitBtn1", nullptr), BitBtn2(this, "BitBtn2", nullptr)
{
    setCaption(QStringLiteral("Набор поверочных точек, м3/ч"));
    setGeometry(QRect(0, 0, 372, 212));
    border = ui::Border::Dialog;
    placement = ui::Placement::ScreenCenter;
    stayOnTop = true;

    for (int i = 0; i < Rows; ++i) {
        const int left = 12 + (i / kRowsPerColumn) * 180;
        const int top = 12 + (i % kRowsPerColumn) * 30;
        rows[i]->label.setCaption(pointName(i) + QStringLiteral(", м3/ч"));
        rows[i]->label.setGeometry(left, top + 4, 100, 18);
        rows[i]->edit.setGeometry(left + 104, top, 64, 24);
    }

    BitBtn1.setCaption(QStringLiteral("OK"));
    BitBtn1.setGeometry(174, 178, 90, 26);
    BitBtn1.isDefault = true;
    BitBtn2.setCaption(QStringLiteral("Отмена"));
    BitBtn2.setGeometry(270, 178, 90, 26);
    BitBtn2.isCancel = true;
}

}  // namespace ui::forms
