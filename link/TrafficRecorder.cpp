#include "link/TrafficRecorder.h"

namespace comm {

TrafficRecorder::TrafficRecorder(TrafficLog& log, QObject* parent) : QObject(parent), m_log(log) {}

void TrafficRecorder::addLine(MBComMaster& server, const QString& name)
{
    Q_ASSERT(!m_recording);
    m_lines.append({&server, name, {}});
}

void TrafficRecorder::start()
{
    if (m_recording)
        return;
    m_recording = true;
    for (Watched& w : m_lines)
        w.connection = connect(w.server, &MBComMaster::exchanged, this,
                               [this, name = w.name](const ExchangeRecord& r) { take(name, r); });
}

void TrafficRecorder::stop()
{
    if (!m_recording)
        return;
    m_recording = false;
    for (Watched& w : m_lines)
        disconnect(w.connection);
}

void TrafficRecorder::setPaused(bool paused)
{
    m_paused = paused;
    m_missed = 0;
}

void TrafficRecorder::take(const QString& line, const ExchangeRecord& record)
{
    if (m_paused)
        ++m_missed;
    else
        m_log.add(line, record);
}

}  // namespace comm
