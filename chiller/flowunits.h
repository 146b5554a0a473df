// Flow of the cooled liquid: by mass or by volume, each in a few units, converted to kg/s.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tundrix {

// Flow type selector positions: "Массовый расход", "Объемный расход".
enum class FlowType { Mass = 0, Volume = 1 };

inline constexpr int kFlowTypeCount = 2;

std::string_view flowTypeName(FlowType type);

// The unit names of a flow type in selector order: mass "кг/сек", "кг/ч"; volume "л/сек",
// "л/час", "куб.м/ч".
const std::vector<std::string_view>& flowUnitNames(FlowType type);

// Mass flow in kg/s of `value` given in unit `unit` of `type`, for a liquid of density `density`
// (kg/m3). Volume units convert with the factor 1000 / density, so with water a litre counts as
// one kilogram. No value for a unit index the type does not have.
std::optional<double> massFlow(double value, FlowType type, int unit, double density);

}  // namespace tundrix
