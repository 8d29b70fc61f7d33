#pragma once
// The serial ports the operator can choose from, and how stored port names match them.
#include <QString>
#include <QStringList>

#include <functional>

namespace comm {

// The machine's serial ports and the simulator's published lines, sorted as text.
QStringList availablePorts();

// The port number of a name: the text after its first three characters as a decimal
// number (COM12 gives 12); 1 when that is not a number.
int portNumber(const QString& name);
bool isComStyle(const QString& name);
// The device a name opens: "COMn" is the platform's n-th serial device (COM1 is
// /dev/ttyS0); any other name is a device path already.
QString platformPortName(const QString& name);
// Whether two names denote the same port.
bool samePort(const QString& a, const QString& b);

using PortSource = std::function<QStringList()>;

}  // namespace comm
