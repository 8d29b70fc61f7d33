#pragma once
// The program names ports the way the operator knows them: "COM1" or a device path.
#include <QString>

namespace comm::rtu {

// "COMn" (any case) becomes the platform's n-th serial device, COM1 -> /dev/ttyS0; any
// other name, such as a device path or a symlink, is used as given.
QString platformPortName(const QString& name);

}  // namespace comm::rtu
