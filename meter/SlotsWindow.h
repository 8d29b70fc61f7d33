#pragma once
// The window "Настройка слотов" of the multi-channel meter: reads and writes the kinds of the
// meter's two additional output slots and opens the calibration of a current output slot.
#include "meter/CurrentCalibration.h"
#include "meter/PeripheryWindows.h"
#include "shell/context/Context.h"
#include "ui/forms/KsForm1.h"

#include <array>

namespace meter {

class TKsForm1 : public PeripheryWindows {
public:
    static constexpr int CurrentOutputKind = 2;  // "Токовый"

    // Registers the slot rows of the meter line (the calibration windows' included) and
    // restores the position.
    explicit TKsForm1(shell::Context& ctx);
    // Stores the position.
    ~TKsForm1() override;

    ui::forms::KsForm1 form;

    void showSlots() override;
    void showPeriphery() override;
    void hidePeriphery() override;

    // The current of the current meter's chosen channel, with each of its calibration reads.
    void TokIpt(double mA);
    // The calibration window of slot 0 or 1.
    TKsCalibTokForm& calibration(int slot);
    // A calibration runs in either slot.
    bool calibrating() const;

private:
    void registerRows();
    void kindsAnswered(const comm::Exchange& e);
    void Button2Click();
    void writeKind(int slot);
    void calibrateClick(int slot);

    shell::Context& m_ctx;
    bool m_opened = false;  // the window was opened; only then are the slot kinds shown
    std::array<TKsCalibTokForm, 2> m_calibrations;
    // The calibration windows the operator has opened with their buttons.
    std::array<bool, 2> m_calibrationOpened{};
};

}  // namespace meter
