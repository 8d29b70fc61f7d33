#pragma once
// The configuration grid of the bench modules.
#include "bench/ModuleDescriptor.h"
#include "ui/model/Controls.h"

namespace bench {

// Writes the header row and the module captions, and the known addresses ("?" for none).
void fillModuleGrid(ui::Grid& grid, const Modules& modules);

}  // namespace bench
