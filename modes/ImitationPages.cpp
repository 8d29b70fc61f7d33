#include "modes/ImitationPages.h"

#include "shell/input/NumberFormat.h"

namespace modes {

void ImitationPages::showDelay(double dT)
{
    m_flow.lblDelay.setCaption(QStringLiteral("dT=") + input::formatGeneral(dT));
}

void ImitationPages::showStopped()
{
    m_flow.EdtRashQImit.setText(QStringLiteral("0.000"));
}

void ImitationPages::showImitatedFlow(shell::Mode running, double flow)
{
    const QString text = input::format3(flow);
    switch (running) {
    case shell::Mode::FlowImitation: m_flow.EdtRashQImit.setText(text); break;
    case shell::Mode::VolumeAccumulation: m_volume.EdtNaborV.setText(text); break;
    case shell::Mode::VolumeVerification: m_verification.EdtPoverQ.setText(text); break;
    default: break;
    }
    m_volume.EdtQReal.setText(text);
}

void ImitationPages::showPlannedTime(int seconds)
{
    for (ui::ProgressBar* bar : {&m_volume.PB, &m_verification.PB2}) {
        bar->setMaximum(seconds);
        bar->setPosition(0);
    }
    showElapsed(QString::number(seconds));
}

void ImitationPages::showProgress(int seconds)
{
    m_volume.PB.setPosition(seconds);
    m_verification.PB2.setPosition(seconds);
}

void ImitationPages::showElapsed(const QString& seconds)
{
    m_volume.edttime.setText(seconds);
    m_verification.EdtTime2.setText(seconds);
}

void ImitationPages::showImitatedVolume(double volume)
{
    m_volume.EdtNaborV.setText(input::format4(volume));
    m_verification.EdtPoverV.setText(m_volume.EdtNaborV.text());
}

void ImitationPages::accumulationEnded()
{
    m_volume.BtnQStart.setEnabled(true);
    m_verification.BtnQ2Start.setEnabled(true);
    m_volume.BtnQStop.setEnabled(false);
    m_verification.BtnQ2Stop.setEnabled(false);
}

}  // namespace modes
