// "Заполнить цены": names, prices and option prices copied by position from a price file into
// the unit list editor's grid.
#pragma once

#include <filesystem>

#include "catalogue/pricefile.h"
#include "tools/unitgridcore.h"

namespace tundrix {

// "Pricedata/mashineN.dat" inside the data folder.
std::filesystem::path priceFilePath(const std::filesystem::path& dataDir, int n);

// Number of units in a price file: records up to the first one, from record 1 on, with an empty
// name (record 0 always counts); 200 when none is empty.
int priceFileUnits(const PriceFile& file);

// Sets the grid to the file's units (heading row + n rows), the option headings 12-22 from record
// 0, and in each unit row the name (0), price (10) and option prices (12-22). Other cells stay.
void applyPriceFile(UnitGrid& grid, const PriceFile& file);

}  // namespace tundrix
