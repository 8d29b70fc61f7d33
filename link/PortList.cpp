#include "link/PortList.h"

#include "sim/LineDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace comm {

QStringList availablePorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append(info.systemLocation());
    const QDir simDir(sim::defaultLineDirectory());
    for (const char* line : {sim::benchLineName(), sim::meterLineName()}) {
        const QString path = simDir.filePath(QString::fromLatin1(line));
        if (QFileInfo(path).exists())
            ports.append(path);
    }
    std::sort(ports.begin(), ports.end());
    ports.removeDuplicates();
    return ports;
}

int portNumber(const QString& name)
{
    if (name.size() < 4)
        return 1;
    bool ok = false;
    const int n = name.mid(3).toInt(&ok, 10);
    return ok ? n : 1;
}

bool isComStyle(const QString& name)
{
    if (!name.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive) || name.size() < 4)
        return false;
    bool ok = false;
    const int n = name.mid(3).toInt(&ok, 10);
    return ok && n >= 1;
}

QString platformPortName(const QString& name)
{
    if (!isComStyle(name))
        return name;
    return QStringLiteral("/dev/ttyS%1").arg(portNumber(name) - 1);
}

bool samePort(const QString& a, const QString& b)
{
    return platformPortName(a) == platformPortName(b);
}

}  // namespace comm
