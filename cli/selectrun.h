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

#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "engine/cyclestate.h"
#include "selection/selectionrun.h"

namespace tundrix {
struct Calculation;
}

namespace tundrix::cli {

struct SelectionSetup {
    std::filesystem::path dataDir;
    SelectionInputs inputs;
    std::vector<std::pair<int, int>> options;  // (unit, option) flags set before the run
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

// Starts the way the main window does (condenser list, preloaded performance data), sets the
// chosen option flags, then runs the selection.
SelectionRun runSelection(const SelectionSetup& setup);

// What `select` prints of a run as CSV (its JSON document: selectionDocument, cli/documents.h).
void writeSelectionCsv(std::ostream& out, const SelectionRun& run);

// `select --save FILE.tundrix [--basket NAME:QTY ...]`: the calculation file of the run, with
// the named result units in its basket.
void saveSelection(const Args& a, const SelectionSetup& setup, const SelectionRun& run);

// The one FILE.tundrix a command takes, and the calculation in it (a file that cannot be read is
// a UsageError with the reason).
std::string fileArgument(const Args& a, const char* command);
Calculation openFile(const std::string& file);

}  // namespace tundrix::cli
