#pragma once
// The imitation displays on the pages of flow imitation, volume accumulation and volume
// imitation verification.
#include "modes/ImitationDisplay.h"
#include "ui/forms/main/ImitQPage.h"
#include "ui/forms/main/ImitVPage.h"
#include "ui/forms/main/PoverVPage.h"

namespace modes {

class ImitationPages : public ImitationDisplay {
public:
    ImitationPages(ui::forms::ImitQPage& flow, ui::forms::ImitVPage& volume, ui::forms::PoverVPage& verification)
        : m_flow(flow), m_volume(volume), m_verification(verification)
    {
    }

    void showDelay(double dT) override;
    void showStopped() override;
    void showImitatedFlow(shell::Mode running, double flow) override;
    void showPlannedTime(int seconds) override;
    void showProgress(int seconds) override;
    void showElapsed(const QString& seconds) override;
    void showAccumulationTime(const QString& seconds) override { m_volume.edttime.setText(seconds); }
    void showImitatedVolume(double volume) override;
    void accumulationEnded() override;

private:
    ui::forms::ImitQPage& m_flow;
    ui::forms::ImitVPage& m_volume;
    ui::forms::PoverVPage& m_verification;
};

}  // namespace modes
