// The files of the unit lists: agrdata/*.dat (unit list tables) and Pricedata/mashineN.dat
// (price files).
#pragma once

#include <filesystem>
#include <string>

#include "catalogue/pricefile.h"
#include "catalogue/unitlisttable.h"
#include "datagen/units.h"

namespace tundrix::datagen {

// The editor's headings of columns 0..11 and 23 (other columns: empty).
std::string unitListHeading(int column);

// The unit list file of a list, as the editor's "Записать" stores it: headings and option
// names in row 0, one unit a row from row 1, columns 24..30 empty.
UnitListTable unitListTable(const UnitList& list);

// The price file of a list: record k holds the unit of row k + 1 (name, price, option prices),
// record 0 also the option names.
PriceFile priceFileOf(const UnitList& list);

// Writes agrdata/<list>.dat for every list and Pricedata/mashineN.dat for every price file in
// use. Lists that share a price file must hold the same names, prices and options row by row;
// a mismatch is an error. Returns false and says why in `error` on the first failure.
bool writeUnitFiles(const std::filesystem::path& outDir, const UnitCatalogue& units,
                    std::string* error = nullptr);

}  // namespace tundrix::datagen
