#pragma once
// A settings file of the INI kind: "[section]" lines open sections, "key=value" lines set
// values. Section and key names compare without regard to case.
//
// Reading uses the parsed file kept for the process and reads the disk again only when the
// file changed there. Every write goes to disk at once: it keeps every other line as it was
// and replaces the file atomically (a crash never leaves a truncated file). A write that
// fails is reported to the operator (see WriteFailureReport.h). Files are written in UTF-8; a
// file that is not valid UTF-8 is read as Windows-1251, the encoding of files carried over
// from older installations.
//
// While the file does not exist, an older file of the same name beside the executable is
// read instead (see SettingsLocation.h); the first write starts from its content.
#include <QString>

namespace settings {

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }
    bool exists() const;

    QString readString(const QString& section, const QString& key, const QString& def) const;
    // The value as a decimal integer; the default when absent or not a number.
    int readInteger(const QString& section, const QString& key, int def) const;
    bool hasKey(const QString& section, const QString& key) const;

    // False when the file could not be written; the value is then not stored.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);

    // Deletes the file; an older file it was read from is hidden by an empty file instead.
    // True when no values are left.
    bool remove();

private:
    // The path that is read: the file itself, or the older one while the file is missing.
    const QString& readPath() const;

    QString m_path;
    QString m_older;
};

}  // namespace settings
