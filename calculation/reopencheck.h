// What no longer matches the catalogue when a calculation is opened again: units that are no
// longer listed, prices that changed since saving, and results that moved by more than 0.5 %.
// Nothing is changed silently: the windows show these in one message, the command line prints
// them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "calculation/calculation.h"
#include "calculation/jsontext.h"
#include "selection/selectionrun.h"

namespace tundrix {

// Results are compared with this relative tolerance; prices to the cent.
inline constexpr double kResultTolerance = 0.005;

struct Difference {
    enum class Kind { UnitGone, OptionGone, PriceChanged, ResultChanged };
    Kind kind = Kind::UnitGone;
    std::string where;  // "cursor" (the unit under the cursor), "options", "basket"
    std::string unit;   // the unit (for an option gone, "unit: option")
    std::string field;  // what changed: "capacity", "power", "heat", "current", "price"
    double saved = BasketUnit::kNone;
    double now = BasketUnit::kNone;  // none: the unit shows no figure any more
};

// The saved cursor unit against its row now.
std::vector<Difference> compareResult(const ResultRecord& saved, const SelectionRow& now);

// Every basket row of a catalogue unit against its unit list file: gone, or another price for
// the unit with its options (the basket keeps the saved price).
std::vector<Difference> checkBasket(const std::vector<BasketRecord>& basket,
                                    const std::filesystem::path& dataDir, char decimalSeparator);

// One line for the user, numbers with the decimal separator.
std::string differenceText(const Difference& d, char decimalSeparator);
Json differenceJson(const Difference& d);

}  // namespace tundrix
