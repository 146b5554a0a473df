// What the catalogue holds for a kind of unit and a refrigerant, for a tab that shows no unit:
// the engineer learns whether the catalogue has no such units at all, has them at other
// temperature levels only, or has them from brands that are not ticked, rather than taking an
// empty tab for units that fail the conditions.
#pragma once

#include <array>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/choices.h"

namespace tundrix {

struct Coverage {
    std::array<bool, kLevels + 1> levels{};  // [1..3]: some brand has a unit list at that level
    // [1..4]: the brand has a unit list at one of the levels asked for
    std::array<bool, kBrands + 1> brandsAtLevels{};
};

Coverage coverage(const Catalogue& catalogue, UnitKind kind, int refrigerant,
                  const std::array<bool, kLevels + 1>& levelsAskedFor);

// One sentence for the tab, naming the refrigerant by its caption and the levels as the level
// choice does; empty when the catalogue covers the levels and brands asked for.
std::string coverageNote(const Coverage& held, int refrigerant,
                         const std::array<bool, kLevels + 1>& levelsAskedFor,
                         const std::array<bool, kBrands + 1>& brandsTicked);

}  // namespace tundrix
