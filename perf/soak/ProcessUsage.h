#pragma once
// What the process holds, as the kernel counts it: resident memory and open descriptors.
#include <QDir>
#include <QFile>

namespace perf {

// VmRSS in kB; -1 when it cannot be read.
inline qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // A /proc file has no size, so QFile::atEnd() holds from the start: read it whole.
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Open file descriptors; a port reopened again and again must not leave them behind.
inline int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
}

}  // namespace perf
