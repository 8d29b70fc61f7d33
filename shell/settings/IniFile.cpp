#include "shell/settings/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <optional>

namespace settings {

namespace {

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251.isValid() ? cp1251.decode(bytes) : QString::fromLatin1(bytes);
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<QString> sectionOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']'))
        return std::nullopt;
    return t.mid(1, t.size() - 2).trimmed();
}

// The key of a "key=value" line (and its value), or nothing for other lines.
std::optional<QString> keyOf(const QString& line, QString* value = nullptr)
{
    const int eq = line.indexOf(u'=');
    if (eq <= 0 || line.trimmed().startsWith(u';'))
        return std::nullopt;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return line.left(eq).trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value is one line: line breaks inside it would start new keys or sections.
QString oneLine(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

// Where the value of section/key lives: the line of the key, or the line after which a new
// key goes, or -1 when the section is missing.
struct Location {
    int keyLine = -1;
    int insertAfter = -1;
};

Location locate(const QStringList& lines, const QString& section, const QString& key)
{
    Location loc;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto s = sectionOf(lines[i])) {
            if (inSection)
                break;  // the first section of that name holds the values
            inSection = sameName(*s, section);
            if (inSection)
                loc.insertAfter = i;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            loc.insertAfter = i;
        if (const auto k = keyOf(lines[i]); k && sameName(*k, key)) {
            loc.keyLine = i;
            return loc;
        }
    }
    return loc;
}

}  // namespace

bool IniFile::exists() const
{
    return QFile::exists(m_path);
}

QStringList IniFile::readLines() const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = decode(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool IniFile::writeLines(const QStringList& lines) const
{
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += l.toUtf8();
        bytes += "\r\n";
    }
    f.write(bytes);
    return f.commit();
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const QStringList lines = readLines();
    const Location loc = locate(lines, section, key);
    if (loc.keyLine < 0)
        return def;
    QString value;
    keyOf(lines[loc.keyLine], &value);
    return value;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const int v = readString(section, key, QString()).toInt(&ok, 10);
    return ok ? v : def;
}

bool IniFile::hasKey(const QString& section, const QString& key) const
{
    return locate(readLines(), section, key).keyLine >= 0;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    QStringList lines = readLines();
    const QString line = oneLine(key) + u'=' + oneLine(value);
    const Location loc = locate(lines, section, key);
    if (loc.keyLine >= 0) {
        lines[loc.keyLine] = line;
    } else if (loc.insertAfter >= 0) {
        lines.insert(loc.insertAfter + 1, line);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + oneLine(section) + u']');
        lines.append(line);
    }
    return writeLines(lines);
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    return writeString(section, key, QString::number(value));
}

}  // namespace settings
