#pragma once
// One serial line served on a pseudo-terminal master: reads requests, cuts them into frames,
// hands each to the responder and writes the answer back, later when it asks for a delay.
// Lives on the simulator's thread.
#include "sim/LineResponder.h"
#include "sim/PtyPort.h"
#include "sim/RtuFramer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace sim {

class Line : public QObject {
    Q_OBJECT
public:
    // Gets each request frame with the speed the master set on the port (0 when unknown).
    using Responder = std::function<std::optional<Reply>(const QByteArray& frame, int lineBaud)>;

    explicit Line(Responder responder, QObject* parent = nullptr);
    ~Line() override;

    bool open(const QString& linkPath, QString* error);
    void close();

private:
    void readAvailable();
    void serve(const QByteArray& frame);
    void send(const QByteArray& frame);

    Responder m_respond;
    PtyPort m_pty;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_silence;
    RtuFramer m_framer;
    // Answers scheduled before the line was closed or reopened must not reach the new pty.
    int m_generation = 0;
    QElapsedTimer m_clock;  // started with the line; measures when answers are due
};

}  // namespace sim
