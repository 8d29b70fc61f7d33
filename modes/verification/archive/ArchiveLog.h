#pragma once
// zta.archive: schema steps applied and runs found interrupted; debug messages are off unless a
// rule switches them on.
#include <QLoggingCategory>

namespace verification::archive {
Q_DECLARE_LOGGING_CATEGORY(archiveLog)
}
