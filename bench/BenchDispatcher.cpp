#include "bench/BenchDispatcher.h"

#include "bench/ActivityIndicator.h"
#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "link/Result.h"
#include "shell/input/NumberFormat.h"
#include "ui/model/Dialogs.h"

#include <array>

namespace bench {

QVariant element(const QVariant& value, int i)
{
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        const QVariantList list = value.toList();
        return i >= 0 && i < list.size() ? list.at(i) : QVariant();
    }
    return i == 0 ? value : QVariant();
}

BenchDispatcher::BenchDispatcher(ui::forms::MainForm& form, BenchState& state, StatisticsInputs& statistics, Hooks hooks)
    : m_form(form), m_state(state), m_statistics(statistics), m_hooks(std::move(hooks))
{
}

const std::vector<BenchDispatcher::Branch>& BenchDispatcher::branches()
{
    using B = BenchDispatcher;
    using S = BenchSlots;
    static const std::vector<Branch> table{
        {qid::AddressWrite, &S::ResAdrWrite, nullptr, nullptr},
        {qid::SpeedWrite, &S::ResSpeedWrite, nullptr, nullptr},
        {qid::RtsWrite, &S::ResRtsWrite, nullptr, nullptr},
        {qid::EmulBitRead, &S::ResEmulBit, &B::decodeEmulBit, &B::reportEmulBit},
        {qid::EmulBitWrite, &S::ResEmulBit, nullptr, nullptr},
        {qid::PolarityWrite, &S::ResPolarityBit, nullptr, nullptr},
        {qid::FoscWrite, nullptr, nullptr, &B::reportFoscWrite},
        {qid::T0Write, nullptr, nullptr, &B::reportT0Write},
        {qid::T1Write, nullptr, nullptr, &B::reportT1Write},
        {qid::ImrStateRead, &S::ResImrStateRead, &B::decodeImrState, &B::reportImrState},
        {qid::SarRead, nullptr, &B::decodeSar, &B::reportSar},
        {qid::AutoCircRead, &S::ResAutoCircRead, &B::decodeAutoCirc, nullptr},
        {qid::ImitTimeRead, &S::ResImitTimeRead, &B::decodeImitTime, nullptr},
        {qid::CalibSumsRead, &S::ResCalibSumsRead, &B::decodeCalibSums, nullptr},
        {qid::ImrCommand, &S::ResImrCommand, nullptr, nullptr},
        {qid::ConvCountWrite, &S::ResConvCountWrite, nullptr, nullptr},
        {qid::DelayCountWrite, &S::ResDelayCountWrite, nullptr, nullptr},
        {qid::ImitTimeWrite, &S::ResImitTimeWrite, nullptr, nullptr},
        {qid::FoscRead, &S::ResFoscRead, &B::decodeFosc, nullptr},
        {qid::T0T1Read, &S::ResT0T1Read, &B::decodeT0T1, nullptr},
        {qid::UsiModesRead, nullptr, &B::decodeUsiModes, nullptr},
        {qid::UsiCountersRead, nullptr, &B::decodeUsiCounters, nullptr},
        {qid::UsiModeWrite, &S::ResUsiModeWrite, nullptr, nullptr},
        {qid::IptSumsRead, &S::ResIptSumsRead, &B::decodeIptSums, nullptr},
        {qid::IptCurrents, &S::ResIptCurrents, &B::decodeIptCurrents, nullptr},
        {qid::IptCurrentsCalib, &S::ResIptCurrentsCalib, &B::decodeIptCurrentsCalib, nullptr},
        {qid::IptCommand, &S::ResIptCommand, nullptr, nullptr},
        {qid::IptDacWrite, &S::ResIptDacWrite, nullptr, nullptr},
        {qid::IptScaleWrite, &S::ResIptScaleWrite, nullptr, nullptr},
        {qid::IptOffsetWrite, &S::ResIptOffsetWrite, nullptr, nullptr},
    };
    return table;
}

