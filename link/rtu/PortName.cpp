#include "link/rtu/PortName.h"

#include <QRegularExpression>

namespace comm::rtu {

QString platformPortName(const QString& name)
{
    static const QRegularExpression comName(QStringLiteral("^COM([1-9][0-9]*)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = comName.match(name.trimmed());
    if (!m.hasMatch())
        return name;
    return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
}

}  // namespace comm::rtu
