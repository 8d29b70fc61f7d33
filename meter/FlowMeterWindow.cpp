#include "meter/FlowMeterWindow.h"

#include "link/DataType.h"
#include "link/Result.h"
#include "meter/MeterQids.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"
#include "ui/model/UserError.h"

#include <limits>

namespace meter {

namespace {
const QString kPositionSection = QStringLiteral("FlowForm");

// The window's requests; the status words (qid::StatusWords) come from the polling.
constexpr int kVolumeResetQid = 5;
constexpr int kZeroShiftReadQid = 6;
constexpr int kCutOffReadQid = 7;
constexpr int kImitatorQid = 8;
constexpr int kWorkModeQid = 9;
constexpr int kZeroShiftWriteQid = 10;
constexpr int kCutOffWriteQid = 11;
constexpr int kPulseOutputQid = 12;
constexpr int kWindowShiftReadQid = 13;
constexpr int kWindowShiftWriteQid = 14;

// The meter's registers and coils.
constexpr int kWorkModeReg = 15;
constexpr int kPulseOutputReg = 21;
constexpr int kZeroShiftReg = 24;
constexpr int kCutOffReg = 31;
constexpr int kImitatorCoil = 3;
constexpr quint8 kVolumeResetValue = 2;

struct ChannelRegisters {
    int flow;
    int volume;
    int volumeReset;
    int windowShift;
};
constexpr ChannelRegisters kChannels[] = {{210, 219, 27, 78}, {235, 244, 28, 161}};

// Bit 3 of a channel's status word: no ultrasonic signal.
constexpr quint32 kNoSignalBit = 8;

// Every answer reports in the status line: the prefix, then the Result text.
comm::Route statusRow(ui::StatusBar& sb, const QString& prefix)
{
    return {nullptr, {}, [&sb, prefix](const comm::Exchange& e) { sb.setPanelText(0, prefix + comm::resultText(e.result)); }};
}

// A success has its own words; a failure is told by the prefix and the Result text.
comm::Route outcomeRow(ui::StatusBar& sb, const QString& success, const QString& failurePrefix)
{
    return {nullptr, {}, [&sb, success, failurePrefix](const comm::Exchange& e) {
                sb.setPanelText(0, e.ok() ? success : failurePrefix + comm::resultText(e.result));
            }};
}

// A read shows its value in the field, or the Result text when it failed.
comm::Route fieldRow(ui::Edit& field, QString (*format)(const QVariant&))
{
    return {nullptr, [&field, format](const comm::Exchange& e) { field.setText(format(e.element(0))); },
            [&field](const comm::Exchange& e) {
                if (!e.ok())
                    field.setText(comm::resultText(e.result));
            }};
}

QString asFloat(const QVariant& v)
{
    return input::format3(v.toDouble());
}

QString asInteger(const QVariant& v)
{
    return QString::number(v.toInt());
}

// The meter reads the window shift back as a signed word; a value beyond it would come back
// as another number.
qint16 windowShiftOf(const QString& text)
{
    const int shift = input::StrToInt(text);
    constexpr int lowest = std::numeric_limits<qint16>::min();
    constexpr int highest = std::numeric_limits<qint16>::max();
    if (shift < lowest || shift > highest)
        throw ui::UserError(QStringLiteral("Смещение окна должно быть от %1 до %2").arg(lowest).arg(highest));
    return qint16(shift);
}
}  // namespace

TFlowMeterForm::TFlowMeterForm(shell::Context& ctx, std::function<void()> restartPolling)
    : m_ctx(ctx), m_restartPolling(std::move(restartPolling))
{
    Q_ASSERT(m_restartPolling);
    registerRows();
    form.rgCanal.onClick = [this] { rgCanalClick(); };
    form.Button1.onClick = [this] { Button1Click(); };
    form.Button5.onClick = [this] { Button5Click(); };
    form.Button3.onClick = [this] { Button3Click(); };
    form.Button2.onClick = [this] { Button2Click(); };
    form.Button6.onClick = [this] { Button6Click(); };
    form.cbxOut.onChange = [this] { cbxOutChange(); };
    form.chbImit.onClick = [this] { chbImitClick(); };
    form.RGWork.onClick = [this] { RGWorkClick(); };
    settings::restorePosition(settings::IniFile(settings::ztaIniPath()), kPositionSection, form,
                              ui::dialogs().screenSize());
}

TFlowMeterForm::~TFlowMeterForm()
{
    settings::IniFile ini(settings::ztaIniPath());
    settings::storePosition(ini, kPositionSection, form);
}

void TFlowMeterForm::registerRows()
{
    comm::RouteTable& routes = m_ctx.meter.routes;
    ui::StatusBar& sb = form.SB;
    routes.add(kVolumeResetQid, statusRow(sb, QStringLiteral("Сброс оъема: ")));
    routes.add(kZeroShiftReadQid, fieldRow(form.EdtShift, asFloat));
    routes.add(kCutOffReadQid, fieldRow(form.EdtOtsek, asFloat));
    routes.add(kImitatorQid, outcomeRow(sb, QStringLiteral("подключ. имитатора ОК"), QStringLiteral("8: ")));
    routes.add(kWorkModeQid, outcomeRow(sb, QStringLiteral("режим работы ОК"), QStringLiteral("9: ")));
    routes.add(kZeroShiftWriteQid, statusRow(sb, QStringLiteral("Смещение нуля: ")));
    routes.add(kCutOffWriteQid, statusRow(sb, QStringLiteral("Отсечка: ")));
    routes.add(kPulseOutputQid, statusRow(sb, QStringLiteral("Импульсный выход: ")));
    routes.add(kWindowShiftReadQid, fieldRow(form.EdtWindow, asInteger));
    routes.add(kWindowShiftWriteQid, statusRow(sb, QStringLiteral("Смещение окна: ")));
    // Message 0x402, sent by the answer itself: handled here at once.
    routes.add(qid::StatusWords, {nullptr, {}, [this](const comm::Exchange& e) { statusWordsAnswered(e); }});
}

void TFlowMeterForm::statusWordsAnswered(const comm::Exchange& e)
{
    if (!e.ok()) {
        form.lblErr.setCaption(comm::resultText(e.result));
        return;
    }
    if (channel() == 0)
        return;
    const quint32 word = e.element(channel() - 1).toUInt();
    form.lblErr.setCaption(word & kNoSignalBit ? QStringLiteral("НЕТ УЗС") : QStringLiteral("OK"));
}

void TFlowMeterForm::showFlow(double q)
{
    form.EdtQ.setText(input::format3(q));
}

void TFlowMeterForm::showVolume(double v)
{
    form.EdtV.setText(input::format3(v));
}

void TFlowMeterForm::rgCanalClick()
{
    Q_ASSERT(channel() != 0);
    Canal = channel() - 1;
    form.Button2.setEnabled(true);
    const ChannelRegisters& regs = kChannels[Canal];
    m_ctx.Pribor.RegQ = regs.flow;
    m_ctx.Pribor.RegV = regs.volume;
    m_restartPolling();
}

void TFlowMeterForm::Button1Click()
{
    if (!connected())
        return;
    server().WriteHoldRegs(kVolumeResetQid, 0, kChannels[Canal].volumeReset, comm::u8(kVolumeResetValue));
}

void TFlowMeterForm::Button5Click()
{
    if (!connected())
        return;
    const float shift = float(input::AnySepStrToFloat(form.EdtShift.text()));
    server().WriteHoldRegs(kZeroShiftWriteQid, 0, kZeroShiftReg, comm::f32(shift));
}

void TFlowMeterForm::Button3Click()
{
    if (!connected())
        return;
    const float cutOff = float(input::AnySepStrToFloat(form.EdtOtsek.text()));
    server().WriteHoldRegs(kCutOffWriteQid, 0, kCutOffReg, comm::f32(cutOff));
}

// Enabled only once a channel is chosen.
void TFlowMeterForm::Button2Click()
{
    Q_ASSERT(channel() != 0);
    const qint16 shift = windowShiftOf(form.EdtWindow.text());
    server().WriteHoldRegs(kWindowShiftWriteQid, 0, kChannels[channel() - 1].windowShift, comm::u16(quint16(shift)));
}

void TFlowMeterForm::Button6Click()
{
    form.EdtOtsek.setText(QString());
    form.EdtShift.setText(QString());
    const int floatType = int(comm::DataType::Float);
    server().ReadHoldRegs(kZeroShiftReadQid, 0, kZeroShiftReg, floatType, 1);
    server().ReadHoldRegs(kCutOffReadQid, 0, kCutOffReg, floatType, 1);
    if (channel() != 0)
        server().ReadHoldRegs(kWindowShiftReadQid, 0, kChannels[channel() - 1].windowShift,
                              int(comm::DataType::Int16), 1);
}

void TFlowMeterForm::cbxOutChange()
{
    if (!connected())
        return;
    Q_ASSERT(form.cbxOut.itemIndex() >= 0);
    setStatus(QString());
    server().WriteHoldRegs(kPulseOutputQid, 0, kPulseOutputReg, comm::u16(quint16(form.cbxOut.itemIndex())));
}

void TFlowMeterForm::chbImitClick()
{
    server().WriteHoldBins(kImitatorQid, 0, kImitatorCoil, comm::boolean(form.chbImit.isChecked()));
}

void TFlowMeterForm::RGWorkClick()
{
    if (!connected())
        return;
    Q_ASSERT(form.RGWork.itemIndex() >= 0);
    server().WriteHoldRegs(kWorkModeQid, 0, kWorkModeReg, comm::u8(quint8(form.RGWork.itemIndex())));
}

}  // namespace meter
