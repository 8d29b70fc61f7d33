#include "link/rtu/PortProblem.h"

#include <QFile>

#include <unistd.h>

namespace comm::rtu {

QString openProblemText(const QString& port, QSerialPort::SerialPortError error, bool accessible, const QString& qtText)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("Порт %1 не найден: проверьте, что адаптер подключён.").arg(port);
    case QSerialPort::PermissionError:
        // Qt reports its lock file held by another program as a permission error too.
        if (accessible)
            return QStringLiteral("Порт %1 занят другой программой: закройте её или выберите другой порт.").arg(port);
        return QStringLiteral("Нет доступа к порту %1: добавьте пользователя в группу dialout "
                              "(sudo usermod -aG dialout $USER) и войдите заново.")
            .arg(port);
    default:
        return QStringLiteral("Не удалось открыть порт %1: %2").arg(port, qtText);
    }
}

QString vanishedText(const QString& port)
{
    return QStringLiteral("Порт %1 пропал: адаптер отключён? Подключите его и подключитесь снова.").arg(port);
}

bool userMayOpen(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
}

}  // namespace comm::rtu
