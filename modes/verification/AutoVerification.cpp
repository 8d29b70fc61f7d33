#include "modes/verification/AutoVerification.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "meter/MeterTypes.h"
#include "modes/DelayedPulseCount.h"
#include "ui/forms/MeterTypeNames.h"
#include "ui/model/Dialogs.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace verification {

namespace {
constexpr double kMsPerHour = 3600.0 * 1000.0;

constexpr int kSlotKindsReg = 7;
constexpr int kCurrentTableReg = 0xC02C;

constexpr std::array<int, 4> kReadQids{bench::qid::UsiCountersOnce, bench::qid::IptCurrentsOnce,
                                       AutoVerification::SlotKindsQid, AutoVerification::CurrentTableQid};
constexpr int kInputs = 4;  // of the УСИ, and channels of the ИПТ

// A count is off by up to one pulse, the part of a pulse the meter holds back at either end: the
// volume must be large enough that a pulse is at most half the permissible error.
double smallestPulseVolume(double permissiblePct)
{
    return 2.0 * 100.0 * modes::VolumePerPulse / permissiblePct;
}

// Marks the time a waited step runs: events that end the run are held until it returns.
class Stepping {
public:
    explicit Stepping(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Stepping() { m_flag = false; }
    Stepping(const Stepping&) = delete;
    Stepping& operator=(const Stepping&) = delete;

private:
    bool& m_flag;
};

QString moduleText(const QString& kind, const bench::TPZTA& module)
{
    return QStringLiteral("%1 %2 № %3").arg(kind, module.Name.trimmed(), QString::number(module.SerNum));
}
}  // namespace

const QString AutoVerification::kStopped = QStringLiteral("остановлена оператором");

AutoVerification::AutoVerification(shell::Context& ctx, Parts parts) : m_ctx(ctx), m_parts(std::move(parts))
{
    m_timer.setSingleShot(true);
    m_readingTimeout.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &AutoVerification::timerFired);
    connect(&m_readingTimeout, &QTimer::timeout, this, [this] {
        end(QStringLiteral("прибор не передал показания за %1 с").arg(ReadingTimeoutMs / 1000));
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
    m_timer.stop();
    m_readingTimeout.stop();
    releaseBench();
}

comm::Line& AutoVerification::lineOf(int qid)
{
    return qid == SlotKindsQid || qid == CurrentTableQid ? m_ctx.meter : m_ctx.bench;
}

void AutoVerification::registerRows()
{
    for (size_t i = 0; i < kReadQids.size(); ++i)
        lineOf(kReadQids[i]).routes.add(kReadQids[i], {&m_readSlots[i], [this](const comm::Exchange& e) { m_answer = e; }, {}});
}

bool AutoVerification::canStart(const VerificationParameters& parameters) const
{
    QString refusal;
    if (!m_ctx.reaches(m_ctx.modules.ImrModule))
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
    registerRows();
    fillHeader(parameters, meter);
    for (int point : parameters.points)
        m_protocol.points.append(PointResult{point, 0, permissiblePct, {}, false, std::nullopt});
    m_point = 0;
    m_pendingEnd.clear();
    m_phase = Phase::Preparing;
    decideChecks();
    reportProgress();
    if (!prepareCurrentCheck() || !prepareBench())
        return true;
    claim.keep();
    startPoint();
    return true;
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

void AutoVerification::decideChecks()
{
    const bench::Modules& m = m_ctx.modules;
    Protocol& p = m_protocol;
    if (p.parameters.volume <= 0)
        p.volumeSkipped = QStringLiteral("объем проверки не задан");
    else if (m_ctx.Pribor.RegV == -1)
        p.volumeSkipped = QStringLiteral("прибор не сообщает объем");

    m_pulseInput.reset();
    const double smallestVolume = smallestPulseVolume(p.points.first().permissiblePct);
    if (m.UsiModule.Adr == 0)
        p.pulsesSkipped = QStringLiteral("нет модуля УСИ");
    else if (!volumeCheckPlanned())
        p.pulsesSkipped = QStringLiteral("нет проверки объема");
    else if (p.parameters.volume < smallestVolume)
        p.pulsesSkipped = QStringLiteral("объем проверки мал для счета импульсов: нужно не менее %1 м3")
                              .arg(std::ceil(smallestVolume * 1000) / 1000);
    else
        m_pulseInput = std::clamp(m_parts.pulseInput(), 0, kInputs - 1);

    m_currentPlan.reset();
    // Only the multi-channel meter tells where its current output is and how it is calibrated.
    if (m.IptModule.Adr == 0)
        p.currentSkipped = QStringLiteral("нет модуля ИПТ");
    else if (m_ctx.PriborType != meter::TypeMultiChannel)
        p.currentSkipped = QStringLiteral("у прибора нет токового выхода");
}

bool AutoVerification::prepareCurrentCheck()
{
    if (!m_protocol.currentSkipped.isEmpty())
        return true;
    const quint8 meter = m_ctx.modules.MeterModule.Adr;
    const std::optional<comm::Exchange> kinds = read(
        m_ctx.meter, meter, SlotKindsQid,
        [](comm::MBComMaster& s) { s.ReadHoldRegs(SlotKindsQid, 0, kSlotKindsReg, int(comm::DataType::UInt8), 2); },
        QStringLiteral("не прочитаны типы слотов прибора"));
    if (!kinds)
        return false;
    const std::optional<int> slot = modes::currentSlot(kinds->element(0).toInt(), kinds->element(1).toInt());
    if (!slot) {
        m_protocol.currentSkipped = QStringLiteral("у прибора нет токового выхода");
        return true;
    }
    const std::optional<comm::Exchange> table = read(
        m_ctx.meter, meter, CurrentTableQid,
        [](comm::MBComMaster& s) {
            s.ReadHoldRegs(CurrentTableQid, 0, kCurrentTableReg, int(comm::DataType::Float), 8);
        },
        QStringLiteral("не прочитаны калибровочные токи прибора"));
    if (!table)
        return false;
    modes::CurrentTable currents{};
    for (size_t i = 0; i < currents.size(); ++i)
        currents[i] = table->element(int(i)).toDouble();
    const modes::CurrentCalibration calibration = modes::currentCalibration(currents, *slot);
    if (!modes::expectedCurrentMa(0, calibration)) {
        m_protocol.currentSkipped = QStringLiteral("калибровочные токи прибора при 4 и 20 мА равны");
        return true;
    }
    m_currentPlan = CurrentPlan{calibration, std::clamp(m_parts.currentChannel(), 0, kInputs - 1)};
    return true;
}

std::optional<comm::Exchange> AutoVerification::read(comm::Line& line, quint8 address, int qid, const Send& send,
                                                     const QString& what)
{
    bool ok = false;
    {
        Stepping stepping(m_stepping);
        ok = line.step(address, qid, send, comm::Failure::quiet());
    }
    if (!stillRunning())
        return std::nullopt;
    if (!ok) {
        end(what + QStringLiteral(": ") + comm::resultText(line.result(qid)));
        return std::nullopt;
    }
    return m_answer;
}

std::optional<quint32> AutoVerification::readPulseCounter()
{
    Q_ASSERT(m_pulseInput);
    const std::optional<comm::Exchange> counters = read(
        m_ctx.bench, m_ctx.modules.UsiModule.Adr, bench::qid::UsiCountersOnce,
        [](comm::MBComMaster& s) {
            s.ReadInputRegs(bench::qid::UsiCountersOnce, 0, bench::reg::UsiCountersIn, int(comm::DataType::UInt32), kInputs);
        },
        QStringLiteral("не прочитан счетчик импульсов УСИ"));
    if (!counters)
        return std::nullopt;
    return counters->element(*m_pulseInput).toUInt();
}

std::optional<double> AutoVerification::readCurrent()
{
    Q_ASSERT(m_currentPlan);
    const std::optional<comm::Exchange> currents = read(
        m_ctx.bench, m_ctx.modules.IptModule.Adr, bench::qid::IptCurrentsOnce,
        [](comm::MBComMaster& s) {
            s.ReadInputRegs(bench::qid::IptCurrentsOnce, 0, bench::reg::IptCurrentsIn, int(comm::DataType::Float), kInputs);
        },
        QStringLiteral("не прочитан ток ИПТ"));
    if (!currents)
        return std::nullopt;
    return currents->element(m_currentPlan->channel).toDouble();
}

bool AutoVerification::prepareBench()
{
    bool ok = false;
    {
        Stepping stepping(m_stepping);
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
        Stepping stepping(m_stepping);
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

void AutoVerification::takeReading(double flow)
{
    m_protocol.points[m_point].readings.append(flow);
    if (m_currentPlan) {
        const std::optional<double> current = readCurrent();
        if (!current)
            return;
        m_currents.append(*current);
    }
    if (m_protocol.points[m_point].readings.size() >= m_protocol.parameters.readings)
        finishPoint();
    else
        waitThen(Phase::Pausing, m_protocol.parameters.periodMs);
}

void AutoVerification::finishPoint()
{
    PointResult& p = m_protocol.points[m_point];
    if (m_currentPlan) {
        const double expected = *modes::expectedCurrentMa(p.mean(), m_currentPlan->calibration);
        if (expected <= 0) {
            end(QStringLiteral("калибровочные токи прибора дают расчетный ток %1 мА").arg(expected));
            return;
        }
        const double measured = std::accumulate(m_currents.begin(), m_currents.end(), 0.0) / double(m_currents.size());
        p.current = Comparison{expected, measured, p.permissiblePct};
    }
    p.complete = true;
    ++m_point;
    if (m_point < m_protocol.points.size())
        startPoint();
    else if (volumeCheckPlanned())
        startVolumeCheck();
    else
        complete();
}

bool AutoVerification::volumeCheckPlanned() const
{
    return m_protocol.parameters.volume > 0 && m_ctx.Pribor.RegV != -1;
}

void AutoVerification::startVolumeCheck()
{
    bool ok = false;
    {
        Stepping stepping(m_stepping);
        ok = m_parts.setter.SetImitFlow(0, false);
    }
    if (!stillRunning())
        return;
    if (!ok) {
        end(QStringLiteral("имитация не остановлена перед проверкой объема"));
        return;
    }
    // The meter's volume before is read at rest, so the polling's age does not matter.
    waitThen(Phase::VolumeBefore, m_protocol.parameters.volumeSettleMs);
}

void AutoVerification::volumeImitationDone()
{
    bool ok = false;
    {
        Stepping stepping(m_stepping);
        ok = m_parts.volume.readElapsed(comm::Failure::only(modes::VolumeImitation::kElapsedReadFailed));
    }
    if (!stillRunning())
        return;
    const bench::BenchValues& v = m_ctx.state.values;
    // The module starts imitating a little after the command, so at the planned end it may
    // still be counting: the reference volume is taken once its time stands still.
    if (ok && v.ImitTimeMs < m_imitationMs && v.ImitTimeMs != m_lastElapsedMs) {
        m_lastElapsedMs = v.ImitTimeMs;
        waitThen(Phase::VolumeRunning, m_imitationMs - v.ImitTimeMs + VolumeEndMarginMs);
        return;
    }
    m_volumeReference = v.ImitTimeMs * v.ImitatedFlow / kMsPerHour;
    if (!ok || m_volumeReference <= 0) {
        end(QStringLiteral("объем имитации не известен"));
        return;
    }
    waitThen(Phase::VolumeAfter, m_protocol.parameters.volumeSettleMs);
}

void AutoVerification::finishVolumeCheck(double meterVolume)
{
    const double permissible = m_protocol.points.first().permissiblePct;
    VolumeCheck check{Comparison{m_volumeReference, meterVolume - m_volumeBefore, permissible}, std::nullopt};
    if (m_pulseInput) {
        const std::optional<quint32> after = readPulseCounter();
        if (!after)
            return;
        // The counter is 32 bits: one that wrapped meanwhile still gives the pulses between.
        const quint32 pulses = *after - m_pulsesBefore;
        check.pulses = Comparison{m_volumeReference, modes::pulseVolume(pulses), permissible};
    }
    m_protocol.volume = check;
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
    m_timer.stop();
    m_readingTimeout.stop();
    m_pendingEnd.clear();
    if (!reason.isEmpty()) {
        m_protocol.complete = false;
        m_protocol.incompleteReason = std::move(reason);
    }
    releaseBench();
    Q_EMIT finished();
}

void AutoVerification::releaseBench()
{
    // Only while a run goes: another run object of the program may take the numbers next.
    for (int qid : kReadQids)
        lineOf(qid).routes.remove(qid);
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
    m_timer.start(ms);
}

void AutoVerification::awaitMeter(Phase phase)
{
    m_phase = phase;
    m_awaitingMeter = true;
    m_readingTimeout.start(ReadingTimeoutMs);
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
    m_readingTimeout.stop();
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

void AutoVerification::startVolumeImitation(double meterVolume)
{
    m_volumeBefore = meterVolume;
    if (m_pulseInput) {
        // At rest, as the meter's volume: no pulse is on its way.
        const std::optional<quint32> before = readPulseCounter();
        if (!before)
            return;
        m_pulsesBefore = *before;
    }
    const int volumePoint = *std::max_element(m_protocol.parameters.points.begin(), m_protocol.parameters.points.end());
    // The module's imitation time is kept in ms: a volume far below a cubic metre still ends
    // on time, which the whole seconds of the volume pages could not do.
    const modes::DelayedPulses pulses = modes::delayedPulseCount(volumePoint, m_ctx.PriborType, m_ctx.AutoCircCount(),
                                                                 false, m_ctx.imitation.CalibratedDT);
    const double ms = std::round(m_protocol.parameters.volume / pulses.imitatedFlow * kMsPerHour);
    // The module counts up to MaxImitTimeSec; the wait for it is an int of ms.
    const double longestMs = std::min(modes::MaxImitTimeSec * 1000.0, double(std::numeric_limits<int>::max() - VolumeEndMarginMs));
    if (ms > longestMs) {
        end(QStringLiteral("объем проверки %1 м3 не набрать при расходе %2 м3/ч")
                .arg(m_protocol.parameters.volume)
                .arg(pulses.imitatedFlow));
        return;
    }
    const quint32 imitationMs = quint32(ms);
    bool ok = false;
    {
        Stepping stepping(m_stepping);
        ok = m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, bench::qid::ImitTimeWrite,
                              [imitationMs](comm::MBComMaster& s) {
                                  s.WriteHoldRegs(bench::qid::ImitTimeWrite, 0, bench::reg::ImrImitTime,
                                                  comm::u32(imitationMs));
                              },
                              comm::Failure::withText(QStringLiteral("Запись времени имитации не прошла (%1)")))
             && m_parts.setter.SetImitFlow(volumePoint, false);
    }
    if (!stillRunning())
        return;
    if (!ok) {
        end(QStringLiteral("проверка объема не начата"));
        return;
    }
    m_imitationMs = qint32(imitationMs);
    m_lastElapsedMs = -1;
    waitThen(Phase::VolumeRunning, int(imitationMs) + VolumeEndMarginMs);
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
        ms += 2 * qint64(par.volumeSettleMs) + qint64(par.volume * kMsPerHour / volumePoint) + VolumeEndMarginMs;
    }
    return int(std::max<qint64>(0, ms) / 1000);
}

void AutoVerification::reportProgress()
{
    Q_EMIT progress(int(m_point) + 1, int(m_protocol.points.size()), secondsLeft());
}

}  // namespace verification
