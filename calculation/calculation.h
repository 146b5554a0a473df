// A calculation as the user leaves it: every input of the main window and of the chilled-liquid
// dialog, the chosen options, the unit under the cursor of each kind tab, the basket, and, for
// the record, the results shown at that moment. It is what a calculation file (.tundrix) holds
// and what reopening one restores; the windows and the command line fill it and read it.
//
// Numbers the user types are kept as numbers (no decimal separator), an empty field as none, so
// that a file saved under one locale reads the same under another.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "basket/basket.h"
#include "basket/basketunit.h"
#include "catalogue/choices.h"
#include "chiller/liquidcapacity.h"

namespace tundrix {

// The main window's tabs in their order.
enum class CalcTab { Description = 0, Condensing = 1, Receiver = 2, Rack = 3, Chiller = 4 };
inline constexpr int kUnitTabs = 4;  // the kind tabs, Condensing .. Chiller

// "description", "out", "agr", "mka", "chiller".
std::string_view tabCode(CalcTab tab);
std::optional<CalcTab> tabFromCode(std::string_view code);
// The kind tab (1..4) of a kind of unit: the chiller kinds belong to the chiller tab.
CalcTab tabOfKind(UnitKind kind);

struct MainInputs {
    CalcTab tab = CalcTab::Condensing;
    // Fields: none when empty (or not a number, which the selection reads as empty).
    std::optional<double> evaporate = -25, condensate = 45, ambient = 30;
    std::optional<double> superheat = 10, subcool = 0, required;
    std::optional<double> outlet = 15;      // chiller tab: liquid outlet temperature
    bool cheapest = false;                  // "По минимальной цене"
    int refrigerant = kDefaultRefrigerant;  // refrigerant selector index
    int level = 1;                          // "Исполнение" index 0..5
    std::array<bool, kBrands + 1> brands{false, true, false, false, false};  // [1..4]
    std::array<bool, 6> racks{false, false, true, true, true, true};         // [2..5]
    bool ambientMode = true;    // condensing temperature from the ambient (its field locked)
    int chillerType = 0;        // 0..6
    bool useEvaporate = false;  // "Использовать температуру кипения"
};

// The chilled-liquid dialog.
struct LiquidSettings {
    int liquid = 0;
    std::optional<double> concentration;
    std::optional<double> inlet = 20, outlet = 15, flow;
    int flowType = 0;
    int flowUnit = 0;
    int exchanger = kExchangerAll;
    double exchangerDifference = 0;  // what the exchanger choices so far have left (0 or 5 K)
    std::optional<double> capacity;  // the capacity the dialog shows
};

// Options chosen on a unit of the loaded list, by names.
struct OptionChoice {
    std::string unit;
    std::vector<std::string> options;
    bool operator==(const OptionChoice&) const = default;
};

// The cursor row of a kind tab at saving: what it showed.
struct ResultRecord {
    CalcTab tab = CalcTab::Condensing;
    std::string name;  // catalogue name of the unit
    double capacity = BasketUnit::kNone, power = BasketUnit::kNone, heat = BasketUnit::kNone;
    double current = BasketUnit::kNone, price = BasketUnit::kNone;
};

// A basket cell that holds a number: the number when the text reads as one, else the text.
struct BasketValue {
    std::optional<double> number;
    std::string text;
    bool operator==(const BasketValue&) const = default;
};

struct BasketRecord {
    std::string type, model;
    BasketValue quantity, price;
    double cost = BasketUnit::kNone;  // for the record; recomputed on reading
    std::optional<BasketUnit> unit;
};

struct Calculation {
    std::string saved;  // local date and time of saving, "2025-03-01T10:15:00"
    MainInputs inputs;
    LiquidSettings liquid;
    std::vector<OptionChoice> options;
    std::array<std::string, kUnitTabs> cursor;  // [tab - 1]: name of the cursor unit, or empty
    std::vector<ResultRecord> results;
    std::vector<BasketRecord> basket;
    double total = BasketUnit::kNone;  // for the record
};

// A typed field as the calculation keeps it, and back (empty for none).
std::optional<double> fieldNumber(std::string_view text, char decimalSeparator);
std::string fieldText(const std::optional<double>& value, char decimalSeparator);

// The basket's item rows as records, and records as the basket's rows (with the decimal
// separator of the program reading them).
std::vector<BasketRecord> basketRecords(const Basket& basket, char decimalSeparator);
std::vector<Basket::Item> basketItems(const std::vector<BasketRecord>& records,
                                      char decimalSeparator);

}  // namespace tundrix
