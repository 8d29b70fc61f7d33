#include "link/LineTrace.h"

#include <cstring>

namespace comm {

namespace {

Q_LOGGING_CATEGORY(benchTrace, "zta.link.bench", QtInfoMsg)
Q_LOGGING_CATEGORY(meterTrace, "zta.link.meter", QtInfoMsg)
Q_LOGGING_CATEGORY(otherTrace, "zta.link.line", QtInfoMsg)

}  // namespace

const QLoggingCategory& lineCategory(const char* line)
{
    if (line && std::strcmp(line, "bench") == 0)
        return benchTrace();
    if (line && std::strcmp(line, "meter") == 0)
        return meterTrace();
    return otherTrace();
}

}  // namespace comm