const BenchDispatcher::Branch* BenchDispatcher::find(int qid) const
{
    for (const Branch& b : branches())
        if (b.qid == qid)
            return &b;
    return nullptr;
}

int* BenchDispatcher::slotOf(int qid)
{
    const Branch* b = find(qid);
    return b && b->slot ? &(m_state.results.*(b->slot)) : nullptr;
}

void BenchDispatcher::MBCMExchange(int qid, int mbAddr, int, const QVariant& value, int result)
{
    if (qid == qid::DeviceName) {
        if (m_hooks.deviceName)
            m_hooks.deviceName(mbAddr, value, result);
        return;
    }
    if (qid == qid::DefaultsBroadcast) {
        if (m_hooks.defaultsBroadcast)
            m_hooks.defaultsBroadcast(result);
        return;
    }
    const Branch* b = find(qid);
    if (!b)
        return;
    // The decoded values are in place before the slot tells a waiting workflow the Result.
    if (result == 0 && b->decode)
        (this->*(b->decode))(value);
    if (b->report)
        (this->*(b->report))(result);
    if (b->slot)
        m_state.results.*(b->slot) = result;
}

void BenchDispatcher::decodeImrState(const QVariant& v)
{
    m_state.values.ImrState = element(v, 0).toInt();
    m_state.values.ImrError = element(v, 1).toInt();
    m_state.values.ImrLastCmd = element(v, 2).toInt();
}

void BenchDispatcher::reportImrState(int result)
{
    if (result != 0)
        m_state.values.ImrState = imr::StateReadFailed;
}

void BenchDispatcher::decodeEmulBit(const QVariant& v)
{
    m_state.values.EmulBit = element(v, 0).toBool();
}

void BenchDispatcher::reportEmulBit(int result)
{
    m_form.SB.setPanelText(0, result != 0 ? QStringLiteral("error")
                                          : (m_state.values.EmulBit ? QStringLiteral("true") : QStringLiteral("false")));
}

void BenchDispatcher::reportTuningWrite(ui::Button& button, const char* what, int result)
{
    button.setEnabled(true);
    if (result != 0)
        ui::dialogs().message(QStringLiteral("Запись %1 не прошла! \r").arg(QString::fromUtf8(what)) + comm::resultText(result));
}

void BenchDispatcher::reportFoscWrite(int result)
{
    reportTuningWrite(m_form.imr.BtnF, "Частоты", result);
}

void BenchDispatcher::reportT0Write(int result)
{
    reportTuningWrite(m_form.imr.btnT0, "T0", result);
}

void BenchDispatcher::reportT1Write(int result)
{
    reportTuningWrite(m_form.imr.BtnT1, "T1", result);
}

void BenchDispatcher::decodeSar(const QVariant& v)
{
    m_form.imr.lblDa1.setCaption(QString::number(element(v, 0).toInt()));
}

void BenchDispatcher::reportSar(int result)
{
    if (result != 0)
        m_form.imr.lblDa1.setCaption(comm::resultText(result));
}

void BenchDispatcher::decodeAutoCirc(const QVariant& v)
{
    m_state.values.AutoCircCount = element(v, 0).toInt();
}

void BenchDispatcher::decodeImitTime(const QVariant& v)
{
    BenchValues& values = m_state.values;
    values.ImitTimeMs = qint32(element(v, 0).toUInt());
    if (!m_form.Timer1.isRunning()) {
        const QString seconds = input::formatGeneral(values.ImitTimeMs / 1000.0);
        m_form.imitV.edttime.setText(seconds);
        m_form.poverV.EdtTime2.setText(seconds);
    }
    const double volume = values.ImitTimeMs * values.ImitatedFlow / 3600.0 / 1000.0;
    m_form.imitV.EdtNaborV.setText(input::format4(volume));
    m_statistics.setVEtalon(volume);
    m_form.poverV.EdtPoverV.setText(m_form.imitV.EdtNaborV.text());
}

