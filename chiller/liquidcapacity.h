// The chilled-liquid calculation: from the liquid, its flow and its inlet and outlet
// temperatures to the cooling capacity a chiller must deliver, plus the freezing check and the
// texts the main window shows for the liquid.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "chiller/flowunits.h"
#include "chiller/liquids.h"

namespace tundrix {

// Shown when an input the calculation needs is missing.
inline constexpr std::string_view kMissingDataMessage = "Введите пожалуйста все данные";

// Heat exchanger types in selector order; the last one, "Все", is the one chosen at start.
inline constexpr int kExchangerCount = 4;
inline constexpr int kExchangerAll = 3;
std::string_view exchangerName(int index);  // empty for an index out of range

// The exchanger temperature difference that the freezing check subtracts from the outlet
// temperature. It starts at 0 K; choosing a real exchanger type sets 5 K, and choosing "Все"
// keeps whatever difference the last real choice left.
class ExchangerChoice {
  public:
    void choose(int index);
    // The choice as a saved calculation left it: the type and the difference earlier choices
    // had set.
    void restore(int index, double difference);
    int index() const { return index_; }
    double temperatureDifference() const { return difference_; }

  private:
    int index_ = kExchangerAll;
    double difference_ = 0.0;
};

// The dialog's inputs as the user left them: texts as typed and selector positions (-1 when a
// selector shows no item).
struct LiquidInputs {
    std::string inlet = "20";   // t_in, degC
    std::string outlet = "15";  // t_out, degC
    std::string flow;           // flow value in the chosen unit
    std::string concentration;  // glycol concentration, per cent by mass
    int liquid = int(Liquid::Water);
    int flowType = int(FlowType::Mass);
    int flowUnit = 0;
    int exchanger = kExchangerAll;
};

struct CapacityResult {
    LiquidProperties properties;
    double massFlow = 0.0;     // kg/s
    double capacity = 0.0;     // kW
    std::string capacityText;  // the capacity in general form
    bool freezingWarning = false;
    // Set when the concentration was out of 0..50 % and was replaced: the text the edit shows.
    std::optional<std::string> replacedConcentration;
};

// Q = cp * m * (t_in - t_out). No result (the caller shows kMissingDataMessage and changes
// nothing) when the inlet, outlet or flow text is empty, or the liquid, flow type or flow unit
// has no chosen item. Texts that are not numbers count as 0. A concentration above 50 % or below
// 0 % is computed as 50 %.
std::optional<CapacityResult> calculateCapacity(const LiquidInputs& in,
                                                const ExchangerChoice& exchanger,
                                                char decimalSeparator);

// What the main window's chiller tab shows for the liquid.
struct LiquidSummary {
    std::string requiredCapacity;   // Edit11: the capacity text of the dialog
    std::string outletTemperature;  // Edit23: the outlet temperature as typed
    std::string liquid;             // Label51: "Вода", or "Этиленгликоль 30%"
    std::string flow;               // Label52: "2,5 кг/сек", or "не указан"
    std::string inletTemperature;   // Label53: "20 °C"
    std::string exchanger;          // Label55: the exchanger type
    std::string outletUnit;         // Label56: "°C"
};

LiquidSummary summarize(const LiquidInputs& in, std::string_view capacityText);

}  // namespace tundrix
