// The printed documents of the command line as models, so that another front end (the selection
// service) prints exactly what `report`, `list` and `offer` print.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculation/calculation.h"
#include "chiller/liquidcapacity.h"
#include "cli/selectrun.h"
#include "printing/offermodel.h"
#include "printing/reportmodel.h"

namespace tundrix::cli {

struct ReportOptions {
    std::optional<std::string> date;  // replaces the date and time of the calculation
    LiquidInputs liquid;              // the chilled liquid (chillers); its outlet is the run's
};

// The result row a report prints: `row`, or the cursor row when `row` is 0. Throws
// std::runtime_error when no unit stands in it.
int reportRow(const SelectionRun& run, int row);

// A unit's text file (description, delivery set) as the details view shows it: read as
// Windows-1251 unless it is UTF-8, the catalogue's placeholder text `fallback` when the unit's
// own file is missing; none when neither is there.
inline constexpr std::string_view kNoComplect = "Complect/Нет.txt";
inline constexpr std::string_view kNoText = "Textfiles/Нет.txt";
std::optional<std::string> unitText(const Catalogue& cat, const std::string& relative,
                                    std::string_view fallback);

// The technical-data rows of a unit, heading first, as the details view fills its grid (a row
// that says why when the store cannot be read). Uses QtSql: the calling thread owns the
// connection.
std::vector<ReportRow> techData(const std::filesystem::path& dataDir, UnitKind kind,
                                const std::string& name);

// The report "Выбранная установка" on result row `row` of the run. Needs guiApplication().
ReportModel reportModel(const ReportOptions& options, const SelectionSetup& setup,
                        const SelectionRun& run, int row);

// The list "Список выбора" of the run; throws std::runtime_error when the pages are hidden.
// Needs guiApplication().
ListModel listModel(const SelectionRun& run);

// The commercial offer of a calculation's basket on the catalogue in `dataDir`; number and date
// default to the calculation's time of saving. Needs guiApplication().
OfferModel offerModel(const Calculation& calculation, const std::filesystem::path& dataDir,
                      char decimalSeparator, const std::optional<std::string>& number,
                      const std::optional<std::string>& date);

}  // namespace tundrix::cli
