#pragma once
// The multi-channel meter's window "Расходомер" (type 6): it follows the meter's regime and
// starts or stops its verification, reads the parameters of every channel at once and shows
// and writes those of the chosen channel, and decides which channel the main window polls.
#include "meter/MeterWindowReadings.h"
#include "meter/PeripheryWindows.h"
#include "shell/context/Context.h"
#include "ui/forms/FlowMeterFormKS.h"

#include <array>
#include <functional>

namespace comm {
struct Exchange;
}

namespace meter {

class TFlowMeterFormKS : public MeterWindowReadings {
public:
    // The per-channel arrays hold this many channels; a meter with more offers only these.
    static constexpr int MaxChannels = 4;

    // Registers the rows of the window's requests on the meter line and restores the position.
    // periphery: the slot window and its calibration windows. restartPolling: the main
    // window's restart of the periodic polling (message 0x401), required.
    TFlowMeterFormKS(shell::Context& ctx, PeripheryWindows& periphery, std::function<void()> restartPolling);
    // Stores the position.
    ~TFlowMeterFormKS() override;

    ui::forms::FlowMeterFormKS form;

    // Shows the window with the slot and calibration windows opened before, and reads the
    // channel count, which rebuilds the channel list.
    void ShowAll();
    // Hides the slot and calibration windows and this window.
    void HideAll();

    // The meter's regime as last polled: 0 working, 1 verification.
    int CurRegim() const { return FCurRegim; }
    void setCurRegim(int r);
    // The chosen channel (0-based); -1 while none is chosen.
    int Canal() const { return m_canal; }

    void showFlow(double q) override;
    void showVolume(double v) override;
    void showAutoCirculations(int count) override;

    // The chosen channel's parameters from the arrays; nothing while no channel is chosen.
    void ShowValues();

    // The channel measured in one-channel mode follows the choice (register 75).
    bool OneCanal = true;

private:
    template <typename T>
    using PerChannel = std::array<T, MaxChannels>;

    void registerRows();
    void registerArrayRead(int qid, ui::Edit& field, const std::function<void(const comm::Exchange&)>& store);
    void registerStatus(int qid, const QString& words);
    void channelCountAnswered(const comm::Exchange& e);
    void channelChosen();
    void clearChoice();
    // The chosen channel for a write; stops the handler with a message while none is chosen.
    int channelToWrite() const;

    void Button7Click();
    void Button6Click();
    void Button1Click();
    void Button5Click();
    void Button9Click();
    void Button8Click();
    void BtnSetupClick();

    shell::Context& m_ctx;
    PeripheryWindows& m_periphery;
    std::function<void()> m_restartPolling;

    int FCurRegim = 0;
    quint8 poverka = 0;  // what the verification button writes: 2 start, 1 stop
    int m_canal = -1;
    PerChannel<quint8> Med{};
    PerChannel<quint8> Arifm{};
    PerChannel<quint16> AC{};
    PerChannel<double> UZS{};
    PerChannel<double> ShiftZero{};
    PerChannel<double> Otsek{};
};

}  // namespace meter
