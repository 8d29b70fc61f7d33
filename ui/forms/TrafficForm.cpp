#include "ui/forms/TrafficForm.h"

namespace ui::forms {

namespace {
constexpr int kWidth = 1080;
constexpr int kHeight = 560;
constexpr int kMargin = 8;
constexpr int kRowHeight = 24;
constexpr int kColumnsTop = kMargin + kRowHeight + 8;
constexpr int kMemoTop = kColumnsTop + 18;
// A bus view reads in columns: the header and the log share a fixed-pitch font.
const ui::Font kFixedPitch{QStringLiteral("DejaVu Sans Mono"), 9};
// A busy line answers hundreds of times a second; the screen follows five times a second.
constexpr int kShowEveryMs = 200;
}  // namespace

TrafficForm::TrafficForm()
    : ui::Form("TrafficForm"),
      BtnPause(this, "BtnPause", nullptr),
      BtnClear(this, "BtnClear", nullptr),
      LblLine(this, "LblLine", nullptr),
      CbxLine(this, "CbxLine", nullptr),
      LblAddress(this, "LblAddress", nullptr),
      EdtAddress(this, "EdtAddress", nullptr),
      BtnSave(this, "BtnSave", nullptr),
      LblState(this, "LblState", nullptr),
      LblColumns(this, "LblColumns", nullptr),
      MemoTraffic(this, "MemoTraffic", nullptr),
      TmrShow(this, "TmrShow", kShowEveryMs)
{
    setCaption(QStringLiteral("Обмен по линиям связи"));
    setGeometry(QRect(60, 60, kWidth, kHeight));
    border = ui::Border::Fixed;
    maximizeBox = false;

    BtnPause.setCaption(QStringLiteral("Пауза"));
    BtnPause.setHint(QStringLiteral("Остановить запись обменов; пропущенные обмены считаются"));
    BtnPause.setGeometry(kMargin, kMargin, 100, kRowHeight);
    BtnClear.setCaption(QStringLiteral("Очистить"));
    BtnClear.setGeometry(kMargin + 108, kMargin, 100, kRowHeight);
    LblLine.setCaption(QStringLiteral("Линия:"));
    LblLine.setGeometry(kMargin + 230, kMargin + 4, 50, kRowHeight - 4);
    CbxLine.setItems({QStringLiteral("Обе линии"), QStringLiteral("ЗТА"), QStringLiteral("Расходомер")});
    CbxLine.setItemIndex(BothLines);
    CbxLine.setGeometry(kMargin + 282, kMargin, 130, kRowHeight);
    LblAddress.setCaption(QStringLiteral("Адрес:"));
    LblAddress.setGeometry(kMargin + 430, kMargin + 4, 50, kRowHeight - 4);
    EdtAddress.setHint(QStringLiteral("Адрес на линии, от 0 до 247; пусто - все адреса"));
    EdtAddress.setGeometry(kMargin + 482, kMargin, 50, kRowHeight);
    BtnSave.setCaption(QStringLiteral("Сохранить..."));
    BtnSave.setHint(QStringLiteral("Записать показанные обмены в текстовый файл"));
    BtnSave.setGeometry(kMargin + 552, kMargin, 110, kRowHeight);
    LblState.setGeometry(kMargin + 680, kMargin + 4, kWidth - kMargin * 2 - 680, kRowHeight - 4);

    LblColumns.setFont(kFixedPitch);
    LblColumns.setGeometry(kMargin + 4, kColumnsTop, kWidth - 2 * kMargin - 4, 16);
    MemoTraffic.setFont(kFixedPitch);
    MemoTraffic.setGeometry(kMargin, kMemoTop, kWidth - 2 * kMargin, kHeight - kMemoTop - kMargin);
}

}  // namespace ui::forms
