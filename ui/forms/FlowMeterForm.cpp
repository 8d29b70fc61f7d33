#include "ui/forms/FlowMeterForm.h"

#include "ui/forms/main/FieldColumn.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 440;
constexpr int kGap = 8;
constexpr int kInner = kWidth - 2 * kGap;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kBarHeight = 20;

constexpr int kChannelHeight = 50;
constexpr int kReadingsTop = kGap + kChannelHeight + kGap;
constexpr int kReadingsHeight = 70;
constexpr int kParametersTop = kReadingsTop + kReadingsHeight + kGap;
constexpr int kParametersHeight = 132;
constexpr int kImitatorTop = kParametersTop + kParametersHeight + kGap;
constexpr int kWorkTop = kImitatorTop + 24;
constexpr int kWorkHeight = 50;
constexpr int kHeight = kWorkTop + kWorkHeight + kGap + kBarHeight;

// Parameter rows: caption, value, and its "Записать" after the value.
constexpr int kCaptionWidth = 120;
constexpr int kValueWidth = 90;
constexpr int kWriteLeft = kGap + kCaptionWidth + 4 + kValueWidth + kGap;

void placeWrite(ui::Button& button, const ui::Edit& value)
{
    button.setCaption(QStringLiteral("Записать"));
    button.setGeometry(kWriteLeft, value.geometry().top() - 1, kButtonWidth, kButtonHeight);
}
}  // namespace

FlowMeterForm::FlowMeterForm()
    : ui::Form("FlowMeterForm"),
      rgCanal(this, "rgCanal", nullptr),
      Label7(this, "Label7", nullptr),
      lblErr(this, "lblErr", nullptr),
      GroupBox2(this, "GroupBox2", nullptr),
      Label3(this, "Label3", &GroupBox2),
      EdtV(this, "EdtV", &GroupBox2),
      Label1(this, "Label1", &GroupBox2),
      EdtQ(this, "EdtQ", &GroupBox2),
      Button1(this, "Button1", &GroupBox2),
      GroupBox1(this, "GroupBox1", nullptr),
      Label2(this, "Label2", &GroupBox1),
      EdtShift(this, "EdtShift", &GroupBox1),
      Button5(this, "Button5", &GroupBox1),
      Label4(this, "Label4", &GroupBox1),
      EdtOtsek(this, "EdtOtsek", &GroupBox1),
      Button3(this, "Button3", &GroupBox1),
      Label6(this, "Label6", &GroupBox1),
      EdtWindow(this, "EdtWindow", &GroupBox1),
      Button2(this, "Button2", &GroupBox1),
      Button6(this, "Button6", &GroupBox1),
      Label5(this, "Label5", &GroupBox1),
      cbxOut(this, "cbxOut", &GroupBox1),
      chbImit(this, "chbImit", nullptr),
      RGWork(this, "RGWork", nullptr),
      SB(this, "SB", nullptr)
{
    setCaption(QStringLiteral("Расходомер"));
    setGeometry(QRect(180, 140, kWidth, kHeight));
    border = ui::Border::Dialog;
    stayOnTop = true;

    rgCanal.setCaption(QStringLiteral("Канал"));
    rgCanal.setGeometry(kGap, kGap, 140, kChannelHeight);
    rgCanal.columns = 2;
    rgCanal.setItems({QStringLiteral("1"), QStringLiteral("2")});
    Label7.setCaption(QStringLiteral("Нештатная ситуация"));
    Label7.setGeometry(170, kGap + 24, 140, 18);
    lblErr.setCaption(QStringLiteral("..."));
    lblErr.setGeometry(314, kGap + 24, kWidth - 314 - kGap, 18);

    GroupBox2.setGeometry(kGap, kReadingsTop, kInner, kReadingsHeight);
    FieldColumn readings{kGap, kCaptionWidth, kValueWidth, 8};
    readings.add(Label3, QStringLiteral("Объём, м3"), EdtV);
    readings.add(Label1, QStringLiteral("Расход, м3/ч"), EdtQ);
    EdtV.setReadOnly(true);
    EdtQ.setReadOnly(true);
    Button1.setCaption(QStringLiteral("Сброс объёма"));
    Button1.setGeometry(kInner - kGap - 120, 21, 120, kButtonHeight);

    GroupBox1.setGeometry(kGap, kParametersTop, kInner, kParametersHeight);
    FieldColumn parameters{kGap, kCaptionWidth, kValueWidth, 8};
    parameters.add(Label2, QStringLiteral("Смещение нуля"), EdtShift);
    parameters.add(Label4, QStringLiteral("Отсечка расхода"), EdtOtsek);
    parameters.add(Label6, QStringLiteral("Смещение окна"), EdtWindow);
    placeWrite(Button5, EdtShift);
    placeWrite(Button3, EdtOtsek);
    placeWrite(Button2, EdtWindow);
    // Until a channel is chosen there is no window shift to write.
    Button2.setEnabled(false);
    Button6.setCaption(QStringLiteral("Считать"));
    Button6.setGeometry(kInner - kGap - kButtonWidth, EdtOtsek.geometry().top() - 1, kButtonWidth, kButtonHeight);
    parameters.labelWidth = 220;
    parameters.fieldWidth = 110;
    parameters.top += 6;
    parameters.add(Label5, QStringLiteral("Режим работы импульсного выхода"), cbxOut);
    cbxOut.setItems({QStringLiteral("Импульсный"), QStringLiteral("Частотный")});

    chbImit.setCaption(QStringLiteral("Подключить имитатор"));
    chbImit.setGeometry(kGap + 4, kImitatorTop, 200, 20);
    RGWork.setCaption(QStringLiteral("Режим работы прибора"));
    RGWork.setGeometry(kGap, kWorkTop, kInner, kWorkHeight);
    RGWork.columns = 2;
    RGWork.setItems({QStringLiteral("Эксплуатационный"), QStringLiteral("Поверка")});

    SB.setGeometry(0, kHeight - kBarHeight, kWidth, kBarHeight);
    SB.setPanels({{QString(), 0, ui::Alignment::Left, ui::Bevel::Lowered}});
}

}  // namespace ui::forms
