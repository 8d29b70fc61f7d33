#pragma once
// libmodbus's RTU master on the same line, for comparison: it sends each request as soon
// as the previous answer is in, without the 3.5-character silence.
#include "ServerRun.h"

namespace perf {

bool runLibmodbus(const ReadSetup& setup, double seconds, Throughput* out);

}  // namespace perf
