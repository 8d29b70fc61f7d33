#pragma once
// Ends the event loop on SIGINT or SIGTERM, so the simulator can remove its lines' names.
// The signal handler only writes to a pipe; the quit happens in the event loop.
#include <QObject>

class QSocketNotifier;

class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignal(QObject* parent = nullptr);
    ~QuitOnSignal() override;

private:
    static void handle(int signal);

    QSocketNotifier* m_notifier = nullptr;
};
