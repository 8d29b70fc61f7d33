// The run's sequencing: its start and every way it ends, the bench prepared and given back,
// the points taken in turn, and the phases that wait for a timer or the meter's next answer.
#include "modes/verification/AutoVerification.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "modes/verification/RunSteps.h"
#include "ui/forms/MeterTypeNames.h"
#include "ui/model/Dialogs.h"

#include <algorithm>

namespace verification {

namespace {
QString moduleText(const QString& kind, const bench::TPZTA& module)
{
    return QStringLiteral("%1 %2 № %3").arg(kind, module.Name.trimmed(), QString::number(module.SerNum));
}
}  // namespace

const QString AutoVerification::kStopped = QStringLiteral("остановлена оператором");

AutoVerification::AutoVerification(shell::Context& ctx, Parts parts) : m_ctx(ctx), m_parts(std::move(parts))
{
    m_timer = ctx.clock.alarm([this] { timerFired(); });
    m_readingTimeout = ctx.clock.alarm([this] {
        end(QStringLiteral("прибор не передал показания за %1 с").arg(m_ctx.timing.readingTimeoutMs / 1000));
    });
    // The meter's polling goes on as always; the run only listens to its answers.
    connect(&m_ctx.meter.server, &comm::MBComMaster::OnExchange, this,
            [this](int qid, int, int, const QVariant& value, int result) { meterAnswered(qid, value, result); });
    for (comm::Line* line : {&m_ctx.bench, &m_ctx.meter})
        connect(&line->server, &comm::MBComMaster::OnChangeConnected, this,
                [this, line](bool connected) { lineChanged(*line, connected); });
}

AutoVerification::~AutoVerification()
{
    Q_ASSERT_X(!m_stepping, "~AutoVerification", "destroyed from inside its own waited step");
    if (!running())
        return;
    m_phase = Phase::Idle;
    m_timer->stop();
    m_readingTimeout->stop();
    releaseBench();
}

bool AutoVerification::canStart(const VerificationParameters& parameters) const
{
    if (!m_ctx.access.known(m_ctx.modules.ImrModule))
        return false;
    QString refusal;
    if (!m_ctx.bench.connected)
        refusal = QStringLiteral("Нет связи с модулем ИМР: поверка не начата");
    else if (m_ctx.PriborType < 0)
        refusal = QStringLiteral("Не выбран поверяемый прибор");
    else if (!m_ctx.meter.connected)
        refusal = QStringLiteral("Нет связи с прибором: поверка не начата");
    else if (m_ctx.Pribor.RegQ == -1)
        refusal = QStringLiteral("Прибор этого типа не сообщает расход: автоматическая поверка невозможна");
    else if (parameters.points.isEmpty())
        refusal = QStringLiteral("Не заданы поверочные точки");
    if (!refusal.isEmpty()) {
        ui::dialogs().message(refusal);
        return false;
    }
    return m_ctx.workMode.admits();
}

bool AutoVerification::start(const VerificationParameters& parameters, double permissiblePct, const MeterIdentity& meter)
{
    Q_ASSERT(permissiblePct > 0);
    if (!canStart(parameters))
        return false;
    shell::WorkMode::Claim claim = m_ctx.workMode.claim(shell::Mode::AutoVerification);
    fillHeader(parameters, meter);
    for (int point : parameters.points)
        m_protocol.points.append(PointResult{point, std::nullopt, permissiblePct, {}, false, std::nullopt});
    m_point = 0;
    m_pendingEnd.clear();
    decideChecks();
    if (!beginRecord())
        return false;
    registerRows();
    m_phase = Phase::Preparing;
    reportProgress();
    if (!prepareCurrentCheck() || !prepareBench())
        return true;
    claim.keep();
    startPoint();
    return true;
}

bool AutoVerification::beginRecord()
{
    m_journal.reset();
    if (!m_parts.journal)
        return true;
    m_journal = m_parts.journal();
    if (!m_journal)
        return false;  // the operator has been told why
    if (m_journal->begin(m_protocol))
        return true;
    ui::dialogs().message(QStringLiteral("Поверка не начата: архив протоколов не записал ее начало.\r") + m_journal->error());
    m_journal.reset();
    return false;
}

bool AutoVerification::record(const std::function<bool(RunJournal&)>& write)
{
    if (!m_journal || write(*m_journal))
        return true;
    end(QStringLiteral("архив протоколов не записал измерение: ") + m_journal->error());
    return false;
}

void AutoVerification::fillHeader(const VerificationParameters& parameters, const MeterIdentity& meter)
{
    m_protocol = Protocol{};
    const QDateTime now = QDateTime::currentDateTime();
    m_protocol.started = now.addMSecs(-now.time().msec());
    QStringList modules;
    const bench::Modules& m = m_ctx.modules;
    for (const auto& [kind, module] : {std::pair{QStringLiteral("ИМР"), &m.ImrModule}, std::pair{QStringLiteral("УСИ"), &m.UsiModule},
                                       std::pair{QStringLiteral("ИПТ"), &m.IptModule}})
        if (module->Adr != 0)
            modules.append(moduleText(kind, *module));
    m_protocol.bench = modules.join(QStringLiteral(", "));
    m_protocol.meterType = ui::forms::meterTypeNames().value(m_ctx.PriborType).trimmed();
    m_protocol.meter = meter;
    m_protocol.parameters = parameters;
}

bool AutoVerification::prepareBench()
{
    bool ok = false;
    {
        run::Stepping stepping(m_stepping);
        ok = m_parts.calibrator.CalibrateDelayLine() && m_parts.imr.SetEmulBit(true);
        if (ok) {
            m_ctx.imitation.VerifyScale = false;
            // A volume mode may have left a planned time: the points imitate without one.
            ok = m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, bench::qid::ImitTimeWrite,
                                  [](comm::MBComMaster& s) {
                                      s.WriteHoldRegs(bench::qid::ImitTimeWrite, 0, bench::reg::ImrImitTime, comm::u32(0));
                                  },
                                  comm::Failure::withText(QStringLiteral("Не удалось записать продолжительность имитации (%1)")));
        }
    }
    if (!stillRunning())
        return false;
    if (!ok) {
        end(QStringLiteral("стенд не подготовлен к имитации"));
        return false;
    }
    m_protocol.delayNs = m_ctx.imitation.CalibratedDT;
    m_protocol.autoCirculations = m_ctx.AutoCircCount();
    return true;
}

