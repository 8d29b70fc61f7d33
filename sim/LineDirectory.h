#pragma once
// Where the simulator publishes its lines: stable names that the monitor lists among the
// serial ports and opens like any serial device.
#include <QDir>
#include <QString>

#include <unistd.h>

namespace sim {

inline QString defaultLineDirectory()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QString::fromLocal8Bit(runtime) + QStringLiteral("/zta-sim");
    return QStringLiteral("/tmp/zta-sim-%1").arg(getuid());
}

inline const char* benchLineName() { return "bench"; }
inline const char* meterLineName() { return "meter"; }

}  // namespace sim
