#include "modes/FlowVerification.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "modes/DelayedPulseCount.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "ui/model/Dialogs.h"

namespace modes {

namespace qid = bench::qid;
namespace reg = bench::reg;
namespace imr = bench::imr;

namespace {
constexpr int kSingleCheckDone = 19;  // last command after a single check of the count
constexpr int kOnce = 0;              // RGNepr: "Однократно"
constexpr int kWithoutDelay = 0;      // RGControl: "Длительность импульсов без задержки"
}  // namespace

FlowVerification::FlowVerification(shell::Context& ctx, ui::forms::PoverQPage& page, bench::ImrAutomaton& imr,
                                   bench::DelayLineCalibrator& calibrator)
    : m_ctx(ctx), m_page(page), m_imr(imr), m_calibrator(calibrator)
{
    m_page.BtnStartPover.onClick = [this] { BtnStartPoverClick(); };
    m_page.rgPover.onClick = [this] { rgPoverClick(); };
    m_page.RGNepr.onClick = [this] { RGNeprClick(); };
    m_page.btnPover1.onClick = [this] { btnPover1Click(); };
    m_page.RGControl.onClick = [this] { RGControlClick(); };
    m_page.BtnStopPover.onClick = [this] { BtnStopPoverClick(); };
}

int FlowVerification::chosenPoint() const
{
    return input::StrToInt(m_page.rgPover.items().value(m_page.rgPover.itemIndex()));
}

bool FlowVerification::writeCount(int count)
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::DelayCountWrite,
                            [count](comm::MBComMaster& s) {
                                s.WriteHoldRegs(qid::DelayCountWrite, 0, reg::ImrDelayCount, comm::u16(quint16(count)));
                            },
                            comm::Failure::only(QStringLiteral("Не удалось записать количество задержанных импульсов")));
}

bool FlowVerification::writeCommand(int code, const comm::Failure& failure)
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::ImrCommand,
                            [code](comm::MBComMaster& s) {
                                s.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(quint8(code)));
                            },
                            failure);
}

bool FlowVerification::SetVerifyCount(int point)
{
    const VerifyPulses pulses = verifyPulseCount(point, m_ctx.imitation.CalibratedDT);
    VerifyCount = pulses.count;
    if (!writeCount(VerifyCount))
        return false;
    m_ctx.state.values.ImitatedFlow = pulses.imitatedFlow;
    m_page.edtQReal_Imited.setText(input::format3(pulses.imitatedFlow));
    m_page.edtDPN.setText(QString::number(VerifyCount));
    return true;
}

void FlowVerification::enableChoices(bool on)
{
    m_page.rgPover.setEnabled(on);
    m_page.RGNepr.setEnabled(on);
    m_page.RGControl.setEnabled(on);
    m_page.BtnStartPover.setEnabled(!on);
    m_page.BtnStopPover.setEnabled(on);
}

void FlowVerification::BtnStartPoverClick()
{
    if (!m_ctx.bench.connected)
        return;
    if (!m_ctx.workMode.admits())
        return;
    if (!m_calibrator.CalibrateDelayLine())
        return;
    m_ctx.imitation.VerifyScale = true;
    // The choices open whatever the write gave: the operator may pick another point.
    SetVerifyCount(chosenPoint());
    enableChoices(true);
    m_ctx.bench.server.setDeviceAddres(m_ctx.modules.ImrModule.Adr);
}

void FlowVerification::rgPoverClick()
{
    SetVerifyCount(chosenPoint());
}

void FlowVerification::RGNeprClick()
{
    if (m_page.RGNepr.itemIndex() == kOnce) {
        m_page.btnPover1.setVisible(true);
        if (writeCommand(imr::CmdStopContinuousCheck,
                         comm::Failure::only(QStringLiteral("Не прошла команда STOP задержанных импульсов"))))
            m_ctx.workMode.enter(shell::Mode::SingleCheck);
        return;
    }
    m_page.btnPover1.setVisible(false);
    if (!writeCommand(imr::CmdStartContinuousCheck,
                      comm::Failure::withCode(QStringLiteral("Не прошла команда поверка числа задержанных импульсов"))))
        return;
    m_ctx.SB.setPanelText(0, QStringLiteral("Идет поверка числа задержанных импульсов."));
    m_ctx.workMode.enter(shell::Mode::CountVerification);
}

void FlowVerification::btnPover1Click()
{
    if (!m_imr.ResetToIdle()) {
        ui::dialogs().message(QStringLiteral("Ошибка : попробуйте еще раз"));
        return;
    }
    m_ctx.SB.setPanelText(0, QStringLiteral("Запись количества задержанных импульсов"));
    if (!writeCount(VerifyCount - 1))
        return;
    m_ctx.SB.setPanelText(0, QStringLiteral("Команда : произвести поверку числа зад.имп. "));
    if (!writeCommand(imr::CmdCheckDelayedOnce,
                      comm::Failure::only(QStringLiteral("Не прошла команда поверка числа задержанных импульсов."))))
        return;
    if (!m_imr.ReadImrState())
        return;
    const bench::BenchValues& v = m_ctx.state.values;
    if (v.ImrState != imr::StateIdle)
        ui::dialogs().message(QStringLiteral("Прибор не вошел в режим поверки задержанных импульсов."));
    else if (v.ImrError != 0)
        ui::dialogs().message(QStringLiteral("Прибор ответил ошибкой автомата имитиции."));
    else if (v.ImrLastCmd != kSingleCheckDone)
        ui::dialogs().message(QStringLiteral("Прибор выдает результат последней операции как-то не так."));
}

void FlowVerification::RGControlClick()
{
    m_page.btnPover1.setVisible(false);
    if (!m_imr.ResetToIdle())
        return;
    const int code = m_page.RGControl.itemIndex() == kWithoutDelay ? imr::CmdDelayLineCmode0 : imr::CmdDelayLineCmode1;
    writeCommand(code, comm::Failure::withText(QStringLiteral("Не удалось выполнить запись команды:")));
}

void FlowVerification::BtnStopPoverClick()
{
    if (!m_imr.ResetToIdle())
        return;
    m_ctx.workMode.leave();
    enableChoices(false);
    m_page.RGNepr.setItemIndex(-1);
    m_page.RGControl.setItemIndex(-1);
}

}  // namespace modes
