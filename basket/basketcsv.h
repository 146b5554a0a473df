// The basket as a CSV file for a spreadsheet: the table as the basket window shows it (headings,
// one line per item) and the total, in UTF-8 with a byte-order mark and ";" between fields. The
// numbers keep the basket's decimal separator, so that a spreadsheet under the same locale reads
// them as numbers (with a decimal comma, "," cannot be the field separator).
#pragma once

#include <string>

#include "basket/basket.h"

namespace tundrix {

inline constexpr std::string_view kBasketTotalCaption = "Итого";

// Lines end in CR LF. The empty row kept for the next addition is not an item and is left out.
std::string basketCsv(const Basket& basket);

}  // namespace tundrix
