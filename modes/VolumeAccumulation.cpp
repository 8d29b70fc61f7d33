#include "modes/VolumeAccumulation.h"

#include "shell/input/NumberFormat.h"
#include "ui/model/Dialogs.h"

namespace modes {

VolumeAccumulation::VolumeAccumulation(shell::Context& ctx, ui::forms::ImitVPage& page, TImVOFrm& parameters,
                                       VolumeImitation& volume, FlowSetter& setter, bench::ImrAutomaton& imr)
    : m_ctx(ctx), m_page(page), m_parameters(parameters), m_volume(volume), m_setter(setter), m_imr(imr)
{
    m_page.Button5.onClick = [this] { Button5Click(); };
    m_page.BtnQStart.onClick = [this] { BtnQStartClick(); };
    m_page.BtnQStop.onClick = [this] { BtnQStopClick(); };
    m_page.edttime.onClick = [this] { edttimeClick(); };
}

void VolumeAccumulation::Button5Click()
{
    if (ui::dialogs().showModal(m_parameters.form) == ui::ModalResult::Ok)
        parametersAccepted();
}

void VolumeAccumulation::parametersAccepted()
{
    m_page.BtnQStart.setEnabled(true);
    m_page.edtZadV.setText(QString::number(m_ctx.imitation.ImitVolume));
}

void VolumeAccumulation::BtnQStartClick()
{
    if (!m_ctx.bench.connected)
        return;
    if (m_ctx.PriborType < 0) {
        ui::dialogs().message(QStringLiteral("Не выбран поверяемый прибор"));
        return;
    }
    if (!m_ctx.workMode.admits())
        return;
    if (!m_ctx.access.known(m_ctx.modules.ImrModule))
        return;
    if (m_ctx.imitation.ImitPoint == 0) {
        ui::dialogs().message(QStringLiteral("Рaсход не может быть нулевым"));
        return;
    }
    m_ctx.imitation.VerifyScale = false;
    if (!m_imr.SetEmulBit(true) || !m_volume.StartVolumeImitation()) {
        m_page.BtnQStart.setEnabled(true);
        return;
    }
    m_ctx.workMode.enter(shell::Mode::VolumeAccumulation);
    m_page.BtnQStart.setEnabled(false);
    m_page.BtnQStop.setEnabled(true);
    if (m_ctx.modules.MeterModule.Adr != 0)
        m_ctx.meter.server.setDeviceAddres(m_ctx.modules.MeterModule.Adr);
    else
        m_page.edtnabor.setText(QStringLiteral("--"));
}

void VolumeAccumulation::BtnQStopClick()
{
    if (!m_volume.writeStop())
        return;
    m_setter.SetImitFlow(0, false);
    m_volume.stopFollowing();
    m_ctx.workMode.leave();
    m_page.BtnQStart.setEnabled(true);
    m_page.BtnQStop.setEnabled(false);
}

void VolumeAccumulation::edttimeClick()
{
    if (!m_ctx.access.known(m_ctx.modules.ImrModule))
        return;
    if (m_volume.readElapsed(comm::Failure::only(VolumeImitation::kElapsedReadFailed)))
        m_page.edttime.setText(input::formatGeneral(m_ctx.state.values.ImitTimeMs / 1000.0));
}

}  // namespace modes
