#include "shell/settings/IniText.h"

#include <QStringDecoder>

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

QString folded(const QString& name)
{
    return name.toCaseFolded();
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
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0 || line.trimmed().startsWith(u';'))
        return std::nullopt;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return line.left(eq).trimmed();
}

// A value is one line: line breaks inside it would start new keys or sections.
QString oneLine(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

}  // namespace

IniText IniText::parse(const QByteArray& bytes)
{
    IniText t;
    QString text = decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.m_lines = text.split(u'\n');
    if (!t.m_lines.isEmpty() && t.m_lines.last().isEmpty())
        t.m_lines.removeLast();
    t.buildIndex();
    return t;
}

void IniText::buildIndex()
{
    m_sections.clear();
    Section* current = nullptr;  // null outside sections and in repeated ones
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString& line = m_lines[i];
        if (const auto s = sectionOf(line)) {
            const QString name = folded(*s);
            current = m_sections.contains(name) ? nullptr : &m_sections[name];
            if (current)
                current->header = current->lastFilled = i;
            continue;
        }
        if (!current)
            continue;
        if (!line.trimmed().isEmpty())
            current->lastFilled = i;
        if (const auto k = keyOf(line)) {
            const QString name = folded(*k);
            if (!current->keys.contains(name))
                current->keys.insert(name, i);
        }
    }
}

// Every index at or after `line` moves down by one, as after inserting a line there.
void IniText::shiftFrom(int line)
{
    for (Section& s : m_sections) {
        if (s.header >= line)
            ++s.header;
        if (s.lastFilled >= line)
            ++s.lastFilled;
        for (int& k : s.keys)
            if (k >= line)
                ++k;
    }
}

std::optional<QString> IniText::value(const QString& section, const QString& key) const
{
    const auto s = m_sections.constFind(folded(section));
    if (s == m_sections.cend())
        return std::nullopt;
    const auto k = s->keys.constFind(folded(key));
    if (k == s->keys.cend())
        return std::nullopt;
    QString value;
    keyOf(m_lines[*k], &value);
    return value;
}

bool IniText::set(const QString& section, const QString& key, const QString& value)
{
    const QString line = oneLine(key) + u'=' + oneLine(value);
    const QString sectionName = folded(section);
    const QString keyName = folded(key);
    // The index is kept up to date by hand only while the new lines read back as the names
    // they were written for; a name that changes on the way (a bracket, a semicolon, an '=')
    // makes the lines be read anew.
    const auto readsBackAs = [&](const QString& l, const QString& name) {
        const auto k = keyOf(l);
        return k && !sectionOf(l) && folded(*k) == name;
    };
    const auto s = m_sections.find(sectionName);
    if (s == m_sections.end()) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        const QString header = u'[' + oneLine(section) + u']';
        m_lines.append(header);
        m_lines.append(line);
        if (folded(sectionOf(header).value_or(QString())) == sectionName && readsBackAs(line, keyName)) {
            const int at = int(m_lines.size() - 1);
            m_sections.insert(sectionName, Section{at - 1, at, {{keyName, at}}});
        } else {
            buildIndex();
        }
        return true;
    }
    if (const auto k = s->keys.constFind(keyName); k != s->keys.cend()) {
        if (m_lines[*k] == line)
            return false;
        m_lines[*k] = line;
    } else {
        const int at = s->lastFilled + 1;
        m_lines.insert(at, line);
        shiftFrom(at);
        s->lastFilled = at;
        s->keys.insert(keyName, at);
    }
    if (!readsBackAs(line, keyName))
        buildIndex();
    return true;
}

QByteArray IniText::toBytes() const
{
    QByteArray bytes;
    for (const QString& l : m_lines) {
        bytes += l.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace settings
