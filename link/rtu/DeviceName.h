#pragma once
// The device name in a Report Server ID answer.
#include <QByteArray>
#include <QString>

namespace comm::rtu {

// The name's bytes as text: UTF-8 when they are valid UTF-8, else Windows-1251, which
// the older modules use. A NUL stays in the text; the program cuts the name there.
QString decodeDeviceName(const QByteArray& bytes);

}  // namespace comm::rtu