void AutoVerification::startPoint()
{
    PointResult& p = m_protocol.points[m_point];
    m_currents.clear();
    bool ok = false;
    {
        run::Stepping stepping(m_stepping);
        ok = m_parts.setter.SetImitFlow(p.point, false);
    }
    if (!stillRunning())
        return;
    if (!ok) {
        end(QStringLiteral("расход точки %1 м3/ч не задан").arg(p.point));
        return;
    }
    p.imitatedFlow = m_ctx.state.values.ImitatedFlow;
    waitThen(Phase::Settling, m_protocol.parameters.settleMs);
}

void AutoVerification::finishPoint()
{
    if (!judgePoint())
        return;
    ++m_point;
    if (m_point < m_protocol.points.size())
        startPoint();
    else if (volumeCheckPlanned())
        startVolumeCheck();
    else
        complete();
}

void AutoVerification::complete()
{
    m_protocol.complete = true;
    m_protocol.incompleteReason.clear();
    end(QString());
}

void AutoVerification::end(QString reason)
{
    if (!running())
        return;
    m_phase = Phase::Idle;
    m_awaitingMeter = false;
    m_timer->stop();
    m_readingTimeout->stop();
    m_pendingEnd.clear();
    if (!reason.isEmpty()) {
        m_protocol.complete = false;
        m_protocol.incompleteReason = std::move(reason);
    }
    if (m_journal && !m_journal->end(m_protocol))
        ui::dialogs().message(QStringLiteral("Архив протоколов не записал итог поверки.\r") + m_journal->error());
    releaseBench();
    Q_EMIT finished();
}

