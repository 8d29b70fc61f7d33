#include "modes/verification/archive/ArchivedRun.h"

namespace verification::archive {

QString stateText(RunState state)
{
    switch (state) {
    case RunState::Running:
        return QStringLiteral("выполняется");
    case RunState::Complete:
        return QStringLiteral("завершена");
    case RunState::Incomplete:
        return QStringLiteral("не завершена");
    case RunState::Interrupted:
        return QStringLiteral("прервана");
    }
    Q_UNREACHABLE();
}

}  // namespace verification::archive
