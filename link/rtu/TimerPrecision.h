#pragma once
// The line's timing (inter-frame gaps, time-outs) runs on Qt timers. With the glib event
// dispatcher their wake-ups come up to a millisecond late, which costs several per cent of
// a line's throughput; Qt's own Unix dispatcher wakes them on time.
#include <QByteArray>
#include <QtGlobal>

namespace comm::rtu {

// Call at the start of main(), before the application object exists.
inline void usePreciseTimers()
{
    qputenv("QT_NO_GLIB", QByteArrayLiteral("1"));
}

}  // namespace comm::rtu
