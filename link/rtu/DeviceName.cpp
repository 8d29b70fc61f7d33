#include "link/rtu/DeviceName.h"

#include <QStringDecoder>

namespace comm::rtu {

QString decodeDeviceName(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251(bytes);
}

}  // namespace comm::rtu
