#include "chiller/flowunits.h"

namespace tundrix {

std::string_view flowTypeName(FlowType type) {
    return type == FlowType::Mass ? "Массовый расход" : "Объемный расход";
}

const std::vector<std::string_view>& flowUnitNames(FlowType type) {
    static const std::vector<std::string_view> mass = {"кг/сек", "кг/ч"};
    static const std::vector<std::string_view> volume = {"л/сек", "л/час", "куб.м/ч"};
    return type == FlowType::Mass ? mass : volume;
}

std::optional<double> massFlow(double v, FlowType type, int unit, double rho) {
    if (type == FlowType::Mass) {
        switch (unit) {
            case 0:
                return v;
            case 1:
                return v / 3600.0;
            default:
                return std::nullopt;
        }
    }
    switch (unit) {
        case 0:
            return v * 1000.0 / rho;
        case 1:
            return v / 3600.0 * 1000.0 / rho;
        case 2:
            return v / 3600.0 * 1000000.0 / rho;
        default:
            return std::nullopt;
    }
}

}  // namespace tundrix
