#include "ui/forms/KsCalibTokForm.h"

namespace ui::forms {

namespace {
constexpr int kGap = 8;
constexpr int kNominalWidth = 70;
constexpr int kMeasuredLeft = kGap + kNominalWidth + kGap;
constexpr int kMeasuredWidth = 110;
constexpr int kStatusLeft = kMeasuredLeft + kMeasuredWidth + kGap;
constexpr int kStatusWidth = 220;  // the longest Result text
constexpr int kWidth = kStatusLeft + kStatusWidth + kGap;
constexpr int kHeaderTop = 64;
constexpr int kFirstRow = kHeaderTop + 22;
constexpr int kRowStep = 28;
constexpr int kButtonTop = kFirstRow + 4 * kRowStep + 4;
constexpr int kBarTop = kButtonTop + 26 + kGap;
constexpr int kStatusBarHeight = 20;
constexpr int kHeight = kBarTop + 16 + kGap + kStatusBarHeight;

void placePoint(int row, ui::Label& nominal, const QString& mA, ui::Edit& measured, ui::Label& status)
{
    const int top = kFirstRow + row * kRowStep;
    nominal.setCaption(mA);
    nominal.alignment = ui::Alignment::Right;
    nominal.setGeometry(kGap, top + 4, kNominalWidth, 18);
    measured.setEnabled(false);  // the current meter fills it
    measured.setGeometry(kMeasuredLeft, top, kMeasuredWidth, 24);
    status.setGeometry(kStatusLeft, top + 4, kStatusWidth, 18);
}
}  // namespace

KsCalibTokForm::KsCalibTokForm()
    : ui::Form("KsCalibTokForm"),
      Label5(this, "Label5", nullptr),
      Label1(this, "Label1", nullptr),
      Label6(this, "Label6", nullptr),
      lblTok0(this, "lblTok0", nullptr),
      EdtTok0(this, "EdtTok0", nullptr),
      lblstat0(this, "lblstat0", nullptr),
      lblTok4(this, "lblTok4", nullptr),
      EdtTok4(this, "EdtTok4", nullptr),
      lblStat4(this, "lblStat4", nullptr),
      lblTok5(this, "lblTok5", nullptr),
      EdtTok5(this, "EdtTok5", nullptr),
      lblstat5(this, "lblstat5", nullptr),
      lblTok20(this, "lblTok20", nullptr),
      EdtTok20(this, "EdtTok20", nullptr),
      lblstat20(this, "lblstat20", nullptr),
      btnStart(this, "btnStart", nullptr),
      BtnStop(this, "BtnStop", nullptr),
      pb(this, "pb", nullptr),
      Timer(this, "Timer", 1000),
      SB(this, "SB", nullptr)
{
    setGeometry(QRect(240, 180, kWidth, kHeight));
    border = ui::Border::Dialog;

    Label5.setGeometry(kGap, kGap, kWidth - 2 * kGap, 3 * 18);
    Label1.setCaption(QStringLiteral("Ток, мА"));
    Label1.alignment = ui::Alignment::Right;
    Label1.setGeometry(kGap, kHeaderTop, kNominalWidth, 18);
    Label6.setCaption(QStringLiteral("Ток из ИПТ, мА"));
    Label6.setGeometry(kMeasuredLeft, kHeaderTop, kMeasuredWidth + kGap + kStatusWidth, 18);

    placePoint(0, lblTok0, QStringLiteral("0"), EdtTok0, lblstat0);
    placePoint(1, lblTok4, QStringLiteral("4"), EdtTok4, lblStat4);
    placePoint(2, lblTok5, QStringLiteral("5"), EdtTok5, lblstat5);
    placePoint(3, lblTok20, QStringLiteral("20"), EdtTok20, lblstat20);

    btnStart.setCaption(QStringLiteral("Старт калибровки"));
    btnStart.setGeometry(kGap, kButtonTop, 160, 26);
    BtnStop.setCaption(QStringLiteral("Остановить"));
    BtnStop.setGeometry(kGap + 160 + kGap, kButtonTop, 120, 26);
    BtnStop.setVisible(false);
    pb.setRange(0, 10);  // the seconds at one point
    pb.setGeometry(kGap, kBarTop, kWidth - 2 * kGap, 16);

    SB.setGeometry(0, kHeight - kStatusBarHeight, kWidth, kStatusBarHeight);
    SB.setPanels({{QString(), 0, ui::Alignment::Left, ui::Bevel::Lowered}});
}

}  // namespace ui::forms
