// The printed documents of a selection run made from the run itself rather than from the main
// window's fields: the report "Выбранная установка" on one result row and the list "Список
// выбора", as tundrix-cli and the selection service print them. The fields are those the
// details view leaves for the row (a chiller's evaporating temperature from its outlet, the
// condensing temperature of a unit with condensers from the balance).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chiller/liquidcapacity.h"
#include "printing/reportmodel.h"
#include "seasonal/unitseasonal.h"
#include "selection/selectionrun.h"

namespace tundrix {

class Catalogue;
struct CycleState;

struct ReportOptions {
    std::optional<std::string> date;  // replaces the present date and time
    LiquidInputs liquid;              // the chilled liquid (chillers); its outlet is the run's
    SeasonalSettings seasonal;        // the seasonal section of a condensing unit's report
};

// The result row a report prints: `row`, or the cursor row when `row` is 0. Throws
// std::runtime_error when no unit stands in it.
int reportRow(const SelectionResult& result, const agregat& units, int row);

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
std::vector<ReportRow> techDataRows(const std::filesystem::path& dataDir, UnitKind kind,
                                    const std::string& name);

// The report on result row `row` of a run on `cat` and `cycle` with the inputs `in`. Needs a
// QGuiApplication (fonts). The cycle is put back as it was after the seasonal rating points.
ReportModel selectionReport(const ReportOptions& options, const SelectionInputs& in,
                            const Catalogue& cat, CycleState& cycle,
                            const SelectionResult& result, int row);

// The selection list of a result; throws std::runtime_error when the pages are hidden. Needs a
// QGuiApplication (fonts).
ListModel selectionList(const SelectionResult& result);

}  // namespace tundrix
