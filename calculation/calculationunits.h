// The calculation's links to the catalogue: the loaded units' chosen options by name, the row of
// a unit by name in a selection's result, what a result row records, and a catalogue unit found
// again in its unit list file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "basket/basketunit.h"
#include "calculation/calculation.h"
#include "calculation/reopencheck.h"
#include "catalogue/agregat.h"
#include "catalogue/unitlisttable.h"
#include "selection/selectionrun.h"

namespace tundrix {

// The options chosen on units 1..count of the loaded list, one entry per unit with any.
std::vector<OptionChoice> chosenOptions(const agregat& list);

struct OptionsApplied {
    int units = 0;                    // loaded units of the names chosen
    std::vector<Difference> missing;  // units not in the list, options no longer offered
};
// Clears every option flag, then ticks the named options of every loaded unit of that name.
OptionsApplied applyOptionChoices(agregat& list, const std::vector<OptionChoice>& choices);

// The result row (1..) of the unit called `name` (the catalogue name, without option letters)
// in a result just computed on `list`; 0 when it is not there.
int rowOfUnit(const SelectionResult& result, const agregat& list, std::string_view name);

// What a result row shows, for the record of a calculation.
ResultRecord resultRecord(CalcTab tab, const SelectionRow& row, const agregat& list);

// The catalogue unit behind a result row just computed on `list`, as the basket keeps it.
BasketUnit basketUnit(const agregat& list, UnitKind kind, int refrigerant,
                      const SelectionRow& row);

// The selection run's inputs for the calculation's shown tab, and the main window's inputs
// that give a selection run's (the tab of its kind; the level choice as given).
SelectionInputs selectionInputs(const Calculation& calculation, char decimalSeparator);
MainInputs mainInputs(const SelectionInputs& in);

// A unit as its unit list file holds it now.
struct ListedUnit {
    std::string price;        // unit price text
    std::string picturePath;  // relative path of its picture
    OptionBlock options;      // names and prices (no flags)
};
std::optional<ListedUnit> findListedUnit(const std::filesystem::path& dataDir,
                                         const BasketUnit& unit);
// The unit list file a unit is listed in (none when its name would leave the data folder), and
// the first unit of that name in a table read from it.
std::optional<std::filesystem::path> unitListFile(const std::filesystem::path& dataDir,
                                                  const BasketUnit& unit);
std::optional<ListedUnit> findListedUnit(const UnitListTable& table, std::string_view name);
// The unit price plus the prices of the named options, read as the selection reads prices.
double listedPrice(const ListedUnit& unit, const std::vector<std::string>& optionNames,
                   char decimalSeparator);

}  // namespace tundrix
