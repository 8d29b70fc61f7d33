#include "link/rtu/LowLatency.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace comm::rtu {

bool requestLowLatency(int fd)
{
#ifdef __linux__
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) < 0)
        return false;
    if (serial.flags & ASYNC_LOW_LATENCY)
        return true;
    serial.flags |= ASYNC_LOW_LATENCY;
    return ioctl(fd, TIOCSSERIAL, &serial) == 0;
#else
    return false;
#endif
}

}  // namespace comm::rtu
