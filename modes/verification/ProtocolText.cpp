#include "modes/verification/ProtocolText.h"

namespace verification {

namespace {
QString fixed(double v, int decimals = 3)
{
    return QString::number(v, 'f', decimals);
}

QString verdict(std::optional<bool> passed)
{
    if (!passed)
        return QStringLiteral("без оценки");
    return *passed ? QStringLiteral("соответствует") : QStringLiteral("не соответствует");
}

QString checkLine(const QString& caption, const Comparison& c)
{
    return QStringLiteral("%1: эталон %2, прибор %3, погрешность %4 % (допустимая %5 %) — %6")
        .arg(caption, fixed(c.reference, 4), fixed(c.measured, 4), fixed(c.errorPct()), fixed(c.permissiblePct, 2),
             verdict(c.passed()));
}
}  // namespace

QStringList protocolLines(const Protocol& p)
{
    QStringList lines{QStringLiteral("Протокол автоматической поверки"),
                      QStringLiteral("Дата и время: ") + p.started.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")),
                      QStringLiteral("Стенд: ") + p.bench,
                      QStringLiteral("Тип прибора: ") + p.meterType,
                      QStringLiteral("Заводской номер: ") + p.meter.serialNumber,
                      QStringLiteral("Владелец: ") + p.meter.owner,
                      QStringLiteral("Поверитель: ") + p.meter.operatorName,
                      QStringLiteral("Число автоциркуляций: %1, задержка dT: %2 нс")
                          .arg(p.autoCirculations)
                          .arg(fixed(p.delayNs))};
    for (const PointResult& point : p.points) {
        QString line = QStringLiteral("Точка %1 м3/ч").arg(point.point);
        if (point.imitatedFlow)
            line += QStringLiteral(" (имитация %1)").arg(fixed(*point.imitatedFlow));
        if (point.measured())
            line += QStringLiteral(": показаний %1, среднее %2, мин. %3, макс. %4, погрешность %5 % (допустимая %6 %) — %7")
                        .arg(point.readings.size())
                        .arg(fixed(point.mean()), fixed(point.minimum()), fixed(point.maximum()), fixed(point.errorPct()),
                             fixed(point.permissiblePct, 2), verdict(point.passed()));
        else
            line += QStringLiteral(": ") + caption::NotMeasured;
        lines.append(line);
    }
    for (const CheckRow& row : checkRows(p))
        lines.append(row.comparison ? checkLine(row.caption, *row.comparison)
                                    : row.caption + QStringLiteral(": ") + notDoneText(row.skipped));
    if (!p.complete)
        lines.append(QStringLiteral("Поверка не завершена: %1. Заключение не выносится.").arg(p.incompleteReason));
    else
        lines.append(QStringLiteral("Заключение: ") + conclusionText(p.conclusion()));
    return lines;
}

}  // namespace verification
