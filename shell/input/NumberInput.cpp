#include "shell/input/NumberInput.h"

#include "shell/input/NumberFormat.h"
#include "ui/model/UserError.h"

namespace input {

namespace {
bool isIntKey(QChar k)
{
    return (k >= u'0' && k <= u'9') || k == u'-' || k == QChar(8);
}

// Parses digits with at most one '.' and an optional exponent, in the C format.
bool parseCFormat(const QString& s, double* out)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E')
            return false;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (ok)
        *out = v;
    return ok;
}
}  // namespace

void edtInt(QChar& key)
{
    if (!isIntKey(key))
        key = QChar(0);
}

void edtFloat(QChar& key)
{
    if (key == u',' || key == u'.')
        key = decimalSeparator();
    else if (!isIntKey(key))
        key = QChar(0);
}

void edtIntWithEnter(QChar& key)
{
    if (key != QChar(13))
        edtInt(key);
}

QString notAnInteger(const QString& text)
{
    return QStringLiteral("«%1» не является целым числом").arg(text);
}

QString notANumber(const QString& text)
{
    return QStringLiteral("«%1» не является числом").arg(text);
}

int StrToInt(const QString& text)
{
    bool ok = false;
    const QString t = text.trimmed();
    int v = 0;
    if (!t.isEmpty() && (t.at(0).isDigit() || t.at(0) == u'-' || t.at(0) == u'+'))
        v = t.toInt(&ok, 10);
    if (!ok)
        throw ui::UserError(notAnInteger(text));
    return v;
}

double StrToFloat(const QString& text)
{
    const QChar sep = decimalSeparator();
    QString t = text.trimmed();
    // The other separator is never part of a number in the platform's format.
    if (t.contains(sep == u'.' ? u',' : u'.'))
        throw ui::UserError(notANumber(text));
    t.replace(sep, u'.');
    double v = 0;
    if (!parseCFormat(t, &v))
        throw ui::UserError(notANumber(text));
    return v;
}

double AnySepStrToFloat(const QString& text)
{
    const QChar sep = decimalSeparator();
    const QChar other = sep == u'.' ? QChar(u',') : QChar(u'.');
    QString t = text;
    const int i = t.indexOf(other);
    if (i >= 0)
        t[i] = sep;
    return StrToFloat(t);
}

}  // namespace input
