// Which checks of the meter's outputs a run makes, and the run's own reads they need: the
// meter's slot kinds and current table, the УСИ counter and the ИПТ current.
#include "modes/verification/AutoVerification.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterTypes.h"
#include "modes/verification/RunSteps.h"

#include <algorithm>
#include <cmath>

namespace verification {

namespace {
constexpr int kSlotKindsReg = 7;
constexpr int kCurrentTableReg = 0xC02C;

constexpr std::array<int, 4> kReadQids{bench::qid::UsiCountersOnce, bench::qid::IptCurrentsOnce,
                                       AutoVerification::SlotKindsQid, AutoVerification::CurrentTableQid};

// A count is off by up to one pulse, the part of a pulse the meter holds back at either end: the
// volume must be large enough that a pulse is at most half the permissible error.
double smallestPulseVolume(double permissiblePct)
{
    return 2.0 * 100.0 * modes::VolumePerPulse / permissiblePct;
}
}  // namespace

bool AutoVerification::volumeCheckPlanned() const
{
    return m_protocol.parameters.volume > 0 && m_ctx.Pribor.RegV != -1;
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
        m_pulseInput = std::clamp(m_parts.pulseInput(), 0, run::kInputs - 1);

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
    m_currentPlan = CurrentPlan{calibration, std::clamp(m_parts.currentChannel(), 0, run::kInputs - 1)};
    return true;
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

void AutoVerification::removeRows()
{
    for (int qid : kReadQids)
        lineOf(qid).routes.remove(qid);
}

std::optional<comm::Exchange> AutoVerification::read(comm::Line& line, quint8 address, int qid, const Send& send,
                                                     const QString& what)
{
    bool ok = false;
    {
        run::Stepping stepping(m_stepping);
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
            s.ReadInputRegs(bench::qid::UsiCountersOnce, 0, bench::reg::UsiCountersIn, int(comm::DataType::UInt32), run::kInputs);
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
            s.ReadInputRegs(bench::qid::IptCurrentsOnce, 0, bench::reg::IptCurrentsIn, int(comm::DataType::Float), run::kInputs);
        },
        QStringLiteral("не прочитан ток ИПТ"));
    if (!currents)
        return std::nullopt;
    return currents->element(m_currentPlan->channel).toDouble();
}

}  // namespace verification
