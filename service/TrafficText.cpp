#include "service/TrafficText.h"

#include "link/Result.h"

#include <QDateTime>

namespace service {

namespace {

// Column widths; "Расходомер" is the longest line name.
constexpr int TimeWidth = 12;
constexpr int LineWidth = 10;
constexpr int AddressWidth = 3;
constexpr int FunctionWidth = 2;
constexpr int RegisterWidth = 5;
constexpr int CountWidth = 3;
constexpr int QidWidth = 5;
constexpr int ResultWidth = 3;
constexpr int DurationWidth = 7;

QString hexOf(const QByteArray& frame)
{
    return frame.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(frame.toHex(' ').toUpper());
}

QString columns(const QStringList& cells)
{
    return cells.join(QLatin1Char(' '));
}

}  // namespace

QString trafficHeader()
{
    return columns({QStringLiteral("Время").leftJustified(TimeWidth), QStringLiteral("Линия").leftJustified(LineWidth),
                    QStringLiteral("Адр").rightJustified(AddressWidth), QStringLiteral("Фн").rightJustified(FunctionWidth),
                    QStringLiteral("Рег").rightJustified(RegisterWidth), QStringLiteral("Кол").rightJustified(CountWidth),
                    QStringLiteral("QID").rightJustified(QidWidth), QStringLiteral("Рез").rightJustified(ResultWidth),
                    QStringLiteral("мс").rightJustified(DurationWidth), QStringLiteral("Передано / Принято")});
}

QString trafficLine(const comm::TrafficEntry& entry)
{
    const comm::ExchangeRecord& r = entry.record;
    QString line = columns(
        {QDateTime::fromMSecsSinceEpoch(r.finishedAtMs).toString(QStringLiteral("hh:mm:ss.zzz")),
         entry.line.leftJustified(LineWidth), QString::number(r.address).rightJustified(AddressWidth),
         QStringLiteral("%1").arg(r.function, FunctionWidth, 16, QLatin1Char('0')).toUpper(),
         QString::number(r.reg).rightJustified(RegisterWidth), QString::number(r.count).rightJustified(CountWidth),
         QString::number(r.qid).rightJustified(QidWidth), QString::number(r.result).rightJustified(ResultWidth),
         QString::number(r.durationMs, 'f', 1).rightJustified(DurationWidth),
         QStringLiteral("> ") + hexOf(r.sentFrame()), QStringLiteral("< ") + hexOf(r.receivedFrame())});
    if (r.result != comm::ResultOk)
        line += QStringLiteral("  ") + comm::resultText(r.result);
    return line;
}

}  // namespace service
