#pragma once
// The logging categories of the lines' traces: zta.link.bench and zta.link.meter. Debug
// messages, one per exchange, are off unless a rule switches them on, e.g.
// QT_LOGGING_RULES="zta.link.bench.debug=true".
#include <QLoggingCategory>

namespace comm {

// The category of the line named "bench" or "meter"; zta.link.line for any other name.
const QLoggingCategory& lineCategory(const char* line);

}  // namespace comm
