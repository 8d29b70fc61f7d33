#include "ui/forms/FlowMeterFormKS.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 480;
constexpr int kGap = 8;
constexpr int kInner = kWidth - 2 * kGap;
constexpr int kButtonHeight = 26;
constexpr int kBarHeight = 20;

constexpr int kChannelsTop = 40;
constexpr int kReadingsTop = kChannelsTop + 48 + kGap;
constexpr int kReadingsHeight = 84;
constexpr int kParametersTop = kReadingsTop + kReadingsHeight + kGap;
constexpr int kParametersHeight = 236;
constexpr int kSetupTop = kParametersTop + kParametersHeight + kGap;
constexpr int kHeight = kSetupTop + kButtonHeight + kGap + kBarHeight;

// The parameter group: a left column of the averaging fields, a right one of the rest.
constexpr int kRightColumn = 240;
constexpr int kFieldWidth = 80;

constexpr int kThreeLinesStep = 58;

void placeThreeLines(ui::Label& label, const QString& caption, ui::Edit& field, int top)
{
    label.setCaption(caption);
    label.setGeometry(kGap, top, 140, 50);
    field.setGeometry(kGap + 144, top + 13, kFieldWidth, 24);
}

void setBold(ui::Control& c)
{
    ui::Font font = c.font();
    font.style.bold = true;
    c.setFont(font);
}
}  // namespace

FlowMeterFormKS::FlowMeterFormKS()
    : ui::Form("FlowMeterFormKS"),
      Label9(this, "Label9", nullptr),
      lblStat(this, "lblStat", nullptr),
      Button7(this, "Button7", nullptr),
      RgCanal(this, "RgCanal", nullptr),
      GroupBox2(this, "GroupBox2", nullptr),
      Label3(this, "Label3", &GroupBox2),
      EdtV(this, "EdtV", &GroupBox2),
      Label1(this, "Label1", &GroupBox2),
      EdtQ(this, "EdtQ", &GroupBox2),
      Button9(this, "Button9", &GroupBox2),
      GroupBox1(this, "GroupBox1", nullptr),
      Label5(this, "Label5", &GroupBox1),
      EdtUZS(this, "EdtUZS", &GroupBox1),
      Label6(this, "Label6", &GroupBox1),
      EdtOtsek(this, "EdtOtsek", &GroupBox1),
      Label7(this, "Label7", &GroupBox1),
      EdtMed(this, "EdtMed", &GroupBox1),
      Label8(this, "Label8", &GroupBox1),
      EdtArifm(this, "EdtArifm", &GroupBox1),
      Button1(this, "Button1", &GroupBox1),
      Label4(this, "Label4", &GroupBox1),
      EdtShift(this, "EdtShift", &GroupBox1),
      Button5(this, "Button5", &GroupBox1),
      Label2(this, "Label2", &GroupBox1),
      EdtAc(this, "EdtAc", &GroupBox1),
      Button6(this, "Button6", &GroupBox1),
      Label10(this, "Label10", nullptr),
      cbxIzm(this, "cbxIzm", nullptr),
      Button8(this, "Button8", nullptr),
      BtnSetup(this, "BtnSetup", nullptr),
      SB(this, "SB", nullptr)
{
    setCaption(QStringLiteral("Расходомер"));
    setGeometry(QRect(220, 140, kWidth, kHeight));
    border = ui::Border::Dialog;
    stayOnTop = true;

    Label9.setCaption(QStringLiteral("Текущий режим:"));
    Label9.setGeometry(kGap, 12, 110, 18);
    lblStat.setCaption(QStringLiteral("???"));
    lblStat.setGeometry(122, 12, 150, 18);
    setBold(lblStat);
    Button7.setCaption(QStringLiteral("Старт поверки"));
    Button7.setGeometry(kWidth - kGap - 150, 8, 150, kButtonHeight);
    setBold(Button7);
    Button7.setEnabled(false);

    RgCanal.setCaption(QStringLiteral("Каналы"));
    RgCanal.setGeometry(kGap, kChannelsTop, kInner, 48);
    RgCanal.columns = 4;

    GroupBox2.setGeometry(kGap, kReadingsTop, kInner, kReadingsHeight);
    FieldColumn readings{kGap, 100, 110, 18};
    readings.add(Label3, QStringLiteral("Объём, м3"), EdtV);
    readings.add(Label1, QStringLiteral("Расход, м3/ч"), EdtQ);
    EdtV.setReadOnly(true);
    EdtQ.setReadOnly(true);
    Button9.setCaption(QStringLiteral("Сброс объёма"));
    Button9.setGeometry(kInner - kGap - 120, 18, 120, kButtonHeight);

    GroupBox1.setGeometry(kGap, kParametersTop, kInner, kParametersHeight);
    FieldColumn averaging{kGap, 140, kFieldWidth, 18};
    averaging.add(Label5, QStringLiteral("Фазовая скорость УЗС"), EdtUZS);
    averaging.add(Label6, QStringLiteral("Отсечка в поверке"), EdtOtsek);
    // The three-line captions, each with its field at the middle line.
    placeThreeLines(Label7, QStringLiteral("Длина буфера\nмедианного\nусреднения"), EdtMed, averaging.top + 6);
    placeThreeLines(Label8, QStringLiteral("Длина буфера\nарфиметического\nусреднения"), EdtArifm,
                    averaging.top + 6 + kThreeLinesStep);
    Button1.setCaption(QStringLiteral("Записать"));
    Button1.setGeometry(kGap + 144, kParametersHeight - kButtonHeight - 12, kFieldWidth, kButtonHeight);

    FieldColumn others{kRightColumn, 110, kFieldWidth, 18};
    others.add(Label4, QStringLiteral("Смещение нуля"), EdtShift);
    Button5.setCaption(QStringLiteral("Записать"));
    Button5.setGeometry(kRightColumn + 114, others.top + 2, kFieldWidth, kButtonHeight);
    others.top += 40;
    others.add(Label2, QStringLiteral("Автоциркуляции"), EdtAc);
    EdtAc.setReadOnly(true);
    Button6.setCaption(QStringLiteral("Считать"));
    Button6.setGeometry(kRightColumn + 114, Button1.geometry().top(), kFieldWidth, kButtonHeight);

    Label10.setCaption(QStringLiteral("Измерения"));
    Label10.setGeometry(kGap, kSetupTop + 4, 70, 18);
    cbxIzm.setItems({QStringLiteral("Все каналы"), QStringLiteral("На одном канале")});
    cbxIzm.setItemIndex(1);
    cbxIzm.setGeometry(kGap + 74, kSetupTop, 140, 24);
    Button8.setCaption(QStringLiteral("Записать"));
    Button8.setGeometry(kGap + 218, kSetupTop, 70, kButtonHeight);
    for (ui::Control* hidden : std::initializer_list<ui::Control*>{&Label10, &cbxIzm, &Button8})
        hidden->setVisible(false);

    BtnSetup.setCaption(QStringLiteral("Настройка периферии >>"));
    BtnSetup.setGeometry(kWidth - kGap - 190, kSetupTop, 190, kButtonHeight);
    BtnSetup.setEnabled(false);

    SB.setGeometry(0, kHeight - kBarHeight, kWidth, kBarHeight);
    SB.setPanels({{QString(), 0, ui::Alignment::Left, ui::Bevel::Lowered}});
}

}  // namespace ui::forms
