#include "LibmodbusRun.h"

#include "Clocks.h"

#include <modbus.h>

#include <vector>

namespace perf {

bool runLibmodbus(const ReadSetup& setup, double seconds, Throughput* out)
{
    modbus_t* ctx = modbus_new_rtu(setup.port.toLocal8Bit().constData(), setup.baud, 'N', 8, 1);
    if (!ctx)
        return false;
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        return false;
    }
    modbus_set_slave(ctx, setup.address);
    modbus_set_response_timeout(ctx, 1, 0);
    *out = {};
    std::vector<uint16_t> registers(size_t(setup.count));
    const double start = wallSeconds();
    while (wallSeconds() - start < seconds) {
        const bool ok = modbus_read_input_registers(ctx, setup.reg, setup.count, registers.data()) == setup.count;
        ++(ok ? out->transactions : out->failures);
    }
    out->seconds = wallSeconds() - start;
    modbus_close(ctx);
    modbus_free(ctx);
    return true;
}

}  // namespace perf
