#include "sim/PtyPort.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

PtyPort::~PtyPort() { close(); }

bool PtyPort::open(const QString& linkPath, QString* error)
{
    auto fail = [&](const QString& what) {
        if (error)
            *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        close();
        return false;
    };
    char name[128] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        return fail(QStringLiteral("cannot create a pseudo-terminal"));
    m_slavePath = QString::fromLocal8Bit(name);

    termios raw{};
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    const QByteArray link = QFile::encodeName(linkPath);
    if (::unlink(link.constData()) != 0 && errno != ENOENT)
        return fail(QStringLiteral("cannot remove the old %1").arg(linkPath));
    if (::symlink(name, link.constData()) != 0)
        return fail(QStringLiteral("cannot create %1").arg(linkPath));
    m_linkPath = linkPath;
    return true;
}

void PtyPort::close()
{
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).symLinkTarget() == m_slavePath)
        ::unlink(QFile::encodeName(m_linkPath).constData());
    m_linkPath.clear();
    for (int* fd : {&m_master, &m_slave}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

int PtyPort::slaveBaud() const
{
    termios settings{};
    if (m_master < 0 || ::tcgetattr(m_master, &settings) != 0)
        return 0;
    switch (::cfgetospeed(&settings)) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

}  // namespace sim
