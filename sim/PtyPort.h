#pragma once
// A pseudo-terminal whose slave side is published under a stable name (a symlink), to be
// opened by the monitor like any serial device. We keep a slave descriptor of our own open
// so that the master reads no EIO/HUP while no client has the port open.
#include <QString>

namespace sim {

class PtyPort {
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Creates the pty and points `linkPath` at its slave, replacing a stale link.
    bool open(const QString& linkPath, QString* error);
    // Closes the pty and removes the link if it is still ours.
    void close();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    // The speed the opener of the slave side set, in baud (a pty carries the slave's settings on
    // its master too); 0 when it cannot be read or is not a standard speed.
    int slaveBaud() const;
    QString linkPath() const { return m_linkPath; }
    QString slavePath() const { return m_slavePath; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_linkPath;
    QString m_slavePath;
};

}  // namespace sim
