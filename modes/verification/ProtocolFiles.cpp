#include "modes/verification/ProtocolFiles.h"

#include "modes/verification/ProtocolCsv.h"
#include "modes/verification/ProtocolPdf.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace verification {

QString defaultProtocolFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Протоколы ЗТА");
}

QString protocolFileBase(const Protocol& protocol)
{
    static const QRegularExpression unusable(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    QString serial = protocol.meter.serialNumber.trimmed();
    serial.replace(unusable, QStringLiteral("-"));
    if (serial.isEmpty() || serial == QLatin1String("-"))
        serial = QStringLiteral("без-номера");
    return serial + QLatin1Char('_') + protocol.started.toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
}

SavedProtocol saveProtocol(const Protocol& protocol, const QString& folder)
{
    SavedProtocol saved;
    if (!QDir().mkpath(folder)) {
        saved.error = QStringLiteral("Не удалось создать папку протоколов %1").arg(QDir::toNativeSeparators(folder));
        return saved;
    }
    const QString base = QDir(folder).filePath(protocolFileBase(protocol));
    const QString pdf = base + QStringLiteral(".pdf");
    const QString csv = base + QStringLiteral(".csv");
    if (!writeProtocolPdf(protocol, pdf)) {
        saved.error = QStringLiteral("Не удалось записать протокол в файл %1").arg(QDir::toNativeSeparators(pdf));
        return saved;
    }
    saved.files.append(pdf);
    QSaveFile file(csv);
    if (!file.open(QIODevice::WriteOnly) || file.write(protocolCsv(protocol)) < 0 || !file.commit()) {
        saved.error = QStringLiteral("Не удалось записать протокол в файл %1").arg(QDir::toNativeSeparators(csv));
        return saved;
    }
    saved.files.append(csv);
    return saved;
}

}  // namespace verification
