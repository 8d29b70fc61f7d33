#pragma once
// A settings file of the INI kind: "[section]" lines open sections, "key=value" lines set
// values. Section and key names compare without regard to case. Every call opens the
// file, reads or writes and closes it again, so each value is on disk as soon as it is set.
//
// Writing keeps every other line as it was and replaces the file atomically (a crash never
// leaves a truncated file). Files are written in UTF-8; a file that is not valid UTF-8 is
// read as Windows-1251, the encoding of files carried over from older installations.
#include <QString>
#include <QStringList>

namespace settings {

class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }
    bool exists() const;

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // The value as a decimal integer; the default when absent or not a number.
    int readInteger(const QString& section, const QString& key, int def) const;
    bool hasKey(const QString& section, const QString& key) const;

    // False when the file could not be written; the value is then not stored.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);

private:
    QStringList readLines() const;
    bool writeLines(const QStringList& lines) const;

    QString m_path;
};

}  // namespace settings
