#pragma once
// What the operator reads in the message line when a port does not open or goes away:
// the cause in words, and what to do about it.
#include <QSerialPort>
#include <QString>

namespace comm::rtu {

// port: the platform path; accessible: the user may read and write the device node (a
// refused open of an accessible port means another program holds it).
QString openProblemText(const QString& port, QSerialPort::SerialPortError error, bool accessible, const QString& qtText);

QString vanishedText(const QString& port);

// Whether this user may read and write the device node at path.
bool userMayOpen(const QString& path);

}  // namespace comm::rtu
