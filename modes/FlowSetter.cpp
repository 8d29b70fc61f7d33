#include "modes/FlowSetter.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "meter/MeterTypes.h"
#include "modes/DelayedPulseCount.h"
#include "shell/input/NumberFormat.h"
#include "ui/model/Dialogs.h"

namespace modes {

namespace qid = bench::qid;
namespace reg = bench::reg;

FlowSetter::FlowSetter(shell::Context& ctx, ImitationDisplay& display) : m_ctx(ctx), m_display(display)
{
    bench::BenchSlots& slots = m_ctx.state.results;
    m_ctx.bench.routes.add(qid::DelayCountWrite, {&slots.ResDelayCountWrite, {}, {}});
    m_ctx.bench.routes.add(qid::ImitTimeWrite, {&slots.ResImitTimeWrite, {}, {}});
}

bool FlowSetter::writeCommand(int code, const QString& failure)
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::ImrCommand,
                            [code](comm::MBComMaster& s) {
                                s.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(quint8(code)));
                            },
                            comm::Failure::only(failure));
}

bool FlowSetter::stop()
{
    if (!writeCommand(bench::imr::CmdStopImitation, QStringLiteral("Не удалось записать команду STOP")))
        return false;
    m_display.showStopped();
    m_ctx.statistics.setQEtalon(0);
    return true;
}

bool FlowSetter::canCount() const
{
    if (m_ctx.imitation.CalibratedDT == 0) {
        ui::dialogs().message(QStringLiteral("Линия задержки ещё не откалибрована (dT = 0): расход не задан. "
                                             "Начните имитацию кнопкой \"Начать имитацию\" или выполните калибровку."));
        return false;
    }
    const int divisor = m_ctx.PriborType == meter::TypeFixedAutoCirc ? VerifyDivisor : m_ctx.AutoCircCount();
    if (divisor <= 0) {
        ui::dialogs().message(QStringLiteral("Число автоциркуляций прибора неизвестно (%1): расход не задан. "
                                             "Подсчитайте его кнопкой \"Подсчитать\" или считайте из прибора.")
                                  .arg(divisor));
        return false;
    }
    return true;
}

std::optional<int> FlowSetter::plannedTime(double imitatedFlow) const
{
    const int volume = m_ctx.imitation.ImitVolume;
    const std::optional<int> seconds = imitationTimeSec(volume, imitatedFlow);
    if (!seconds)
        ui::dialogs().message(QStringLiteral("«Набираемый объём, м3»: %1 м3 при расходе %2 м3/ч не набрать за время, "
                                             "которое принимает модуль ИМР (от 0 до %3 с). "
                                             "Уменьшите объём или увеличьте расход.")
                                  .arg(volume)
                                  .arg(input::format3(imitatedFlow))
                                  .arg(MaxImitTimeSec));
    return seconds;
}

bool FlowSetter::writeTime(int seconds)
{
    shell::Imitation& im = m_ctx.imitation;
    im.ImitTimeSec = seconds;
    im.TimerTickCount = 0;
    m_display.showPlannedTime(im.ImitTimeSec);
    const quint32 ms = quint32(im.ImitTimeSec) * 1000u;
    if (!m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::ImitTimeWrite,
                          [ms](comm::MBComMaster& s) { s.WriteHoldRegs(qid::ImitTimeWrite, 0, reg::ImrImitTime, comm::u32(ms)); },
                          comm::Failure::withText(QStringLiteral("Запись времени имитации не прошла (%1)"))))
        return false;
    m_ctx.SB.setPanelText(0, QStringLiteral("Записано время : ") + QString::number(im.ImitTimeSec));
    return true;
}

bool FlowSetter::SetImitFlow(int point, bool withTime)
{
    if (point == 0)
        return stop();
    const double dT = m_ctx.imitation.CalibratedDT;
    m_display.showDelay(dT);
    if (!canCount())
        return false;

    const DelayedPulses pulses =
        delayedPulseCount(point, m_ctx.PriborType, m_ctx.AutoCircCount(), m_ctx.imitation.VerifyScale, dT);
    // A time the module cannot hold is refused before anything is written.
    std::optional<int> seconds;
    if (withTime) {
        seconds = plannedTime(pulses.imitatedFlow);
        if (!seconds)
            return false;
    }
    const QString written = QString::number(pulses.written);
    if (!m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::DelayCountWrite,
                          [&pulses](comm::MBComMaster& s) {
                              s.WriteHoldRegs(qid::DelayCountWrite, 0, reg::ImrDelayCount, comm::u16(quint16(pulses.written)));
                          },
                          comm::Failure::withText(QStringLiteral("Не удалось записать количество задержанных импульсов (")
                                                  + written + QStringLiteral(") "))))
        return false;
    m_ctx.SB.setPanelText(0, QStringLiteral("Записано ") + written + QStringLiteral(" импульсов"));
    m_ctx.state.values.ImitatedFlow = pulses.imitatedFlow;

    if (seconds && !writeTime(*seconds))
        return false;
    if (!writeCommand(bench::imr::CmdStartImitation, QStringLiteral("Не удалось записать команду START")))
        return false;
    m_display.showImitatedFlow(m_ctx.workMode.value(), pulses.imitatedFlow);
    m_ctx.statistics.setQEtalon(pulses.imitatedFlow);
    return true;
}

}  // namespace modes