void BenchDispatcher::decodeCalibSums(const QVariant& v)
{
    for (int record = 0; record < 2; ++record)
        for (int i = 0; i < 5; ++i)
            m_state.values.DelayCalib[record].Sum[i] = element(v, record * 5 + i).toUInt();
}

void BenchDispatcher::decodeFosc(const QVariant& v)
{
    m_state.values.FoscRaw = element(v, 0).toUInt();
}

void BenchDispatcher::decodeT0T1(const QVariant& v)
{
    m_state.values.T0 = element(v, 0).toDouble();
    m_state.values.T1 = element(v, 1).toDouble();
}

void BenchDispatcher::decodeUsiModes(const QVariant& v)
{
    auto& g = m_form.usiGroup;
    const std::array<ui::Panel*, 4> panels{&g.PnlUsi1, &g.PnlUsi2, &g.PnlUsi3, &g.PnlUsi4};
    for (int n = 0; n < 4; ++n) {
        const bool passive = element(v, n).toBool();
        ui::Font font = panels[n]->font();
        font.color = passive ? ui::colors::Black : ui::colors::Red;
        panels[n]->setCaption(passive ? QStringLiteral("Пассивный") : QStringLiteral("Активный"));
        panels[n]->setFont(font);
        panels[n]->setBevel(passive ? ui::Bevel::Raised : ui::Bevel::Lowered);
    }
}

void BenchDispatcher::decodeUsiCounters(const QVariant& v)
{
    auto& g = m_form.usiGroup;
    advanceIndicator(g.lbls2);
    const std::array<ui::Edit*, 4> fields{&g.EdtCnt1, &g.EdtCnt2, &g.EdtCnt3, &g.EdtCnt4};
    const std::array<ui::RadioButton*, 4> choice{&g.rbv0, &g.rbv1, &g.rbv2, &g.rbv3};
    for (int n = 0; n < 4; ++n) {
        fields[n]->setText(QString::number(element(v, n).toUInt()));
        if (choice[n]->isChecked())
            m_statistics.setImpIzm(element(v, n).toDouble());
    }
}

void BenchDispatcher::decodeIptSums(const QVariant& v)
{
    for (int n = 0; n < 4; ++n)
        m_state.values.IptSums[n] = qint32(element(v, n).toUInt());
}

// The chosen channel of the current readout, -1 when none is chosen.
static int chosenCurrentChannel(const ui::forms::IptGroup& g)
{
    const std::array<const ui::RadioButton*, 4> choice{&g.rbi0, &g.rbi1, &g.rbi2, &g.rbi3};
    for (int n = 0; n < 4; ++n)
        if (choice[n]->isChecked())
            return n;
    return -1;
}

void BenchDispatcher::showCurrents(const QVariant& v)
{
    auto& g = m_form.iptGroup;
    auto& p = m_form.ipt;
    advanceIndicator(g.LblS1);
    p.Label85.setCaption(g.LblS1.caption());
    const std::array<ui::Edit*, 4> group{&g.EdtI1, &g.EdtI2, &g.EdtI3, &g.EdtI4};
    const std::array<ui::Edit*, 4> page{&p.EdtI11, &p.EdtI12, &p.EdtI13, &p.EdtI14};
    for (int n = 0; n < 4; ++n) {
        const QString text = input::format3(element(v, n).toDouble());
        group[n]->setText(text);
        page[n]->setText(text);
    }
}

void BenchDispatcher::decodeIptCurrents(const QVariant& v)
{
    showCurrents(v);
    if (const int n = chosenCurrentChannel(m_form.iptGroup); n >= 0)
        m_statistics.setIIzm(element(v, n).toDouble());
}

void BenchDispatcher::decodeIptCurrentsCalib(const QVariant& v)
{
    showCurrents(v);
    if (const int n = chosenCurrentChannel(m_form.iptGroup); n >= 0 && m_hooks.calibrationCurrent)
        m_hooks.calibrationCurrent(element(v, n).toDouble());
}

}  // namespace bench
