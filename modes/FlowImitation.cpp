#include "modes/FlowImitation.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "shell/input/NumberInput.h"
#include "ui/model/Dialogs.h"

namespace modes {

namespace {
constexpr int kOwnPointItem = 5;  // "Своя": the flow typed in Edit1
}

FlowImitation::FlowImitation(shell::Context& ctx, ui::forms::ImitQPage& page, FlowSetter& setter,
                             bench::ImrAutomaton& imr, bench::DelayLineCalibrator& calibrator, Reset reset)
    : m_ctx(ctx), m_page(page), m_setter(setter), m_imr(imr), m_calibrator(calibrator), m_reset(reset)
{
    m_page.btnImit.onClick = [this] { btnImitClick(); };
    m_page.RGPoint.onClick = [this] { RGPointClick(); };
    m_page.Edit1.onKeyPress = [this](QChar& key) { Edit1KeyPress(key); };
    m_reset.button.onClick = [this] { Button19Click(); };
}

int FlowImitation::chosenPoint() const
{
    const ui::RadioGroup& points = m_page.RGPoint;
    if (points.itemIndex() >= kOwnPointItem)
        return input::StrToInt(m_page.Edit1.text());
    return input::StrToInt(points.items().value(points.itemIndex()));
}

void FlowImitation::btnImitClick()
{
    if (!m_ctx.canSendTo(m_ctx.modules.ImrModule))
        return;
    if (m_ctx.PriborType < 0) {
        ui::dialogs().message(QStringLiteral("Не выбран поверяемый прибор"));
        return;
    }
    if (!m_ctx.workMode.admits(shell::Mode::FlowImitation))
        return;
    m_ctx.bench.server.setDeviceAddres(m_ctx.modules.ImrModule.Adr);
    if (m_ctx.workMode.is(shell::Mode::FlowImitation))
        stop();
    else
        start();
}

void FlowImitation::start()
{
    if (!m_calibrator.CalibrateDelayLine())
        return;
    if (!m_imr.SetEmulBit(true))
        return;
    m_ctx.imitation.VerifyScale = false;
    if (!m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, bench::qid::ImitTimeWrite,
                          [](comm::MBComMaster& s) {
                              s.WriteHoldRegs(bench::qid::ImitTimeWrite, 0, bench::reg::ImrImitTime, comm::u32(0));
                          },
                          comm::Failure::withText(QStringLiteral("Не удалось записать продолжительность имитации(%1)'"))))
        return;
    // Bad input in "Своя" aborts the handler here; the claim then gives the mode back.
    shell::WorkMode::Claim claim = m_ctx.workMode.claim(shell::Mode::FlowImitation);
    if (!m_setter.SetImitFlow(chosenPoint(), false))
        return;
    claim.keep();
    m_page.btnImit.setCaption(QStringLiteral("Остановить имитацию"));
    m_page.RGPoint.setEnabled(true);
    if (m_ctx.modules.MeterModule.Adr == 0)
        m_page.EdtRashQ1.setText(QStringLiteral("--"));
}

void FlowImitation::stop()
{
    // Not awaited: the operator stops at once, and the answer has nothing to report.
    m_ctx.bench.server.WriteHoldRegs(bench::qid::ImrCommand, 0, bench::reg::ImrCommand,
                                     comm::u8(bench::imr::CmdStopImitation));
    m_page.EdtRashQImit.setText(QStringLiteral("0.000"));
    m_page.btnImit.setEnabled(true);
    showStopped();
    m_ctx.workMode.leave();
}

void FlowImitation::showStopped()
{
    m_page.btnImit.setCaption(QStringLiteral("Начать имитацию"));
    m_page.RGPoint.setEnabled(false);
}

void FlowImitation::applyPoint(int point)
{
    // Without the module a request would go to address 0, every module's broadcast address.
    if (!m_ctx.canSendTo(m_ctx.modules.ImrModule))
        return;
    m_ctx.bench.server.setDeviceAddres(m_ctx.modules.ImrModule.Adr);
    m_setter.SetImitFlow(point, false);
}

void FlowImitation::RGPointClick()
{
    applyPoint(chosenPoint());
}

void FlowImitation::Edit1KeyPress(QChar& key)
{
    if (key == QChar(13)) {
        applyPoint(input::StrToInt(m_page.Edit1.text()));
        return;
    }
    input::edtIntWithEnter(key);
}

void FlowImitation::Button19Click()
{
    m_ctx.bench.server.FreeAllTasks();
    m_reset.progressTimer.setRunning(false);
    m_ctx.SB.setPanelText(0, QStringLiteral("Приводим в состояние ИДЛЕ"));
    if (m_imr.ResetToIdle())
        showStopped();
    else
        ui::dialogs().message(QStringLiteral("Ошибка : попробуйте еще раз"));
}

}  // namespace modes
