#include "bench/ModuleGrid.h"

#include "bench/ModuleTable.h"

namespace bench {

void fillModuleGrid(ui::Grid& grid)
{
    grid.setSize(4, 4);
    const QStringList headers = gridHeaders();
    for (int col = 0; col < headers.size(); ++col)
        grid.setCell(col, 0, headers[col]);
    for (const ModuleRow& row : kModuleRows)
        grid.setCell(0, row.gridRow, QString::fromUtf8(row.caption));
}

void showModuleAddresses(ui::Grid& grid, const Modules& modules)
{
    for (const ModuleRow& row : kModuleRows)
        grid.setCell(1, row.gridRow, addressText((modules.*row.descriptor).Adr));
}

}  // namespace bench
