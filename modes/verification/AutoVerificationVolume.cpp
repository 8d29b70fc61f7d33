// The volume check after the points: the meter's volume at rest before and after the module
// imitates a planned volume at the largest point, against the volume the module really imitated;
// with the УСИ, the meter's pulses counted between the same two moments.
#include "modes/verification/AutoVerification.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "modes/DelayedPulseCount.h"
#include "modes/verification/RunSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace verification {

void AutoVerification::startVolumeCheck()
{
    bool ok = false;
    {
        run::Stepping stepping(m_stepping);
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
    const double ms = std::round(m_protocol.parameters.volume / pulses.imitatedFlow * run::kMsPerHour);
    // The module counts up to MaxImitTimeSec; the wait for it is an int of ms.
    const double longestMs = std::min(modes::MaxImitTimeSec * 1000.0, double(std::numeric_limits<int>::max() - m_ctx.timing.volumeEndMarginMs));
    if (ms > longestMs) {
        end(QStringLiteral("объем проверки %1 м3 не набрать при расходе %2 м3/ч")
                .arg(m_protocol.parameters.volume)
                .arg(pulses.imitatedFlow));
        return;
    }
    const quint32 imitationMs = quint32(ms);
    bool ok = false;
    {
        run::Stepping stepping(m_stepping);
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
    waitThen(Phase::VolumeRunning, int(imitationMs) + m_ctx.timing.volumeEndMarginMs);
}

void AutoVerification::volumeImitationDone()
{
    bool ok = false;
    {
        run::Stepping stepping(m_stepping);
        ok = m_parts.volume.readElapsed(comm::Failure::only(modes::VolumeImitation::kElapsedReadFailed));
    }
    if (!stillRunning())
        return;
    const bench::BenchValues& v = m_ctx.state.values;
    // The module starts imitating a little after the command, so at the planned end it may
    // still be counting: the reference volume is taken once its time stands still.
    if (ok && v.ImitTimeMs < m_imitationMs && v.ImitTimeMs != m_lastElapsedMs) {
        m_lastElapsedMs = v.ImitTimeMs;
        waitThen(Phase::VolumeRunning, m_imitationMs - v.ImitTimeMs + m_ctx.timing.volumeEndMarginMs);
        return;
    }
    m_volumeReference = v.ImitTimeMs * v.ImitatedFlow / run::kMsPerHour;
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
    if (record([&](RunJournal& j) { return j.volumeDone(check); }))
        complete();
}

}  // namespace verification
