#pragma once
// The configuration grid of the bench modules.
#include "bench/ModuleDescriptor.h"
#include "ui/model/Controls.h"

namespace bench {

// Writes the header row and the module captions.
void fillModuleGrid(ui::Grid& grid);
// Writes the modules' addresses into column "Адрес" ("?" for a module not known).
void showModuleAddresses(ui::Grid& grid, const Modules& modules);

}  // namespace bench
