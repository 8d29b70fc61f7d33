#pragma once
// The window "Обмен по линиям связи": the exchanges of both lines as they happen, one line
// each, with pause, clear, a filter by line and address, and saving to a text file.
#include "ui/model/Form.h"

namespace ui::forms {

class TrafficForm : public ui::Form {
    Q_OBJECT
public:
    TrafficForm();

    // The line filter's items, in this order.
    enum LineChoice { BothLines, BenchLine, MeterLine };

    ui::Button BtnPause;  // "Пауза", "Продолжить" while paused
    ui::Button BtnClear;  // "Очистить"
    ui::Label LblLine;
    ui::ComboBox CbxLine;
    ui::Label LblAddress;
    ui::Edit EdtAddress;  // empty: every address
    ui::Button BtnSave;   // "Сохранить..."
    ui::Label LblState;   // how many are shown, or how many went by during the pause
    ui::Label LblColumns;
    ui::Memo MemoTraffic;
    ui::Timer TmrShow;    // new exchanges reach the screen on its ticks
};

}  // namespace ui::forms
