#include "service/IptCalibration.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/Clock.h"
#include "link/DataType.h"
#include "service/IptLineFit.h"
#include "ui/model/Dialogs.h"

#include <array>
#include <cmath>
#include <optional>

namespace service {

namespace qid = bench::qid;
namespace reg = bench::reg;

namespace {

constexpr int PointCount = 2;
constexpr std::array<quint16, PointCount> PointCodes{0, 65535};
constexpr quint8 MeasurementMode = 0;

const QString DacWriteFailed = QStringLiteral("Не записать число в ЦАП AD420");

}  // namespace

IptCalibration::IptCalibration(shell::Context& ctx, ui::forms::Ipt2Page& page)
    : pause([&ctx](int ms) { comm::pause(ctx.clock, ms); }), m_ctx(ctx), m_page(page)
{
    m_page.TbMa.onChange = [this] { m_page.Label4.setCaption(QString::number(m_page.TbMa.position())); };
    m_page.Button1.onClick = [this] { writeCurrent(); };
    m_page.Button2.onClick = [this] { calibrate(); };
}

quint16 IptCalibration::codeForMa(int mA)
{
    // nearbyint rounds half to even in the default rounding mode.
    return quint16(std::nearbyint(mA * CodesPerMa));
}

// Both buttons drive the converter: neither may start while the other waits or pauses.
void IptCalibration::setBusy(bool busy)
{
    m_page.Button1.setEnabled(!busy);
    m_page.Button2.setEnabled(!busy);
}

void IptCalibration::writeCurrent()
{
    std::optional<shell::ModuleAccess::Hold> ipt = m_ctx.access.hold(m_ctx.modules.IptModule, QStringLiteral("идёт запись тока ИПТ"));
    if (!ipt)
        return;
    m_ipt = ipt->address();
    setBusy(true);
    const bool written = m_ctx.bench.connected
        && send(qid::IptDacWrite, reg::IptDac, comm::u16(codeForMa(m_page.TbMa.position())));
    setBusy(false);
    if (!written)
        ui::dialogs().message(DacWriteFailed);
}

void IptCalibration::calibrate()
{
    setBusy(true);
    m_page.PBIpt.setPosition(0);
    const int chosen = m_page.RgCanal.itemIndex();
    if (chosen < 0) {
        ui::dialogs().message(QStringLiteral("Канал-то выберите"));
        setBusy(false);
        return;
    }
    std::optional<shell::ModuleAccess::Hold> ipt = m_ctx.access.hold(m_ctx.modules.IptModule, QStringLiteral("идёт калибровка ИПТ"));
    if (!ipt || !m_ctx.bench.connected) {
        setBusy(false);
        return;
    }
    m_ipt = ipt->address();
    m_channelSelected = false;
    m_scaleWritten = false;
    const QString failure = runCalibration(chosen + 1);
    if (failure.isEmpty())
        ui::dialogs().message(QStringLiteral("Калибровка прошла успешно!"));
    if (m_channelSelected)
        returnToMeasurement();
    if (!failure.isEmpty()) {
        const QString kept = m_scaleWritten
            ? QStringLiteral("Масштаб канала записан новый, смещение осталось прежним.")
            : QStringLiteral("Прежние масштаб и смещение канала остаются в силе.");
        ui::dialogs().message(failure + QLatin1Char('\n') + kept);
    }
    setBusy(false);
}

// The calibration's steps; the words of the failure that stopped it, empty when it succeeded.
QString IptCalibration::runCalibration(int channel)
{
    Q_ASSERT(channel >= 1 && channel <= 4);
    std::array<qint32, PointCount> sums{};
    for (int i = 0; i < PointCount; ++i) {
        const QString point = QString::number(i + 1);
        if (!send(qid::IptDacWrite, reg::IptDac, comm::u16(PointCodes[size_t(i)])))
            return DacWriteFailed;
        advance();
        status(point + QStringLiteral(": записали код. Ждем 2 секунды"));
        pause(m_ctx.timing.iptCodeSettleMs);
        advance();
        if (!send(qid::IptCommand, reg::IptMode, comm::u8(quint8(channel))))
            return QStringLiteral("Не удалось записать номер канала");
        m_channelSelected = true;
        advance();
        status(point + QStringLiteral(": номер канала"));
        pause(m_ctx.timing.iptChannelSettleMs);
        advance();
        if (!readSums())
            return QStringLiteral("Не считать суммы из ИПТ");
        sums[size_t(i)] = m_ctx.state.values.IptSums[size_t(channel - 1)];
        advance();
    }
    status(QStringLiteral("Считали суммы"));
    const std::optional<IptLine> line = fitIptLine(sums[0], sums[1]);
    if (!line)
        return QStringLiteral("temp=0");
    if (!withinIptLimits(*line))
        return QStringLiteral("Где-то вышли за пределы");
    if (!send(qid::IptScaleWrite, reg::iptScale(channel), comm::f32(float(line->scale))))
        return QStringLiteral("Не удалось записать масштаб канала");
    m_scaleWritten = true;
    advance();
    if (!send(qid::IptOffsetWrite, reg::iptOffset(channel), comm::f32(float(line->offset))))
        return QStringLiteral("Не удалось записать смещение канала");
    advance();
    return {};
}

bool IptCalibration::send(int qid, int reg, const QVariant& value)
{
    return m_ctx.bench.step(m_ipt, qid,
                            [&](comm::MBComMaster& s) { s.WriteHoldRegs(qid, 0, reg, value); },
                            comm::Failure::quiet());
}

bool IptCalibration::readSums()
{
    return m_ctx.bench.step(m_ipt, qid::IptSumsRead,
                            [](comm::MBComMaster& s) {
                                s.ReadInputRegs(qid::IptSumsRead, 0, reg::IptSumsIn, int(comm::DataType::UInt32), 4);
                            },
                            comm::Failure::quiet());
}

void IptCalibration::returnToMeasurement()
{
    if (send(qid::IptCommand, reg::IptMode, comm::u8(MeasurementMode)))
        m_channelSelected = false;
    else
        ui::dialogs().message(QStringLiteral("Не удалось перевести ИПТ в режим измерений"));
}

void IptCalibration::advance()
{
    m_page.PBIpt.stepBy();
}

void IptCalibration::status(const QString& text)
{
    m_ctx.SB.setPanelText(0, text);
}

}  // namespace service
