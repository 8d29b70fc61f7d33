#include "link/rtu/Rs485.h"

#ifdef __linux__
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace comm::rtu {

bool enableRs485(int fd)
{
#ifdef __linux__
    serial_rs485 rs{};
    if (ioctl(fd, TIOCGRS485, &rs) < 0)
        return false;
    rs.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    rs.flags &= ~SER_RS485_RTS_AFTER_SEND;
    return ioctl(fd, TIOCSRS485, &rs) == 0;
#else
    return false;
#endif
}

}  // namespace comm::rtu
