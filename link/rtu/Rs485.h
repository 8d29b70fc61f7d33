#pragma once
// RS-485 transmitter control by the serial driver.

namespace comm::rtu {

// Asks the driver of the open port fd to switch the transmitter on while sending (RTS on
// send). False when the driver has no such control, as with pseudo-terminals and most
// RS-232 ports; the line then works as RS-232 with an adapter that switches by itself.
bool enableRs485(int fd);

}  // namespace comm::rtu
