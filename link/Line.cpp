#include "link/Line.h"

#include "link/Result.h"
#include "link/WaitAnswer.h"
#include "ui/model/Dialogs.h"

namespace comm {

QString Failure::text(int result) const
{
    QString t;
    switch (tail) {
    case Tail::ResultText: t = resultText(result); break;
    case Tail::ResultCode: t = QString::number(result); break;
    case Tail::Nothing: break;
    }
    return words.contains(QLatin1String("%1")) ? QString(words).replace(QLatin1String("%1"), t) : words + t;
}

bool Line::step(quint8 address, int qid, const std::function<void(MBComMaster&)>& send, const Failure& failure)
{
    int& slot = routes.slotOf(qid);
    server.setDeviceAddres(address);
    send(server);
    WaitAnswer(slot);
    if (slot == 0)
        return true;
    if (!failure.silent)
        ui::dialogs().message(failure.text(slot));
    return false;
}

}  // namespace comm
