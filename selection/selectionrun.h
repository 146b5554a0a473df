// The selection run: computes every catalogued unit of the shown kind for the operating
// conditions typed on the main window, lists them ascending by cooling capacity with power input,
// heat rejection, current and price, and places the cursor on the unit that meets the required
// capacity (or on the cheapest one in the capacity band). The windows and the command line pass
// the texts of their fields and show what comes back; nothing here touches a widget.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/choices.h"
#include "engine/cyclestate.h"

namespace tundrix {

// Texts shown by the run.
inline constexpr std::string_view kUnitHeading = "Агрегат";
inline constexpr std::string_view kChillerHeading = "Холодильная установка";
inline constexpr std::array<std::string_view, 5> kValueHeadings = {
    "Холод-сть, кВт", "Мощность, кВт", "Теплоотдача, кВт", "Ток, А", "Цена(EUR)"};
inline constexpr std::string_view kRunningText = "Идет расчет";
inline constexpr std::string_view kCountText = "Всего установок:";
inline constexpr std::string_view kNoUnitsText = "Установок с заданными характеристиками нет.";
inline constexpr std::string_view kNoCheapestText =
    "Нет установок с холодопроизводительностью от 0,95 до 1,3 требуемой";

// The capacity band of "По минимальной цене", as factors of the required capacity (exclusive).
inline constexpr double kBandLow = 0.95;
inline constexpr double kBandHigh = 1.3;

// Levels covered by the level choice (index of "Исполнение"): [1..3], index 0 unused.
// 0 all, 1 low, 2 middle, 3 high, 4 low and middle, 5 middle and high; none for other indices.
std::array<bool, kLevels + 1> levelsForChoice(int choiceIndex);
// The evaporating temperature text the level choice puts into `evaporate` ("-25", "-10", "10"
// for indices 1, 2, 3); empty when it leaves the field alone.
std::string_view evaporateForChoice(int choiceIndex);

struct SelectionInputs {
    // Texts of the fields, as typed.
    std::string required;           // Edit11: required cooling capacity, kW (default 0)
    std::string evaporate = "-25";  // evaporating temperature (default 0)
    std::string condensate = "45";  // condensing temperature (default 0)
    std::string ambient = "30";     // Edit7: ambient temperature (default 0)
    std::string superheat = "10";   // K (default 10)
    std::string subcool = "0";      // K (default 0)
    std::string outlet;             // Edit23: chilled-liquid outlet temperature (default 0)
    char decimalSeparator = ',';

    UnitKind kind = UnitKind::Out;  // the shown tab; on the chiller tab the chiller type's kind
    bool ambientMode = true;        // `condensate` read-only: tc from the ambient by the balance
    int refrigerant = 0;            // index of the refrigerant table
    std::array<bool, kBrands + 1> brandChecked{};  // [1..4]
    // Level choice index applied to the catalogue's levelon before the run; -1 keeps levelon.
    int levelChoice = -1;
    std::array<bool, 6> rackSizeChecked{false, false, true, true, true, true};  // [2..5]
    Exchanger exchanger = Exchanger::All;  // chilled-liquid dialog's heat exchanger choice
    bool useEvaporate = false;  // CheckBox3 "Использовать температуру кипения" (chiller tab)
    bool cheapest = false;  // CheckBox5 "По минимальной цене"
    int cursorRow = 1;      // the grid's cursor row before the run (kept when M <= 0)
};

// One result row. Cells are the texts shown; values are the numbers behind them at full
// precision, NaN where the cell is empty.
struct SelectionRow {
    std::array<std::string, 6> cells;
    int unit = 0;  // unit number in agrlist (0 for the heading and an empty row)
    double to = 0;
    double tc = 0;
    // Operating point inside the unit's envelope, and capacity and power input computed as
    // finite positive numbers; the figures are NaN otherwise.
    bool inside = false;
    double capacity = 0, power = 0, heat = 0, current = 0;
    double price = 0;  // unit price plus the chosen options' prices
};

struct SelectionResult {
    bool pagesHidden = false;  // no unit list for any checked brand and covered level
    // With the pages hidden: what the catalogue holds for the kind and refrigerant instead
    // (other levels, other brands, or nothing), one sentence.
    std::string coverage;
    // Grid rows as shown, row 0 the headings. Empty when the pages are hidden (the grid keeps
    // what it showed). With unit lists that hold no unit: the headings and one empty row.
    std::vector<SelectionRow> rows;
    int count = 0;              // agrlist.count (0 when hidden)
    int cursorRow = 1;          // grid row of the cursor, 1..rows - 1 (never the heading)
    std::string modelLabel;     // column 0 of the cursor row
    std::string progressLabel;  // "Всего установок:" + count
    // Last value given to the progress bar (0..100); -1 when the run did not move it (no unit
    // inside its envelope), so that the bar stays as it was.
    int progress = -1;
    // Set when "По минимальной цене" found no unit in the band (the cursor then is on row 1).
    std::string message;
    double shfactor = 1.0;
    double corrfactor = 1.0;
};

// Progress of the run: the progress bar's new value (0..100; -1 leaves the bar as it is) and the
// progress label's text.
using SelectionProgress = std::function<void(int percent, std::string_view label)>;

// Runs the selection on the catalogue and the cycle state: loads the refrigerant's property table
// and the unit lists, sets the cycle's superheat, subcooling, shfactor and corrfactor, and leaves
// agrlist with the loaded units, their display order and normalised price texts.
SelectionResult Tableoperations(Catalogue& catalogue, CycleState& cycle, const SelectionInputs& in,
                                const SelectionProgress& progress = {});

}  // namespace tundrix
