#include "shell/ServerPriority.h"

#include <QDir>
#include <QFileInfo>

#include <sys/resource.h>

namespace shell {

void RaiseServerPriority()
{
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const int pid = entry.toInt(&isPid);
        if (!isPid)
            continue;
        const QString exe = QFileInfo(proc.filePath(entry + QStringLiteral("/exe"))).symLinkTarget();
        if (!QFileInfo(exe).fileName().contains(QStringLiteral("TERVALO"), Qt::CaseInsensitive))
            continue;
        setpriority(PRIO_PROCESS, id_t(pid), HighPriorityNice);  // failures are of no concern
    }
}

}  // namespace shell
