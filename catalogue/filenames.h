// Names of the catalogue files for a kind of unit, brand, temperature level and refrigerant.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/choices.h"

namespace tundrix {

// The name of a combination that has no file. No file by that name is ever looked up.
inline constexpr std::string_view kNoFile = "no";

// Folder of the unit list files inside the data folder.
inline constexpr std::string_view kUnitListFolder = "agrdata/";

// File name prefix of a kind of unit ("out", "agr", "mka", "glco" ... "on"); empty for None.
std::string_view kindPrefix(UnitKind kind);

// Unit list file name without folder: kind + brand + level + refrigerant, e.g.
// "outbocklow404a.dat". Copeland Scroll has no brand part ("mkamiddle22.dat"). A part whose number
// is out of range contributes nothing.
std::string agrfilename(UnitKind kind, int level, int brand, int refrigerant);

// Performance data file of a brand: the coefficient file for brands 1, 3, 4 (every level), the
// performance table image for Copeland Scroll; "no" where none exists. The original five
// refrigerants share one coefficient file per brand and have Scroll files by a fixed table; a
// later refrigerant with code C has "bockC.dat", "bitzerC.dat", "dwmcopelandC.dat" and the Scroll
// files "masszfC.dat"/"catalzfC.dat" (low), "masszbC.dat"/"catalzbC.dat" (middle) and
// "masszrC.dat"/"catalzrC.dat" (high).
std::string coeffilename(int level, int brand, int refrigerant);

// Compressor list of a brand: Copeland Scroll only; "no" for every other brand and where none
// exists.
std::string listfilename(int level, int brand, int refrigerant);

// Coefficient file of a brand-table brand (1 "bock.dat", 3 "bitzer.dat", 4 "dwmcopeland.dat");
// empty for Copeland Scroll and out-of-range numbers.
std::string brandfilename(int brand);

// The coefficient file that holds a brand's records for a refrigerant: the shared brand file for
// the original five, "bock290.dat" and the like for a refrigerant named by its code; empty for
// Copeland Scroll and out-of-range brands.
std::string coefficientFileName(int brand, int refrigerant);

}  // namespace tundrix
