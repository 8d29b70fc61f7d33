#include "modes/verification/ProtocolPdf.h"

#include <QFile>
#include <QFont>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace verification {

namespace {
QString fixed(double v, int decimals = 3)
{
    return QString::number(v, 'f', decimals);
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString headerRow(const QString& caption, const QString& value)
{
    return QStringLiteral("<tr><td>%1</td><td>%2</td></tr>").arg(escaped(caption), escaped(value));
}

QString cells(const QStringList& values, const char* tag = "td")
{
    QString html = QStringLiteral("<tr>");
    for (const QString& v : values)
        html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), escaped(v));
    return html + QStringLiteral("</tr>");
}

QString verdict(std::optional<bool> passed)
{
    if (!passed)
        return QStringLiteral("—");
    return *passed ? QStringLiteral("соответствует") : QStringLiteral("не соответствует");
}

QString readingsText(const PointResult& p)
{
    if (!p.measured())
        return caption::NotMeasured;
    QStringList items;
    for (double r : p.readings)
        items.append(fixed(r));
    return items.join(QLatin1Char(' '));
}

QString pointsTable(const Protocol& protocol)
{
    QString html = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    html += cells({QStringLiteral("Точка, м3/ч"), QStringLiteral("Расход имитации, м3/ч"), QStringLiteral("Показания, м3/ч"),
                   QStringLiteral("Среднее"), QStringLiteral("Мин."), QStringLiteral("Макс."),
                   QStringLiteral("Погрешность, %"), QStringLiteral("Допустимая, %"), QStringLiteral("Результат")},
                  "th");
    for (const PointResult& p : protocol.points) {
        const bool m = p.measured();
        html += cells({QString::number(p.point), p.imitatedFlow ? fixed(*p.imitatedFlow) : QString(), readingsText(p), m ? fixed(p.mean()) : QString(),
                       m ? fixed(p.minimum()) : QString(), m ? fixed(p.maximum()) : QString(),
                       m ? fixed(p.errorPct()) : QString(), fixed(p.permissiblePct, 2), verdict(p.passed())});
    }
    return html + QStringLiteral("</table>");
}

QString checksTable(const Protocol& protocol)
{
    const QList<CheckRow> rows = checkRows(protocol);
    if (rows.isEmpty())
        return QString();
    QString html = QStringLiteral("<p></p><table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    html += cells({QStringLiteral("Проверка"), QStringLiteral("Эталон"), QStringLiteral("Прибор"),
                   QStringLiteral("Погрешность, %"), QStringLiteral("Допустимая, %"), QStringLiteral("Результат")},
                  "th");
    for (const CheckRow& row : rows) {
        if (const std::optional<Comparison>& c = row.comparison)
            html += cells({row.caption, fixed(c->reference, 4), fixed(c->measured, 4), fixed(c->errorPct()),
                           fixed(c->permissiblePct, 2), verdict(c->passed())});
        else
            html += cells({row.caption, QString(), QString(), QString(), QString(), notDoneText(row.skipped)});
    }
    return html + QStringLiteral("</table>");
}

QString conclusionParagraph(const Protocol& protocol)
{
    if (!protocol.complete)
        return QStringLiteral("<p><b>Поверка не завершена: %1. Заключение не выносится.</b></p>")
            .arg(escaped(protocol.incompleteReason));
    QString html = QStringLiteral("<p><b>Заключение: %1</b></p>").arg(conclusionText(protocol.conclusion()));
    const auto listed = [](const QList<int>& points) {
        QStringList items;
        for (int point : points)
            items.append(QString::number(point));
        return items.join(QStringLiteral(", "));
    };
    if (const QList<int> failed = protocol.failedPoints(); !failed.isEmpty())
        html += QStringLiteral("<p>Погрешность превышает допустимую в точках, м3/ч: %1</p>").arg(listed(failed));
    if (const QList<int> failed = protocol.failedCurrents(); !failed.isEmpty())
        html += QStringLiteral("<p>Погрешность токового выхода превышает допустимую в точках, м3/ч: %1</p>").arg(listed(failed));
    return html;
}
}  // namespace

QString protocolHtml(const Protocol& protocol)
{
    const VerificationParameters& par = protocol.parameters;
    QString html = QStringLiteral("<html><body><h2>Протокол автоматической поверки</h2><table cellpadding=\"2\">");
    html += headerRow(QStringLiteral("Дата и время"), protocol.started.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    html += headerRow(QStringLiteral("Стенд"), protocol.bench);
    html += headerRow(QStringLiteral("Тип прибора"), protocol.meterType);
    html += headerRow(QStringLiteral("Заводской номер"), protocol.meter.serialNumber);
    html += headerRow(QStringLiteral("Владелец"), protocol.meter.owner);
    html += headerRow(QStringLiteral("Поверитель"), protocol.meter.operatorName);
    html += headerRow(QStringLiteral("Число автоциркуляций"), QString::number(protocol.autoCirculations));
    html += headerRow(QStringLiteral("Задержка dT, нс"), fixed(protocol.delayNs));
    html += headerRow(QStringLiteral("Время установления расхода, с"), fixed(par.settleMs / 1000.0, 1));
    html += headerRow(QStringLiteral("Показаний в точке"), QString::number(par.readings));
    html += headerRow(QStringLiteral("Период показаний, с"), fixed(par.periodMs / 1000.0, 1));
    html += headerRow(QStringLiteral("Время установления проверки объема, с"), fixed(par.volumeSettleMs / 1000.0, 1));
    html += headerRow(QStringLiteral("Объем проверки, м3"), QString::number(par.volume));
    html += QStringLiteral("</table><p></p>");
    html += pointsTable(protocol) + checksTable(protocol) + conclusionParagraph(protocol);
    return html + QStringLiteral("</body></html>");
}

bool writeProtocolPdf(const Protocol& protocol, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(QStringLiteral("Протокол поверки ") + protocol.meter.serialNumber);
        QTextDocument document;
        // Small enough that the nine columns of the points keep their words whole on A4.
        QFont font = document.defaultFont();
        font.setPointSizeF(8);
        document.setDefaultFont(font);
        document.setHtml(protocolHtml(protocol));
        document.print(&writer);
    }
    return file.error() == QFileDevice::NoError;
}

}  // namespace verification
