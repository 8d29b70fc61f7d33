#include "shell/input/NumberFormat.h"

#include <QLocale>

#include <cmath>
#include <optional>

namespace input {

namespace {
std::optional<QChar> g_separator;

QString withSeparator(QString s)
{
    const QChar sep = decimalSeparator();
    if (sep != u'.')
        s.replace(u'.', sep);
    return s;
}
}  // namespace

QChar decimalSeparator()
{
    if (!g_separator) {
        const QString dp = QLocale::system().decimalPoint();
        g_separator = dp.isEmpty() ? QChar(u'.') : dp.at(0);
    }
    return *g_separator;
}

void setDecimalSeparator(QChar sep)
{
    g_separator = sep;
}

QString formatFloat(double v, int maxDecimals)
{
    QString s = QString::number(v, 'f', maxDecimals);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == u"-0")
        s = QStringLiteral("0");
    return withSeparator(s);
}

QString formatFixed(double v, int decimals)
{
    return withSeparator(QString::number(v, 'f', decimals));
}

QString formatGeneral(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    return withSeparator(QString::number(v, 'g', 15));
}

}  // namespace input
