#pragma once
// Everything the line needs to open a port; taken from the component's properties when
// the port is opened.
#include <QString>

namespace comm::rtu {

struct PortSettings {
    QString port;             // platform path of the serial device
    int baud = 19200;
    bool rs485 = false;       // drive the transmitter by the driver's RS-485 direction control
    int answerDelayMs = 500;  // response time-out
    int retries = 0;          // repeats after a failed exchange
    int interFrameDelayUs = 0;
};

}  // namespace comm::rtu
