// The options a catalogued unit can carry (up to 11 extras, each a name, a price and a chosen
// flag) as the options window lists and changes them. The flags live in the loaded unit list
// only; the selection run adds the prices of the chosen options to the unit price.
#pragma once

#include <string>
#include <vector>

#include "catalogue/agregat.h"

namespace tundrix {

struct OptionLine {
    std::string name;
    bool ticked = false;
};

// The lines the options window shows for unit `unit`: options 1, 2, ... up to the first one
// without a name, each ticked when its flag is set. Empty for a unit number out of range.
std::vector<OptionLine> optionLines(const agregat& list, int unit);

// Applies the window's ticks (line j is option j + 1) to unit `unit` and to every loaded unit of
// the same temperature level and brand: units of one family are built alike and offer the same
// options, so a choice made on one holds for all of them. Options beyond the given lines keep
// their flags. A unit number out of range changes nothing.
void applyOptionTicks(agregat& list, int unit, const std::vector<bool>& ticks);

// Clears every option flag of every unit, whatever its level and brand, including list positions
// beyond the units now loaded (a later, longer list must not bring back a cleared choice).
void clearAllOptions(agregat& list);

}  // namespace tundrix
