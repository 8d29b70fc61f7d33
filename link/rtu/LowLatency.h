#pragma once
// The low-latency mode of USB serial drivers: without it an FTDI-type adapter holds received
// bytes up to 16 ms before passing them on, which stretches every Modbus answer.
namespace comm::rtu {

// Asks the driver of the open port fd for low latency; false when it does not offer the
// mode (ptys, many on-board ports), which is harmless.
bool requestLowLatency(int fd);

}  // namespace comm::rtu
