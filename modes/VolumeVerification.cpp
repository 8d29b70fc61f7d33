#include "modes/VolumeVerification.h"

#include "shell/input/NumberFormat.h"
#include "ui/model/Dialogs.h"

namespace modes {

VolumeVerification::VolumeVerification(shell::Context& ctx, ui::forms::PoverVPage& page, TImVOFrm& parameters,
                                       VolumeImitation& volume, FlowSetter& setter, bench::ImrAutomaton& imr,
                                       std::function<void()> parametersAccepted)
    : m_ctx(ctx), m_page(page), m_parameters(parameters), m_volume(volume), m_setter(setter), m_imr(imr),
      m_parametersAccepted(std::move(parametersAccepted))
{
    Q_ASSERT(m_parametersAccepted);
    m_page.Button26.onClick = [this] { Button26Click(); };
    m_page.BtnQ2Start.onClick = [this] { BtnQ2StartClick(); };
    m_page.BtnQ2Stop.onClick = [this] { BtnQ2StopClick(); };
}

void VolumeVerification::showParameters()
{
    m_page.EdtZadV2.setText(QString::number(m_ctx.imitation.ImitVolume));
    m_page.EdtZadQ2.setText(QString::number(m_ctx.imitation.ImitPoint));
}

void VolumeVerification::Button26Click()
{
    if (ui::dialogs().showModal(m_parameters.form) != ui::ModalResult::Ok)
        return;
    m_parametersAccepted();
    showParameters();
}

void VolumeVerification::BtnQ2StartClick()
{
    if (!m_ctx.canSendTo(m_ctx.modules.ImrModule))
        return;
    if (m_ctx.imitation.ImitPoint == 0) {
        ui::dialogs().message(QStringLiteral("Рaсход не может быть нулевым"));
        return;
    }
    // Two modes on one module would corrupt each other's count and time.
    if (!m_ctx.workMode.admits())
        return;
    showParameters();
    m_ctx.imitation.VerifyScale = true;
    m_ctx.bench.server.setDeviceAddres(m_ctx.modules.ImrModule.Adr);
    if (!m_imr.SetEmulBit(false) || !m_volume.StartVolumeImitation())
        return;
    m_page.EdtPoverQ.setText(input::format3(m_ctx.state.values.ImitatedFlow));
    m_page.BtnQ2Start.setEnabled(false);
    m_page.BtnQ2Stop.setEnabled(true);
    m_ctx.workMode.enter(shell::Mode::VolumeVerification);
}

void VolumeVerification::BtnQ2StopClick()
{
    if (!m_volume.writeStop())
        return;
    m_setter.SetImitFlow(0, false);
    m_imr.SetEmulBit(true);
    m_volume.stopFollowing();
    m_ctx.workMode.leave();
    m_page.BtnQ2Start.setEnabled(true);
    m_page.BtnQ2Stop.setEnabled(false);
}

}  // namespace modes
