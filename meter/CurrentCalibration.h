#pragma once
// The calibration of one current output slot of the multi-channel meter: the meter outputs
// 0, 4, 5 and 20 mA in turn, the bench's current meter measures each for ten seconds, and when
// all four agree with the nominal currents the measured ones go into the meter's calibration
// table. One window per slot; it lives to the end of the program.
#include "shell/context/Context.h"
#include "ui/forms/KsCalibTokForm.h"

#include <array>
#include <optional>

namespace meter {

class TKsCalibTokForm {
public:
    static constexpr int Points = 4;
    static constexpr int SecondsPerPoint = 10;

    // slotButton: the slot window's button of this slot, whose caption tells that the
    // calibration runs. Registers the slot's meter rows and restores the position.
    TKsCalibTokForm(shell::Context& ctx, int slot, ui::Button& slotButton);
    // Stores the position.
    ~TKsCalibTokForm();
    TKsCalibTokForm(const TKsCalibTokForm&) = delete;
    TKsCalibTokForm& operator=(const TKsCalibTokForm&) = delete;

    ui::forms::KsCalibTokForm form;

    int Slot() const { return FSlot; }
    bool calibrating() const { return regim != Idle; }

    // The current of the chosen channel of the current meter, with each of its successful
    // answers; kept as the current of the present point while a calibration runs.
    void setTokIpt(double mA);
    double TokIpt() const { return FTokIpt; }

    // Runs the whole calibration; events are processed while it waits.
    void Start();
    // "Остановить": ends the calibration and tells the meter so.
    void Stop();

private:
    enum Regim { Idle = 0, Running = 1, AtPoint = 2 };

    void registerRows();
    bool measurePoint(int k);
    bool currentsAgree() const;
    void writeTable();
    void TimerTimer();
    void showStatus(const char* prefix, int result);
    quint8 meterAddress() const;

    shell::Context& m_ctx;
    const int FSlot;
    ui::Button& m_slotButton;

    // mA measured at each point by this run; none until the current meter answers at the point.
    std::array<std::optional<float>, Points> Tok{};
    int timecounter = 0;
    double FTokIpt = 0;
    int ForI = 0;
    Regim regim = Idle;
    std::optional<shell::ModuleAccess::Hold> m_ipt;  // the current meter, while a calibration runs
    int F29_30 = 0;
    int F_29_30 = 0;
    int F31_32 = 0;
};

}  // namespace meter
