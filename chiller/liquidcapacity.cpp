#include "chiller/liquidcapacity.h"

#include <array>

#include "selection/numbers.h"

namespace tundrix {

namespace {

constexpr std::array<std::string_view, kExchangerCount> kExchangers = {
    "Пластинчатый", "Кожухотрубный", "Погружной", "Все"};

// Every real exchanger type is designed for the same approach between the liquid and the
// refrigerant.
constexpr double kExchangerApproach = 5.0;

constexpr double kMaxConcentration = 50.0;

bool validLiquid(int i) {
    return i >= 0 && i < kLiquidCount;
}

}  // namespace

std::string_view exchangerName(int index) {
    if (index < 0 || index >= kExchangerCount)
        return {};
    return kExchangers[std::size_t(index)];
}

void ExchangerChoice::choose(int index) {
    if (index < 0 || index >= kExchangerCount)
        return;
    index_ = index;
    if (index != kExchangerAll)
        difference_ = kExchangerApproach;
}

void ExchangerChoice::restore(int index, double difference) {
    if (index >= 0 && index < kExchangerCount)
        index_ = index;
    difference_ = difference;
}

std::optional<CapacityResult> calculateCapacity(const LiquidInputs& in,
                                                const ExchangerChoice& exchanger, char sep) {
    if (in.inlet.empty() || in.outlet.empty() || in.flow.empty())
        return std::nullopt;
    if (!validLiquid(in.liquid) || in.flowType < 0 || in.flowType >= kFlowTypeCount)
        return std::nullopt;
    const double tIn = readNumber(in.inlet, sep, 0.0);
    const double tOut = readNumber(in.outlet, sep, 0.0);
    const double v = readNumber(in.flow, sep, 0.0);

    CapacityResult r;
    const auto liquid = Liquid(in.liquid);
    if (isGlycol(liquid)) {
        double c = readNumber(in.concentration, sep, 0.0);
        if (c > kMaxConcentration || c < 0.0) {
            c = kMaxConcentration;
            r.replacedConcentration = "50";
        }
        r.properties = glycolProperties(glycolTable(liquid), c);
    } else {
        r.properties = waterProperties();
    }
    const auto m = massFlow(v, FlowType(in.flowType), in.flowUnit, r.properties.density);
    if (!m)
        return std::nullopt;
    r.massFlow = *m;
    r.capacity = r.properties.specificHeat * r.massFlow * (tIn - tOut);
    r.capacityText = formatGeneral(r.capacity, sep);
    r.freezingWarning = tOut - exchanger.temperatureDifference() < r.properties.freezingPoint;
    return r;
}

LiquidSummary summarize(const LiquidInputs& in, std::string_view capacityText) {
    LiquidSummary s;
    s.requiredCapacity = capacityText;
    s.outletTemperature = in.outlet;
    if (validLiquid(in.liquid)) {
        const auto liquid = Liquid(in.liquid);
        s.liquid = liquidName(liquid);
        if (isGlycol(liquid))
            s.liquid += " " + in.concentration + "%";
    }
    if (in.flow.empty()) {
        s.flow = "не указан";
    } else {
        s.flow = in.flow + " ";
        if (in.flowType >= 0 && in.flowType < kFlowTypeCount) {
            const auto& units = flowUnitNames(FlowType(in.flowType));
            if (in.flowUnit >= 0 && std::size_t(in.flowUnit) < units.size())
                s.flow += units[std::size_t(in.flowUnit)];
        }
    }
    s.inletTemperature = in.inlet + " °C";
    s.exchanger = exchangerName(in.exchanger);
    s.outletUnit = "°C";
    return s;
}

}  // namespace tundrix