void AutoVerification::releaseBench()
{
    // Only while a run goes: another run object of the program may take the numbers next.
    removeRows();
    if (m_ctx.reaches(m_ctx.modules.ImrModule) && m_parts.setter.SetImitFlow(0, false))
        m_parts.imr.ResetToIdle();
    m_ctx.workMode.leave();
}

void AutoVerification::stop()
{
    if (!running())
        return;
    if (m_stepping)
        m_pendingEnd = kStopped;
    else
        end(kStopped);
}

bool AutoVerification::stillRunning()
{
    if (!running())
        return false;
    if (m_pendingEnd.isEmpty())
        return true;
    end(m_pendingEnd);
    return false;
}

void AutoVerification::waitThen(Phase phase, int ms)
{
    m_phase = phase;
    m_awaitingMeter = false;
    reportProgress();
    m_timer->start(ms);
}

void AutoVerification::awaitMeter(Phase phase)
{
    m_phase = phase;
    m_awaitingMeter = true;
    m_readingTimeout->start(m_ctx.timing.readingTimeoutMs);
}

void AutoVerification::timerFired()
{
    switch (m_phase) {
    case Phase::Settling:
    case Phase::Pausing: awaitMeter(Phase::Reading); break;
    case Phase::VolumeBefore:
    case Phase::VolumeAfter: awaitMeter(m_phase); break;
    case Phase::VolumeRunning: volumeImitationDone(); break;
    case Phase::Idle:
    case Phase::Preparing:
    case Phase::Reading: Q_ASSERT(false); break;
    }
}

void AutoVerification::meterAnswered(int qid, const QVariant& value, int result)
{
    if (!m_awaitingMeter || qid != (m_phase == Phase::Reading ? meter::qid::Flow : meter::qid::Volume))
        return;
    m_awaitingMeter = false;
    m_readingTimeout->stop();
    if (result != 0) {
        end(QStringLiteral("прибор не ответил: ") + comm::resultText(result));
        return;
    }
    const double reading = comm::Exchange{qid, 0, 0, value, result}.element(0).toDouble();
    switch (m_phase) {
    case Phase::Reading: takeReading(reading); break;
    case Phase::VolumeBefore: startVolumeImitation(reading); break;
    case Phase::VolumeAfter: finishVolumeCheck(reading); break;
    default: Q_ASSERT(false); break;
    }
}

void AutoVerification::lineChanged(const comm::Line& line, bool connected)
{
    if (connected || !running())
        return;
    QString reason = &line == &m_ctx.bench ? QStringLiteral("потеряна связь со стендом")
                                           : QStringLiteral("потеряна связь с прибором");
    if (!line.server.LinkProblem().isEmpty())
        reason += QStringLiteral(" (") + line.server.LinkProblem() + QLatin1Char(')');
    if (m_stepping)
        m_pendingEnd = reason;
    else
        end(reason);
}

int AutoVerification::secondsLeft() const
{
    const VerificationParameters& par = m_protocol.parameters;
    const qint64 pointMs = qint64(par.settleMs) + qint64(par.readings) * par.periodMs;
    qint64 ms = 0;
    if (m_point < m_protocol.points.size()) {
        const qint64 taken = m_protocol.points[m_point].readings.size();
        ms += (m_protocol.points.size() - m_point) * pointMs - taken * par.periodMs;
        if (m_phase != Phase::Preparing && m_phase != Phase::Settling && m_point < m_protocol.points.size())
            ms -= par.settleMs;
    }
    if (volumeCheckPlanned() && m_phase != Phase::VolumeAfter) {
        const int volumePoint = *std::max_element(par.points.begin(), par.points.end());
        ms += 2 * qint64(par.volumeSettleMs) + qint64(par.volume * run::kMsPerHour / volumePoint) + m_ctx.timing.volumeEndMarginMs;
    }
    return int(std::max<qint64>(0, ms) / 1000);
}

void AutoVerification::reportProgress()
{
    Q_EMIT progress(int(m_point) + 1, int(m_protocol.points.size()), secondsLeft());
}

}  // namespace verification
