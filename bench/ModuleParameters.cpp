#include "bench/ModuleParameters.h"

#include "bench/Qids.h"

namespace bench {

ModuleParameters::ModuleParameters(shell::Context& ctx)
{
    BenchSlots& slots = ctx.state.results;
    comm::RouteTable& routes = ctx.bench.routes;
    routes.add(qid::AddressWrite, {&slots.ResAdrWrite, {}, {}});
    routes.add(qid::SpeedWrite, {&slots.ResSpeedWrite, {}, {}});
    routes.add(qid::RtsWrite, {&slots.ResRtsWrite, {}, {}});
}

}  // namespace bench
