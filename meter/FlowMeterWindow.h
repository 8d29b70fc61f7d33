#pragma once
// The settings window "Расходомер" of the two-channel meter type: it shows the polled volume
// and flow and the abnormal-situation flag of the chosen channel, reads and writes the meter's
// zero shift, flow cut-off and window shift, resets the volume, connects the meter's imitator
// and switches its pulse output and operating modes. Choosing a channel here decides which
// registers the main window polls.
#include "meter/MeterWindowReadings.h"
#include "shell/context/Context.h"
#include "ui/forms/FlowMeterForm.h"

#include <functional>

namespace comm {
struct Exchange;
}

namespace meter {

class TFlowMeterForm : public MeterWindowReadings {
public:
    // Registers the answers of the window's requests on the meter line and restores the
    // window position. restartPolling: the main window's message 0x401 (sent on a channel choice).
    TFlowMeterForm(shell::Context& ctx, std::function<void()> restartPolling);
    // Stores the window position.
    ~TFlowMeterForm() override;
    TFlowMeterForm(const TFlowMeterForm&) = delete;
    TFlowMeterForm& operator=(const TFlowMeterForm&) = delete;

    ui::forms::FlowMeterForm form;

    // The measuring channel: 1 or 2; 0 while none is chosen.
    int channel() const { return form.rgCanal.itemIndex() + 1; }

    void showFlow(double q) override;    // EdtQ
    void showVolume(double v) override;  // EdtV

private:
    void registerRows();
    void statusWordsAnswered(const comm::Exchange& e);

    void rgCanalClick();
    void Button1Click();
    void Button5Click();
    void Button3Click();
    void Button2Click();
    void Button6Click();
    void cbxOutChange();
    void chbImitClick();
    void RGWorkClick();

    void setStatus(const QString& text) { form.SB.setPanelText(0, text); }
    comm::MBComMaster& server() { return m_ctx.meter.server; }
    bool connected() const { return m_ctx.meter.connected; }

    shell::Context& m_ctx;
    std::function<void()> m_restartPolling;
    // The channel of the latest choice, 0-based; channel 1 until the first one.
    int Canal = 0;
};

}  // namespace meter
