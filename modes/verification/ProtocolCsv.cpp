#include "modes/verification/ProtocolCsv.h"

#include <QLocale>
#include <QStringList>

#include <functional>

namespace verification {

namespace {
const QByteArray kBom("\xEF\xBB\xBF");
const QString kTitle = QStringLiteral("Протокол автоматической поверки");
const QString kPointsCaption = QStringLiteral("Точка, м3/ч");
const QString kConclusion = QStringLiteral("Заключение");
const QString kYes = QStringLiteral("да");
const QString kNo = QStringLiteral("нет");
const QStringList kPointColumns{kPointsCaption,
                                QStringLiteral("Расход имитации, м3/ч"),
                                QStringLiteral("Показания, м3/ч"),
                                QStringLiteral("Среднее, м3/ч"),
                                QStringLiteral("Минимум, м3/ч"),
                                QStringLiteral("Максимум, м3/ч"),
                                QStringLiteral("Погрешность, %"),
                                QStringLiteral("Допустимая погрешность, %"),
                                QStringLiteral("Результат"),
                                QStringLiteral("Расчетный ток, мА"),
                                QStringLiteral("Измеренный ток, мА"),
                                QStringLiteral("Погрешность тока, %"),
                                QStringLiteral("Допустимая погрешность тока, %"),
                                QStringLiteral("Результат по току")};
// Where the current's cells begin in a point's row.
constexpr int kCurrentColumn = 9;
const QStringList kCheckColumns{QStringLiteral("Проверка"), QStringLiteral("Эталон"), QStringLiteral("Прибор"),
                                QStringLiteral("Погрешность, %"), QStringLiteral("Допустимая погрешность, %"),
                                QStringLiteral("Результат")};

QString number(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString verdictText(std::optional<bool> passed)
{
    if (!passed)
        return QString();
    return *passed ? QStringLiteral("соответствует") : QStringLiteral("не соответствует");
}

// One header field: its caption, how it is written and how it is read back.
struct Field {
    QString caption;
    std::function<QString(const Protocol&)> get;
    std::function<bool(Protocol&, const QString&)> set;
};

bool toDouble(const QString& text, double& value)
{
    bool ok = false;
    value = text.toDouble(&ok);
    return ok;
}

bool toInt(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

Field textField(const QString& caption, QString Protocol::*member)
{
    return {caption, [member](const Protocol& p) { return p.*member; },
            [member](Protocol& p, const QString& t) {
                p.*member = t;
                return true;
            }};
}

Field identityField(const QString& caption, QString MeterIdentity::*member)
{
    return {caption, [member](const Protocol& p) { return p.meter.*member; },
            [member](Protocol& p, const QString& t) {
                p.meter.*member = t;
                return true;
            }};
}

Field parameterField(const QString& caption, int VerificationParameters::*member)
{
    return {caption, [member](const Protocol& p) { return QString::number(p.parameters.*member); },
            [member](Protocol& p, const QString& t) { return toInt(t, p.parameters.*member); }};
}

const QList<Field>& headerFields()
{
    static const QList<Field> fields{
        {QStringLiteral("Дата и время"), [](const Protocol& p) { return p.started.toString(Qt::ISODate); },
         [](Protocol& p, const QString& t) {
             p.started = QDateTime::fromString(t, Qt::ISODate);
             return p.started.isValid();
         }},
        textField(QStringLiteral("Стенд"), &Protocol::bench),
        textField(QStringLiteral("Тип прибора"), &Protocol::meterType),
        identityField(QStringLiteral("Заводской номер"), &MeterIdentity::serialNumber),
        identityField(QStringLiteral("Владелец"), &MeterIdentity::owner),
        identityField(QStringLiteral("Поверитель"), &MeterIdentity::operatorName),
        {QStringLiteral("Число автоциркуляций"), [](const Protocol& p) { return QString::number(p.autoCirculations); },
         [](Protocol& p, const QString& t) { return toInt(t, p.autoCirculations); }},
        {QStringLiteral("Задержка dT, нс"), [](const Protocol& p) { return number(p.delayNs); },
         [](Protocol& p, const QString& t) { return toDouble(t, p.delayNs); }},
        parameterField(QStringLiteral("Время установления расхода, мс"), &VerificationParameters::settleMs),
        parameterField(QStringLiteral("Показаний в точке"), &VerificationParameters::readings),
        parameterField(QStringLiteral("Период показаний, мс"), &VerificationParameters::periodMs),
        parameterField(QStringLiteral("Время установления проверки объема, мс"), &VerificationParameters::volumeSettleMs),
        {QStringLiteral("Объем проверки, м3"), [](const Protocol& p) { return number(p.parameters.volume); },
         [](Protocol& p, const QString& t) { return toDouble(t, p.parameters.volume); }},
        {QStringLiteral("Поверочные точки, м3/ч"),
         [](const Protocol& p) {
             QStringList items;
             for (int point : p.parameters.points)
                 items.append(QString::number(point));
             return items.join(QLatin1Char(' '));
         },
         [](Protocol& p, const QString& t) {
             p.parameters.points.clear();
             for (const QString& item : t.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                 int point = 0;
                 if (!toInt(item, point))
                     return false;
                 p.parameters.points.append(point);
             }
             return true;
         }},
        {QStringLiteral("Поверка завершена"), [](const Protocol& p) { return p.complete ? kYes : kNo; },
         [](Protocol& p, const QString& t) {
             p.complete = t == kYes;
             return t == kYes || t == kNo;
         }},
        textField(QStringLiteral("Причина прерывания"), &Protocol::incompleteReason),
    };
    return fields;
}

// A cell with a separator, a quote or a line break is quoted; line breaks become spaces.
QString cell(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString row(const QStringList& cells)
{
    QStringList quoted;
    for (const QString& c : cells)
        quoted.append(cell(c));
    return quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

QStringList splitRow(const QString& line)
{
    QStringList cells;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                current += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            cells.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    cells.append(current);
    return cells;
}

QStringList pointRow(const PointResult& p)
{
    QStringList readings;
    for (double r : p.readings)
        readings.append(number(r));
    QStringList cells{QString::number(p.point), p.imitatedFlow ? number(*p.imitatedFlow) : QString(),
                      p.measured() ? readings.join(QLatin1Char(' ')) : caption::NotMeasured};
    if (p.measured())
        cells << number(p.mean()) << number(p.minimum()) << number(p.maximum()) << number(p.errorPct());
    else
        cells << QString() << QString() << QString() << QString();
    cells << number(p.permissiblePct) << verdictText(p.passed());
    if (const std::optional<Comparison>& c = p.current)
        cells << number(c->reference) << number(c->measured) << number(c->errorPct()) << number(c->permissiblePct)
              << verdictText(c->passed());
    else
        cells << QString() << QString() << QString() << QString() << QString();
    return cells;
}

QStringList checkRow(const QString& caption, const Comparison& c)
{
    return {caption,
            number(c.reference),
            number(c.measured),
            number(c.errorPct()),
            number(c.permissiblePct),
            verdictText(c.passed())};
}

QStringList skippedRow(const QString& caption, const QString& reason)
{
    return {caption, QString(), QString(), QString(), QString(), notDoneText(reason)};
}

bool parsePoint(const QStringList& cells, PointResult& p)
{
    if (cells.size() != kPointColumns.size() || !toInt(cells[0], p.point) || !toDouble(cells[7], p.permissiblePct))
        return false;
    if (!cells[1].isEmpty()) {
        double imitated = 0;
        if (!toDouble(cells[1], imitated))
            return false;
        p.imitatedFlow = imitated;
    }
    if (cells[2] != caption::NotMeasured) {
        for (const QString& item : cells[2].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            double reading = 0;
            if (!toDouble(item, reading))
                return false;
            p.readings.append(reading);
        }
    }
    // Readings are taken at an imitated flow.
    if (p.measured() && !p.imitatedFlow)
        return false;
    // Only a complete point has a verdict.
    p.complete = !cells[8].isEmpty();
    if (cells[kCurrentColumn].isEmpty())
        return true;
    Comparison current;
    if (!toDouble(cells[kCurrentColumn], current.reference) || !toDouble(cells[kCurrentColumn + 1], current.measured)
        || !toDouble(cells[kCurrentColumn + 3], current.permissiblePct))
        return false;
    p.current = current;
    return true;
}

bool parseCheck(const QStringList& cells, Comparison& c)
{
    return toDouble(cells[1], c.reference) && toDouble(cells[2], c.measured) && toDouble(cells[4], c.permissiblePct);
}

// A check made, or the reason it was not, into its place in `p`.
bool parseCheckRow(const QStringList& cells, Protocol& p)
{
    if (cells.size() != kCheckColumns.size())
        return false;
    if (const std::optional<QString> reason = notDoneReason(cells[5])) {
        QString* skipped = cells[0] == caption::MeterVolume ? &p.volumeSkipped
                           : cells[0] == caption::PulseVolume ? &p.pulsesSkipped
                           : cells[0] == caption::Current     ? &p.currentSkipped
                                                              : nullptr;
        if (skipped)
            *skipped = *reason;
        return skipped != nullptr;
    }
    Comparison c;
    if (!parseCheck(cells, c))
        return false;
    if (cells[0] == caption::MeterVolume)
        p.volume = VolumeCheck{c, std::nullopt};
    else if (cells[0] == caption::PulseVolume && p.volume)
        p.volume->pulses = c;
    else
        return false;
    return true;
}

std::optional<Protocol> fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return std::nullopt;
}
}  // namespace

QByteArray protocolCsv(const Protocol& protocol)
{
    QString text = row({kTitle});
    for (const Field& f : headerFields())
        text += row({f.caption, f.get(protocol)});
    text += row(kPointColumns);
    for (const PointResult& p : protocol.points)
        text += row(pointRow(p));
    text += row(kCheckColumns);
    // The current of each point is in its row; here only whether its check was not made.
    for (const CheckRow& check : checkRows(protocol)) {
        if (!check.comparison)
            text += row(skippedRow(check.caption, check.skipped));
        else if (!check.ofPoint)
            text += row(checkRow(check.caption, *check.comparison));
    }
    text += row({kConclusion, conclusionText(protocol.conclusion())});
    return kBom + text.toUtf8();
}

std::optional<Protocol> parseProtocolCsv(const QByteArray& csv, QString* error)
{
    if (!csv.startsWith(kBom))
        return fail(error, QStringLiteral("нет метки UTF-8 в начале файла"));
    QStringList lines = QString::fromUtf8(csv.mid(kBom.size())).split(QStringLiteral("\r\n"));
    if (lines.isEmpty() || lines.takeFirst() != kTitle)
        return fail(error, QStringLiteral("это не протокол поверки"));
    Protocol p;
    p.parameters.points.clear();
    for (const Field& f : headerFields()) {
        const QStringList cells = lines.isEmpty() ? QStringList() : splitRow(lines.takeFirst());
        if (cells.size() != 2 || cells[0] != f.caption || !f.set(p, cells[1]))
            return fail(error, QStringLiteral("строка \"%1\" повреждена").arg(f.caption));
    }
    if (lines.isEmpty() || splitRow(lines.takeFirst()) != kPointColumns)
        return fail(error, QStringLiteral("нет таблицы точек"));
    while (!lines.isEmpty() && splitRow(lines.first()) != kCheckColumns) {
        PointResult point;
        if (!parsePoint(splitRow(lines.takeFirst()), point))
            return fail(error, QStringLiteral("строка точки повреждена"));
        p.points.append(point);
    }
    if (lines.isEmpty())
        return fail(error, QStringLiteral("нет таблицы проверок"));
    lines.removeFirst();
    for (QStringList cells = splitRow(lines.value(0)); !lines.isEmpty() && cells.value(0) != kConclusion;
         lines.removeFirst(), cells = splitRow(lines.value(0))) {
        if (!parseCheckRow(cells, p))
            return fail(error, QStringLiteral("строка проверки \"%1\" повреждена").arg(cells.value(0)));
    }
    if (lines.isEmpty())
        return fail(error, QStringLiteral("нет заключения"));
    return p;
}

}  // namespace verification
