#include "meter/MeterDispatcher.h"

#include "bench/BenchDispatcher.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "meter/MeterTypes.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"

namespace meter {

namespace {
constexpr int kPollPeriodMs = 1000;
constexpr int kStatusPeriodMs = 2000;
constexpr int kStatusWordsReg = 254;
constexpr int kRegimeReg = 29;
constexpr int kChannelCoil = 2;
}  // namespace

MeterDispatcher::MeterDispatcher(ui::forms::MainForm& form, comm::MBComMaster& meter, bench::TPZTA& meterModule,
                                 const TPribor& pribor, const int& priborType, qint32& autoCircCount,
                                 MeterWindows& windows, bench::StatisticsInputs& statistics, Hooks hooks)
    : m_form(form), m_meter(meter), m_meterModule(meterModule), m_pribor(pribor), m_priborType(priborType),
      m_autoCircCount(autoCircCount), m_windows(windows), m_statistics(statistics), m_hooks(std::move(hooks))
{
    m_form.config.BitBtn7.onClick = [this] { BitBtn7Click(); };
}

void MeterDispatcher::restartPolling()
{
    if (!m_hooks.lineUp || !m_hooks.lineUp())
        return;
    m_meter.setDeviceAddres(m_meterModule.Adr);
    m_meter.FreeAllTasks();
    const int floatType = int(comm::DataType::Float);
    if (m_priborType == TypeMultiChannel) {
        if (m_pribor.RegV != -1)
            m_meter.ReadInputRegs(qid::Volume, kPollPeriodMs, m_pribor.RegV, floatType, 1);
        if (m_pribor.RegQ != -1)
            m_meter.ReadInputRegs(qid::Flow, kPollPeriodMs, m_pribor.RegQ, floatType, 1);
        m_meter.ReadInputRegs(qid::CurrentRegime, kPollPeriodMs, kRegimeReg, int(comm::DataType::UInt8), 1);
    } else {
        if (m_pribor.RegV != -1)
            m_meter.ReadHoldRegs(qid::Volume, kPollPeriodMs, m_pribor.RegV, floatType, 1);
        if (m_pribor.RegQ != -1)
            m_meter.ReadHoldRegs(qid::Flow, kPollPeriodMs, m_pribor.RegQ, floatType, 1);
        if (m_priborType == TypeSingleWindow)
            m_meter.ReadHoldRegs(qid::StatusWords, kStatusPeriodMs, kStatusWordsReg, int(comm::DataType::UInt16), 2);
    }
    m_meter.WriteHoldBins(qid::ChannelCoil, 0, kChannelCoil, comm::boolean(m_windows.singleChannel() == 2));
}

void MeterDispatcher::BitBtn7Click()
{
    auto& cfg = m_form.config;
    cfg.Edit4.setText(QString());
    m_meterModule.Adr = quint8(input::StrToInt(cfg.edtadrp.text()));
    m_meter.setDeviceAddres(m_meterModule.Adr);
    cfg.BitBtn7.setEnabled(false);
    cfg.BtnSetup.setEnabled(false);
    m_meter.GetDeviceName(qid::DeviceName);
}

void MeterDispatcher::showVolume(double v)
{
    m_form.imitV.edtnabor.setText(input::format4(v));
    m_statistics.setVIzm(v);
}

void MeterDispatcher::showFlow(double q)
{
    m_form.imitQ.EdtRashQ1.setText(input::format3(q));
    m_statistics.setQIzm(q);
}

void MeterDispatcher::MBCM1Exchange(int qidValue, int mbAddr, int, const QVariant& value, int result)
{
    auto& cfg = m_form.config;
    const bool ok = result == 0;
    const QVariant first = bench::element(value, 0);
    switch (qidValue) {
    case qid::DeviceName:
        cfg.BitBtn7.setEnabled(true);
        cfg.BtnSetup.setEnabled(true);
        if (ok) {
            cfg.Edit4.setText(value.toString());
            m_meterModule.Adr = quint8(mbAddr);
        } else {
            cfg.Edit4.setText(comm::resultText(result));
        }
        break;
    case qid::Volume:
        if (ok)
            showVolume(first.toDouble());
        else
            m_form.imitV.edtnabor.setText(QStringLiteral("Ошибка"));
        break;
    case qid::Flow:
        if (ok)
            showFlow(first.toDouble());
        else
            m_form.imitQ.EdtRashQ1.setText(comm::resultText(result));
        break;
    case qid::AutoCirc:
        if (ok) {
            m_autoCircCount = first.toInt();
            // The multi-channel meter counts one autocirculation more than it performs.
            const int shown = m_priborType == TypeMultiChannel ? m_autoCircCount - 1 : m_autoCircCount;
            cfg.edtac.setText(QString::number(shown));
        } else {
            cfg.edtac.setText(comm::resultText(result));
        }
        break;
    case qid::StatusWords:
        if (m_hooks.statusWords) {
            const quint32 words = ok ? (bench::element(value, 1).toUInt() << 16) + (first.toUInt() & 0xFFFF) : 0;
            m_hooks.statusWords(result, words);
        }
        break;
    case qid::CurrentRegime:
        if (ok)
            m_windows.CurRegim = first.toInt();
        break;
    default:
        break;  // answers of requests without a handler, among them the channel coil write
    }
}

}  // namespace meter
