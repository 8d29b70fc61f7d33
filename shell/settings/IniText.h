#pragma once
// The text of an INI file held in memory with an index of its sections and keys, so a value
// is found without scanning the file. Only the first section of a name counts, and in it the
// first line of a key; names compare without regard to case. Every other line, comments and
// lines that are neither sections nor keys included, is kept as it was.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace settings {

class IniText {
public:
    // UTF-8, or Windows-1251 when the bytes are not valid UTF-8. Lines end at LF or CR LF.
    static IniText parse(const QByteArray& bytes);

    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the key's line, or adds it after the last filled line of its section, or adds
    // the section at the end. False when the text already holds exactly that line.
    bool set(const QString& section, const QString& key, const QString& value);

    // UTF-8 with CR LF line ends.
    QByteArray toBytes() const;

private:
    struct Section {
        int header = -1;
        int lastFilled = -1;  // the last line of the section that is not blank
        QHash<QString, int> keys;  // case-folded key -> line
    };

    void buildIndex();
    void shiftFrom(int line);

    QStringList m_lines;
    QHash<QString, Section> m_sections;  // case-folded name -> first section of that name
};

}  // namespace settings
