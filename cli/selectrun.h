// A selection run from command-line options, shared by the commands that print its result.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "basket/basket.h"
#include "calculation/jsontext.h"
#include "calculation/reopencheck.h"
#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "engine/cyclestate.h"
#include "seasonal/unitseasonal.h"
#include "selection/selectionrun.h"

namespace tundrix {
struct Calculation;
}

namespace tundrix::cli {

struct SelectionSetup {
    std::filesystem::path dataDir;
    SelectionInputs inputs;
    std::vector<std::pair<int, int>> options;  // (unit, option) flags set before the run
    bool owning = false;        // --owning: the cursor on the lowest cost of owning in the band
    SeasonalSettings seasonal;  // --floor, --climate, --tariff, --years
};

// The catalogue and cycle state stay alive with the result: its unit numbers refer to them.
struct SelectionRun {
    std::unique_ptr<Catalogue> catalogue;
    std::unique_ptr<CycleState> cycle;
    SelectionResult result;
};

// Options of `select` (the commands that print a selection accept these and their own).
const std::set<std::string>& selectValuedOptions();
const std::set<std::string>& selectFlags();

SelectionSetup selectionSetup(const Context& ctx, const Args& a);

// The seasonal settings of the options --floor, --climate, --tariff and --years (defaults 25 degC,
// the reference climate, 0.15 EUR/kWh, 10 years); a bad value is a UsageError.
SeasonalSettings seasonalSettings(const Args& a);
// With --owning, moves the run's cursor to the lowest cost of owning in the capacity band.
void placeOwning(const SelectionSetup& setup, SelectionRun& run);

// Starts the way the main window does (condenser list, preloaded performance data), sets the
// chosen option flags, then runs the selection.
SelectionRun runSelection(const SelectionSetup& setup);

// The two halves of runSelection, for a program that keeps a started catalogue for many runs:
// the start for one refrigerant, and a run on it (the unit list as a fresh start has it, the
// chosen option flags set).
SelectionRun startSelection(const std::filesystem::path& dataDir, int refrigerant);
void runSelection(SelectionRun& run, const SelectionSetup& setup);

// What `select` prints of a run as CSV (its JSON document: selectionDocument, cli/documents.h).
void writeSelectionCsv(std::ostream& out, const SelectionRun& run);

// A saved calculation computed again (`open`): the run of its shown tab with its options and
// the cursor on its saved unit, what changed since saving, and its basket.
struct OpenedCalculation {
    SelectionRun run;
    std::vector<Difference> differences;
    Basket basket;
};
OpenedCalculation openCalculation(const std::filesystem::path& dataDir,
                                  const Calculation& calculation, char decimalSeparator);
// What `open` prints of it as JSON: the selection document with the basket and the differences.
Json openDocument(const OpenedCalculation& opened, char decimalSeparator);

// `select --save FILE.tundrix [--basket NAME:QTY ...]`: the calculation file of the run, with
// the named result units in its basket.
void saveSelection(const Args& a, const SelectionSetup& setup, const SelectionRun& run);

// The one FILE.tundrix a command takes, and the calculation in it (a file that cannot be read is
// a UsageError with the reason).
std::string fileArgument(const Args& a, const char* command);
Calculation openFile(const std::string& file);

}  // namespace tundrix::cli
