// Which price file ("Pricedata/mashineN.dat") belongs to a kind of unit, level, brand and
// refrigerant: what the unit list editor's price filling reads and what the sample catalogue
// writes.
#pragma once

#include <string>

#include "catalogue/choices.h"

namespace tundrix {

// The files of the original five refrigerants are numbered 1..44; each later refrigerant has
// a block of kPriceBlock numbers of its own after them.
inline constexpr int kOriginalPriceFiles = 44;
inline constexpr int kPriceBlock = 40;

// N for a kind, level (1..3), brand (1 Bock, 2 Copeland Scroll, 3 Bitzer, 4 Copeland Stream)
// and refrigerant index, or 0 when no price file belongs to them. For the five, the rules are
// tried in a fixed order and a later match replaces an earlier one; some depend on the
// refrigerant, and refrigerant -1 (none chosen) meets none of those. A refrigerant named by its
// code takes the five's number n for the same kind, level and brand and maps it into its block
// (44 + 40 * (its place among those refrigerants) + s): s = n for n = 1..24, n - 3 for n =
// 28..42, and s = 40 for high-temperature Copeland Scroll condensing units, which the five number
// by refrigerant (25, 26, 27). No kind of unit means no price file.
int priceFileNumber(UnitKind kind, int level, int brand, int refrigerant);

// "Pricedata/mashineN.dat", relative to the data folder.
std::string priceFileName(int number);

}  // namespace tundrix
