#include "ui/forms/CalcForm.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

namespace {
constexpr int kGroupWidth = 288;
constexpr int kGroupHeight = 228;
constexpr int kGap = 8;
constexpr int kWidth = 3 * kGroupWidth + 4 * kGap;
constexpr int kBarHeight = 20;
constexpr int kTrendTop = kGap + kGroupHeight + kGap;
constexpr int kTrendHeight = 300;
constexpr int kBarTop = kTrendTop + kTrendHeight + kGap;
constexpr int kFirstRow = 22;
constexpr int kButtonTop = 194;
// Captions 124 wide, values 76 beside them, and an error beside a measured value.
constexpr int kLabelWidth = 124;
constexpr int kFieldWidth = 76;
constexpr int kBesideLeft = 8 + kLabelWidth + 4 + kFieldWidth + 6;

FieldColumn columnIn() { return FieldColumn{8, kLabelWidth, kFieldWidth, kFirstRow}; }

void placeGroup(ui::GroupBox& group, const QString& caption, int index)
{
    group.setCaption(caption);
    group.setGeometry(kGap + index * (kGroupWidth + kGap), kGap, kGroupWidth, kGroupHeight);
}

void readOnlyZero(std::initializer_list<ui::Edit*> edits)
{
    for (ui::Edit* e : edits) {
        e->setText(QStringLiteral("0"));
        e->setReadOnly(true);
    }
}

// An error shown to the right of the measured value of row `row`.
void placeBeside(ui::Label& error, const FieldColumn& column, int row)
{
    error.setGeometry(kBesideLeft, kFirstRow + row * column.step + 4, kGroupWidth - kBesideLeft - 8, 18);
}
}  // namespace

CalcForm::CalcForm()
    : ui::Form("calcFrm"),
      GroupBox1(this, "GroupBox1", nullptr),
      Label1(this, "Label1", &GroupBox1),
      edtqe(this, "edtqe", &GroupBox1),
      Label2(this, "Label2", &GroupBox1),
      edtqi(this, "edtqi", &GroupBox1),
      Label3(this, "Label3", &GroupBox1),
      lblqproc(this, "lblqproc", &GroupBox1),
      Label4(this, "Label4", &GroupBox1),
      edtmaxq(this, "edtmaxq", &GroupBox1),
      Label5(this, "Label5", &GroupBox1),
      edtminq(this, "edtminq", &GroupBox1),
      Label6(this, "Label6", &GroupBox1),
      EdtAvgQ(this, "EdtAvgQ", &GroupBox1),
      BtnClear(this, "BtnClear", &GroupBox1),
      btnStart(this, "btnStart", &GroupBox1),
      GroupBox2(this, "GroupBox2", nullptr),
      Label7(this, "Label7", &GroupBox2),
      edtie(this, "edtie", &GroupBox2),
      Label8(this, "Label8", &GroupBox2),
      edtii(this, "edtii", &GroupBox2),
      lbliproc(this, "lbliproc", &GroupBox2),
      Label9(this, "Label9", &GroupBox2),
      edti4(this, "edti4", &GroupBox2),
      Label10(this, "Label10", &GroupBox2),
      edti20(this, "edti20", &GroupBox2),
      Button1(this, "Button1", &GroupBox2),
      GroupBox3(this, "GroupBox3", nullptr),
      Label11(this, "Label11", &GroupBox3),
      edtVe(this, "edtVe", &GroupBox3),
      Label12(this, "Label12", &GroupBox3),
      edtVi(this, "edtVi", &GroupBox3),
      lblVproc(this, "lblVproc", &GroupBox3),
      Label13(this, "Label13", &GroupBox3),
      edtimp(this, "edtimp", &GroupBox3),
      Label14(this, "Label14", &GroupBox3),
      lblimp(this, "lblimp", &GroupBox3),
      Label15(this, "Label15", &GroupBox3),
      lblVproc2(this, "lblVproc2", &GroupBox3),
      trend(this, "trend", nullptr),
      SB(this, "SB", nullptr)
{
    setCaption(QStringLiteral("Калькулятор ЗТА"));
    setGeometry(QRect(160, 120, kWidth, kBarTop + kBarHeight));
    border = ui::Border::Dialog;
    stayOnTop = true;

    placeGroup(GroupBox1, QStringLiteral("Расход"), 0);
    FieldColumn flow = columnIn();
    flow.add(Label1, QStringLiteral("Эталонное "), edtqe);
    flow.add(Label2, QStringLiteral("Измеренное"), edtqi);
    flow.add(Label3, QStringLiteral("Погрешность"), lblqproc);
    flow.add(Label4, QStringLiteral("Максимальный"), edtmaxq);
    flow.add(Label5, QStringLiteral("Минимальный"), edtminq);
    flow.add(Label6, QStringLiteral("Средний"), EdtAvgQ);
    BtnClear.setCaption(QStringLiteral("Сброс"));
    BtnClear.setGeometry(8, kButtonTop, 90, 26);
    btnStart.setCaption(QStringLiteral("Старт"));
    btnStart.setGeometry(104, kButtonTop, 90, 26);

    placeGroup(GroupBox2, QStringLiteral("Ток"), 1);
    FieldColumn current = columnIn();
    current.add(Label7, QStringLiteral("Расчетное"), edtie);
    current.add(Label8, QStringLiteral("Измеренное"), edtii);
    current.add(Label9, QStringLiteral("Значение при 4 мА"), edti4);
    current.add(Label10, QStringLiteral("Значение при 20 мА"), edti20);
    placeBeside(lbliproc, current, 1);
    Button1.setCaption(QStringLiteral("Считать"));
    Button1.setGeometry(8, kButtonTop, 90, 26);

    placeGroup(GroupBox3, QStringLiteral("Объем"), 2);
    FieldColumn volume = columnIn();
    volume.add(Label11, QStringLiteral("Эталонное "), edtVe);
    volume.add(Label12, QStringLiteral("Измеренное"), edtVi);
    volume.add(Label13, QStringLiteral("Кол-во импульсов"), edtimp);
    volume.add(Label14, QStringLiteral("Соответствие объему"), lblimp);
    volume.add(Label15, QStringLiteral("Погрешность"), lblVproc2);
    placeBeside(lblVproc, volume, 1);

    readOnlyZero({&edtqe, &edtqi, &edtmaxq, &edtminq, &EdtAvgQ, &edtie, &edtii, &edti4, &edti20, &edtVe, &edtVi,
                  &edtimp});

    trend.setGeometry(kGap, kTrendTop, kWidth - 2 * kGap, kTrendHeight);
    trend.flowTitle = QStringLiteral("Расход");
    trend.errorTitle = QStringLiteral("Погрешность");
    trend.timeAxisTitle = QStringLiteral("мин");
    trend.flowAxisTitle = QStringLiteral("м3/ч");
    trend.errorAxisTitle = QStringLiteral("%");
    trend.referenceName = QStringLiteral("Эталон");
    trend.measuredName = QStringLiteral("Прибор");
    trend.bandName = QStringLiteral("Допуск");

    SB.setGeometry(0, kBarTop, kWidth, kBarHeight);
    SB.setPanels({{QString(), 0, ui::Alignment::Left, ui::Bevel::Lowered}});
}

}  // namespace ui::forms
