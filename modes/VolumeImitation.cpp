#include "modes/VolumeImitation.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "shell/input/NumberFormat.h"
#include "ui/model/Dialogs.h"

namespace modes {

namespace qid = bench::qid;
namespace reg = bench::reg;

namespace {
constexpr int kStartExecuting = 1;  // last command: the start is executing
constexpr int kStartDone = 2;       // last command: the start is done
}  // namespace

const QString VolumeImitation::kElapsedReadFailed = QStringLiteral("Не удалось считать время имитации");

VolumeImitation::VolumeImitation(shell::Context& ctx, FlowSetter& setter, bench::ImrAutomaton& imr,
                                 bench::DelayLineCalibrator& calibrator, ImitationDisplay& display,
                                 ui::Timer& progressTimer)
    : m_ctx(ctx), m_setter(setter), m_imr(imr), m_calibrator(calibrator), m_display(display), m_timer(progressTimer)
{
    for (const auto& [number, slot] : {std::pair{qid::ImitTimeRead, &m_ctx.state.results.ResImitTimeRead},
                                       std::pair{qid::ImitTimeOnce, &m_ctx.state.results.ResImitTimeOnce}})
        m_ctx.bench.routes.add(number, {slot, [this](const comm::Exchange& e) { elapsedAnswered(e); }, {}});
    m_timer.onTimer = [this] { Timer1Timer(); };
}

void VolumeImitation::elapsedAnswered(const comm::Exchange& e)
{
    bench::BenchValues& values = m_ctx.state.values;
    values.ImitTimeMs = qint32(e.element(0).toUInt());
    if (!m_timer.isRunning())
        m_display.showElapsed(input::formatGeneral(values.ImitTimeMs / 1000.0));
    const double volume = values.ImitTimeMs * values.ImitatedFlow / 3600.0 / 1000.0;
    m_display.showImitatedVolume(volume);
    m_ctx.statistics.setVEtalon(volume);
}

bool VolumeImitation::enteringImitation() const
{
    const bench::BenchValues& v = m_ctx.state.values;
    return v.ImrState == bench::imr::StateEnteringImitation && v.ImrLastCmd == kStartExecuting && v.ImrError == 0;
}

bool VolumeImitation::StartVolumeImitation()
{
    if (!m_calibrator.CalibrateDelayLine())
        return false;
    if (!m_setter.SetImitFlow(m_ctx.imitation.ImitPoint, true))
        return false;
    for (int read = 0; read < MaxStateReads; ++read)
        if (!m_imr.ReadImrState() || !enteringImitation())
            break;
    const bench::BenchValues& v = m_ctx.state.values;
    if (v.ImrState != bench::imr::StateImitating || v.ImrError != 0 || v.ImrLastCmd != kStartDone) {
        ui::dialogs().message(m_ctx.imitation.VerifyScale ? QStringLiteral("Ошибка!\rЗТА не вошел в состояние имитации.")
                                                          : QStringLiteral("Ошибка!\rПроверьте подключение расходомера."));
        return false;
    }
    comm::MBComMaster& server = m_ctx.bench.server;
    server.FreeTask(qid::ImitTimeRead);
    server.setDeviceAddres(m_ctx.modules.ImrModule.Adr);
    server.ReadInputRegs(qid::ImitTimeRead, ElapsedPeriodMs, reg::ImrElapsedIn, int(comm::DataType::UInt32), 1);
    m_timer.setRunning(true);
    return true;
}

void VolumeImitation::stopFollowing()
{
    m_timer.setRunning(false);
    m_ctx.bench.server.FreeTask(qid::ImitTimeRead);
}

bool VolumeImitation::writeStop()
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::ImrCommand,
                            [](comm::MBComMaster& s) {
                                s.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(bench::imr::CmdNone));
                            },
                            comm::Failure::only(QStringLiteral("Не удалось выполнить запись команды STOP")));
}

bool VolumeImitation::readElapsed(const comm::Failure& failure)
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::ImitTimeOnce,
                            [](comm::MBComMaster& s) {
                                s.ReadInputRegs(qid::ImitTimeOnce, 0, reg::ImrElapsedIn, int(comm::DataType::UInt32), 1);
                            },
                            failure);
}

void VolumeImitation::Timer1Timer()
{
    shell::Imitation& im = m_ctx.imitation;
    ++im.TimerTickCount;
    if (im.TimerTickCount > im.ImitTimeSec) {
        // The module ends the imitation by the time written; the program only stops following.
        m_timer.setRunning(false);
        m_ctx.workMode.leave();
        m_display.accumulationEnded();
        m_ctx.bench.server.FreeTask(qid::ImitTimeRead);
        const bool read = readElapsed(comm::Failure::quiet());
        m_imr.SetEmulBit(true);
        if (!read)
            ui::dialogs().message(kElapsedReadFailed);
        m_display.showAccumulationTime(input::formatGeneral(m_ctx.state.values.ImitTimeMs / 1000.0));
    }
    m_display.showProgress(im.TimerTickCount);
}

}  // namespace modes
