#include "link/WaitAnswer.h"

#include <QCoreApplication>
#include <QThread>

namespace comm {

void WaitAnswer(int& slot)
{
    slot = -1;
    while (slot < 0) {
        QThread::msleep(1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace comm
