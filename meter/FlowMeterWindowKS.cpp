#include "meter/FlowMeterWindowKS.h"

#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"
#include "ui/model/Messages.h"
#include "ui/model/UserError.h"

#include <cmath>

namespace meter {

namespace {
const QString kPositionSection = QStringLiteral("FlowFormKS");

// Requests of this window on the meter line.
namespace ks {
constexpr int Verification = 16;
constexpr int MeasuredChannel = 18;
constexpr int ReadMed = 20;
constexpr int ReadArifm = 21;
constexpr int ReadUZS = 22;
constexpr int ReadShift = 23;
constexpr int ReadOtsek = 24;
constexpr int ReadAc = 25;
constexpr int ChannelCount = 26;
constexpr int VolumeReset = 27;
constexpr int SlotKinds = 28;  // answered in the slot window
constexpr int WriteMed = -20;
constexpr int WriteArifm = -21;
constexpr int WriteUZS = -22;
constexpr int WriteShift = -23;
constexpr int WriteOtsek = -24;
constexpr int MeasurementMode = -26;  // its answer is of no interest
}  // namespace ks

// Meter registers; per-channel ones are the first channel's, the others follow.
namespace reg {
constexpr int SlotKinds = 7;
constexpr int ChannelCount = 26;
constexpr int Verification = 74;
constexpr int MeasuredChannel = 75;
constexpr int MeasurementMode = 79;
constexpr int VolumeReset = 83;
constexpr int Med = 280;
constexpr int Arifm = 284;
constexpr int AutoCirc = 16480;
constexpr int Flow = 49592;
constexpr int Volume = 49600;
constexpr int UZS = 49864;
constexpr int Shift = 49872;
constexpr int Otsek = 49880;
}  // namespace reg

constexpr int kFloatRegisters = 2;
constexpr quint8 kStartVerification = 2;
constexpr quint8 kStopVerification = 1;

const QString kReadError = QStringLiteral("ошибка");

// A byte field's text: the nearest integer (a half goes to the even neighbour). The meter keeps
// one byte, so a value beyond it stops the write instead of sending its low 8 bits, which would
// set the meter to a length nobody chose.
quint8 byteOf(const QString& text)
{
    const double value = std::nearbyint(input::AnySepStrToFloat(text));
    if (value < 0 || value > 255)
        throw ui::UserError(QStringLiteral("Длина буфера усреднения «%1» вне пределов: допустимо от 0 до 255.").arg(text));
    return quint8(value);
}

QVariant floatOf(const QString& text)
{
    return comm::f32(float(input::AnySepStrToFloat(text)));
}

QString decimal(int v)
{
    return QString::number(v);
}
}  // namespace

TFlowMeterFormKS::TFlowMeterFormKS(shell::Context& ctx, PeripheryWindows& periphery,
                                   std::function<void()> restartPolling)
    : m_ctx(ctx), m_periphery(periphery), m_restartPolling(std::move(restartPolling))
{
    Q_ASSERT(m_restartPolling);
    form.RgCanal.setItems({});
    registerRows();
    form.RgCanal.onClick = [this] { ui::postMessage(&form, [this] { channelChosen(); }); };
    form.Button7.onClick = [this] { Button7Click(); };
    form.Button6.onClick = [this] { Button6Click(); };
    form.Button1.onClick = [this] { Button1Click(); };
    form.Button5.onClick = [this] { Button5Click(); };
    form.Button9.onClick = [this] { Button9Click(); };
    form.Button8.onClick = [this] { Button8Click(); };
    form.BtnSetup.onClick = [this] { BtnSetupClick(); };
    settings::restorePosition(settings::IniFile(settings::ztaIniPath()), kPositionSection, form,
                              ui::dialogs().screenSize());
}

TFlowMeterFormKS::~TFlowMeterFormKS()
{
    settings::IniFile ini(settings::ztaIniPath());
    settings::storePosition(ini, kPositionSection, form);
}

void TFlowMeterFormKS::registerRows()
{
    comm::RouteTable& routes = m_ctx.meter.routes;
    routes.add(ks::Verification, {nullptr, {}, [this](const comm::Exchange& e) {
                                      form.Button7.setEnabled(true);
                                      form.SB.setPanelText(0, QStringLiteral("Старт/Стоп: ") + comm::resultText(e.result));
                                  }});
    routes.add(ks::MeasuredChannel, {nullptr, {}, [this](const comm::Exchange& e) {
                                         if (!e.ok())
                                             clearChoice();
                                     }});
    routes.add(qid::CurrentRegime, {nullptr, [this](const comm::Exchange& e) { setCurRegim(e.element(0).toInt()); },
                                    [this](const comm::Exchange& e) {
                                        if (!e.ok())
                                            form.lblStat.setCaption(QStringLiteral("ошибка чтения"));
                                    }});

    registerArrayRead(ks::ReadMed, form.EdtMed, [this](const comm::Exchange& e) {
        for (int c = 0; c < MaxChannels; ++c)
            Med[c] = quint8(e.element(c).toUInt());
    });
    registerArrayRead(ks::ReadArifm, form.EdtArifm, [this](const comm::Exchange& e) {
        for (int c = 0; c < MaxChannels; ++c)
            Arifm[c] = quint8(e.element(c).toUInt());
    });
    registerArrayRead(ks::ReadUZS, form.EdtUZS, [this](const comm::Exchange& e) {
        for (int c = 0; c < MaxChannels; ++c)
            UZS[c] = e.element(c).toDouble();
    });
    registerArrayRead(ks::ReadShift, form.EdtShift, [this](const comm::Exchange& e) {
        for (int c = 0; c < MaxChannels; ++c)
            ShiftZero[c] = e.element(c).toDouble();
    });
    registerArrayRead(ks::ReadOtsek, form.EdtOtsek, [this](const comm::Exchange& e) {
        for (int c = 0; c < MaxChannels; ++c)
            Otsek[c] = e.element(c).toDouble();
    });
    // Kept for the next channel choice; a failure leaves the previous values.
    routes.add(ks::ReadAc, {nullptr,
                            [this](const comm::Exchange& e) {
                                for (int c = 0; c < MaxChannels; ++c)
                                    AC[c] = quint16(e.element(c).toUInt());
                            },
                            {}});
    routes.add(ks::ChannelCount, {nullptr, [this](const comm::Exchange& e) { channelCountAnswered(e); },
                                  [this](const comm::Exchange& e) {
                                      if (!e.ok())
                                          form.SB.setPanelText(0, QStringLiteral("Кол-во каналов: ")
                                                                      + comm::resultText(e.result));
                                  }});

    registerStatus(ks::VolumeReset, QStringLiteral("Сброс объема: "));
    registerStatus(ks::WriteMed, QStringLiteral("Медианное усреднение: "));
    registerStatus(ks::WriteArifm, QStringLiteral("Арифметические усреднение: "));
    registerStatus(ks::WriteUZS, QStringLiteral("УЗС: "));
    registerStatus(ks::WriteShift, QStringLiteral("Смещение нуля: "));
    registerStatus(ks::WriteOtsek, QStringLiteral("Измерения: "));
}

// A read of all four channels: stored and the chosen one shown, or "ошибка" in its field.
void TFlowMeterFormKS::registerArrayRead(int qid, ui::Edit& field,
                                         const std::function<void(const comm::Exchange&)>& store)
{
    m_ctx.meter.routes.add(qid, {nullptr,
                                 [this, store](const comm::Exchange& e) {
                                     store(e);
                                     ShowValues();
                                 },
                                 [&field](const comm::Exchange& e) {
                                     if (!e.ok())
                                         field.setText(kReadError);
                                 }});
}

void TFlowMeterFormKS::registerStatus(int qid, const QString& words)
{
    m_ctx.meter.routes.add(qid, {nullptr, {}, [this, words](const comm::Exchange& e) {
                                     form.SB.setPanelText(0, words + comm::resultText(e.result));
                                 }});
}

void TFlowMeterFormKS::ShowAll()
{
    m_periphery.showPeriphery();
    m_ctx.meter.server.ReadInputRegs(ks::ChannelCount, 0, reg::ChannelCount, int(comm::DataType::UInt8), 1);
    form.show();
}

void TFlowMeterFormKS::HideAll()
{
    m_periphery.hidePeriphery();
    form.hide();
}

void TFlowMeterFormKS::setCurRegim(int r)
{
    FCurRegim = r;
    const bool working = r == 0;
    form.lblStat.setCaption(working ? QStringLiteral("Рабочий") : QStringLiteral("Поверка"));
    form.Button7.setCaption(working ? QStringLiteral("Старт поверки") : QStringLiteral("Стоп поверки"));
    poverka = working ? kStartVerification : kStopVerification;
    if (r == 1)
        m_periphery.hidePeriphery();
    form.BtnSetup.setEnabled(working);
    form.Button7.setEnabled(true);
}

void TFlowMeterFormKS::showFlow(double q)
{
    form.EdtQ.setText(input::format3(q));
}

void TFlowMeterFormKS::showVolume(double v)
{
    form.EdtV.setText(input::format3(v));
}

void TFlowMeterFormKS::showAutoCirculations(int count)
{
    form.EdtAc.setText(decimal(count));
}

void TFlowMeterFormKS::ShowValues()
{
    if (m_canal < 0)
        return;
    form.EdtMed.setText(decimal(Med[m_canal]));
    form.EdtArifm.setText(decimal(Arifm[m_canal]));
    form.EdtAc.setText(decimal(AC[m_canal]));
    form.EdtShift.setText(input::format4(ShiftZero[m_canal]));
    form.EdtUZS.setText(input::format4(UZS[m_canal]));
    form.EdtOtsek.setText(input::format4(Otsek[m_canal]));
    m_ctx.AutoCircCount() = AC[m_canal];
}

// The list offers the meter's channels, at most as many as the arrays hold; the choice made
// before stays when it still exists.
void TFlowMeterFormKS::channelCountAnswered(const comm::Exchange& e)
{
    const int reported = e.element(0).toInt();
    const int offered = std::min(reported, MaxChannels);
    QStringList items;
    for (int c = 1; c <= offered; ++c)
        items.append(decimal(c));
    const int previous = form.RgCanal.itemIndex();
    form.RgCanal.setItems(items);
    form.RgCanal.setItemIndex(previous);
    if (reported > MaxChannels)
        form.SB.setPanelText(0, QStringLiteral("Каналов в приборе: %1, в окне доступны первые %2")
                                    .arg(reported)
                                    .arg(MaxChannels));
    ui::postMessage(&form, [this] { channelChosen(); });
}

// Message 0x403. Without a chosen channel no channel is polled (the regime still is) and the
// meter's measured channel is left alone.
void TFlowMeterFormKS::channelChosen()
{
    m_canal = form.RgCanal.itemIndex();
    Q_ASSERT(m_canal < MaxChannels);
    TPribor& pribor = m_ctx.Pribor;
    if (m_canal < 0) {
        pribor.RegQ = -1;
        pribor.RegV = -1;
        pribor.RegAc = -1;
        m_restartPolling();
        return;
    }
    pribor.RegQ = reg::Flow + kFloatRegisters * m_canal;
    pribor.RegV = reg::Volume + kFloatRegisters * m_canal;
    pribor.RegAc = reg::AutoCirc + m_canal;
    m_restartPolling();
    if (OneCanal)
        m_ctx.meter.server.WriteHoldRegs(ks::MeasuredChannel, 0, reg::MeasuredChannel, comm::u8(quint8(m_canal)));
    ShowValues();
}

// The meter refused the measured channel: the choice is undone, and so is its polling.
void TFlowMeterFormKS::clearChoice()
{
    form.RgCanal.setItemIndex(-1);
    ui::postMessage(&form, [this] { channelChosen(); });
}

int TFlowMeterFormKS::channelToWrite() const
{
    if (m_canal < 0)
        throw ui::UserError(QStringLiteral("Выберите канал"));
    return m_canal;
}

void TFlowMeterFormKS::Button7Click()
{
    if (!m_ctx.meter.connected)
        return;
    if (m_periphery.calibrating()) {
        ui::dialogs().message(QStringLiteral("Остановите калибровку токовых слотов"));
        return;
    }
    m_periphery.hidePeriphery();
    form.Button7.setEnabled(false);
    form.BtnSetup.setEnabled(false);
    m_ctx.meter.server.WriteHoldRegs(ks::Verification, 0, reg::Verification, comm::u8(poverka));
}

void TFlowMeterFormKS::Button6Click()
{
    for (ui::Edit* e : {&form.EdtOtsek, &form.EdtShift, &form.EdtUZS, &form.EdtAc, &form.EdtMed, &form.EdtArifm})
        e->setText(QString());
    comm::MBComMaster& meter = m_ctx.meter.server;
    const int u8 = int(comm::DataType::UInt8);
    const int f32 = int(comm::DataType::Float);
    meter.ReadHoldRegs(ks::ReadMed, 0, reg::Med, u8, MaxChannels);
    meter.ReadHoldRegs(ks::ReadArifm, 0, reg::Arifm, u8, MaxChannels);
    meter.ReadHoldRegs(ks::ReadUZS, 0, reg::UZS, f32, MaxChannels);
    meter.ReadHoldRegs(ks::ReadShift, 0, reg::Shift, f32, MaxChannels);
    meter.ReadHoldRegs(ks::ReadOtsek, 0, reg::Otsek, f32, MaxChannels);
    meter.ReadInputRegs(ks::ReadAc, 0, reg::AutoCirc, int(comm::DataType::UInt16), MaxChannels);
    meter.ReadInputRegs(ks::ChannelCount, 0, reg::ChannelCount, u8, 1);
    meter.ReadHoldRegs(ks::SlotKinds, 0, reg::SlotKinds, u8, 2);
}

// Every field is converted before the first write, so a bad one sends nothing.
void TFlowMeterFormKS::Button1Click()
{
    if (!m_ctx.meter.connected)
        return;
    const int ch = channelToWrite();
    const quint8 med = byteOf(form.EdtMed.text());
    const QVariant otsek = floatOf(form.EdtOtsek.text());
    const QVariant uzs = floatOf(form.EdtUZS.text());
    const quint8 arifm = byteOf(form.EdtArifm.text());
    comm::MBComMaster& meter = m_ctx.meter.server;
    meter.WriteHoldRegs(ks::WriteMed, 0, reg::Med + ch, comm::u8(med));
    meter.WriteHoldRegs(ks::WriteOtsek, 0, reg::Otsek + kFloatRegisters * ch, otsek);
    meter.WriteHoldRegs(ks::WriteUZS, 0, reg::UZS + kFloatRegisters * ch, uzs);
    meter.WriteHoldRegs(ks::WriteArifm, 0, reg::Arifm + ch, comm::u8(arifm));
}

void TFlowMeterFormKS::Button5Click()
{
    if (!m_ctx.meter.connected)
        return;
    const int ch = channelToWrite();
    m_ctx.meter.server.WriteHoldRegs(ks::WriteShift, 0, reg::Shift + kFloatRegisters * ch,
                                     floatOf(form.EdtShift.text()));
}

void TFlowMeterFormKS::Button9Click()
{
    if (!m_ctx.meter.connected)
        return;
    const int ch = channelToWrite();
    m_ctx.meter.server.WriteHoldRegs(ks::VolumeReset, 0, reg::VolumeReset + ch, comm::u8(1));
}

void TFlowMeterFormKS::Button8Click()
{
    m_ctx.meter.server.WriteHoldRegs(ks::MeasurementMode, 0, reg::MeasurementMode,
                                     comm::u8(quint8(form.cbxIzm.itemIndex())));
}

void TFlowMeterFormKS::BtnSetupClick()
{
    m_periphery.showSlots();
}

}  // namespace meter
