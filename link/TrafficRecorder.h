#pragma once
// Keeps the exchanges of some lines in a traffic log while it records. It listens to the
// lines only while recording, so a line pays for its records only then (see MBComMaster).
// Paused, it stays subscribed but keeps nothing, and counts what it let pass.
#include "link/MBComMaster.h"
#include "link/TrafficLog.h"

#include <QList>
#include <QObject>

namespace comm {

class TrafficRecorder : public QObject {
    Q_OBJECT
public:
    explicit TrafficRecorder(TrafficLog& log, QObject* parent = nullptr);

    // A line to record, under the name its entries carry.
    void addLine(MBComMaster& server, const QString& name);

    void start();
    void stop();
    bool isRecording() const { return m_recording; }

    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    // Exchanges let pass since the pause began.
    int missed() const { return m_missed; }

private:
    struct Watched {
        MBComMaster* server;
        QString name;
        QMetaObject::Connection connection;
    };

    void take(const QString& line, const ExchangeRecord& record);

    TrafficLog& m_log;
    QList<Watched> m_lines;
    bool m_recording = false;
    bool m_paused = false;
    int m_missed = 0;
};

}  // namespace comm
