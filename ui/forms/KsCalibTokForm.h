#pragma once
// The calibration window of one current output slot: the four points the meter outputs, the
// current the bench's current meter measured at each, and how the table write of each went.
#include "ui/model/Form.h"

#include <array>

namespace ui::forms {

class KsCalibTokForm : public ui::Form {
    Q_OBJECT
public:
    KsCalibTokForm();

    ui::Label Label5;  // the instruction
    ui::Label Label1;  // "Ток, мА"
    ui::Label Label6;  // "Ток из ИПТ, мА"
    ui::Label lblTok0;
    ui::Edit EdtTok0;
    ui::Label lblstat0;
    ui::Label lblTok4;
    ui::Edit EdtTok4;
    ui::Label lblStat4;
    ui::Label lblTok5;
    ui::Edit EdtTok5;
    ui::Label lblstat5;
    ui::Label lblTok20;
    ui::Edit EdtTok20;
    ui::Label lblstat20;
    ui::Button btnStart;
    ui::Button BtnStop;
    ui::ProgressBar pb;
    ui::Timer Timer;
    ui::StatusBar SB;

    // The measured edit and the status label of each calibration point, 0, 4, 5, 20 mA.
    std::array<ui::Edit*, 4> measured() { return {&EdtTok0, &EdtTok4, &EdtTok5, &EdtTok20}; }
    std::array<ui::Label*, 4> status() { return {&lblstat0, &lblStat4, &lblstat5, &lblstat20}; }
};

}  // namespace ui::forms
