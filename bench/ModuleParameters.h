#pragma once
// The communication registers common to every bench module (address, speed, RTS delay): the
// rows of their writes on the bench line.
#include "shell/context/Context.h"

namespace bench {

class ModuleParameters {
public:
    explicit ModuleParameters(shell::Context& ctx);
};

}  // namespace bench
