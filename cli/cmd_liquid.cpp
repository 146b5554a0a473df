// tundrix-cli liquid: the chilled-liquid calculation of the chiller tab's liquid dialog.
#include <nlohmann/json.hpp>

#include <ostream>

#include "calculation/jsontext.h"
#include "chiller/liquidcapacity.h"
#include "cli/commands.h"

namespace tundrix::cli {

int runLiquid(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv,
                 {"liquid", "concentration", "inlet", "outlet", "flow", "flow-type", "flow-unit",
                  "exchanger", "exchanger-history"},
                 {});
    // The fields are taken as the dialog takes its edits: a field left out is empty, and text
    // that is not a number counts as 0.
    LiquidInputs in;
    in.liquid = a.integer("liquid", 0, kLiquidCount - 1, 0);
    in.concentration = a.text("concentration").value_or("");
    in.inlet = a.text("inlet").value_or("");
    in.outlet = a.text("outlet").value_or("");
    in.flow = a.text("flow").value_or("");
    in.flowType = a.integer("flow-type", 0, kFlowTypeCount - 1, 0);
    in.flowUnit = a.integer("flow-unit", 0, 2, 0);
    ExchangerChoice exchanger;
    if (a.has("exchanger-history"))
        for (int i : a.integers("exchanger-history", 0, kExchangerCount - 1))
            exchanger.choose(i);
    if (a.has("exchanger"))
        exchanger.choose(a.integer("exchanger", 0, kExchangerCount - 1));
    in.exchanger = exchanger.index();

    const auto r = calculateCapacity(in, exchanger, '.');
    if (!r)
        throw std::runtime_error(std::string(kMissingDataMessage));
    const std::string concentration = r->replacedConcentration.value_or(in.concentration);

    struct Row {
        const char* key;
        double value;
    };
    const Row rows[] = {
        {"capacity", r->capacity},
        {"mass_flow", r->massFlow},
        {"freezing_point", r->properties.freezingPoint},
        {"density", r->properties.density},
        {"specific_heat", r->properties.specificHeat},
        {"exchanger_difference", exchanger.temperatureDifference()},
    };
    if (ctx.format == Format::Csv) {
        out << "quantity,value\n";
        for (const Row& row : rows)
            out << row.key << ',' << jsonNumber(row.value) << '\n';
        out << "capacity_text," << r->capacityText << '\n'
            << "freezing_warning," << (r->freezingWarning ? 1 : 0) << '\n';
        return 0;
    }
    Json doc = {
        {"liquid", std::string(liquidName(Liquid(in.liquid)))},
        {"concentration", concentration},
        {"concentration_replaced", r->replacedConcentration.has_value()},
        {"flow_unit", std::string(flowUnitNames(FlowType(in.flowType))[std::size_t(in.flowUnit)])},
        {"exchanger", std::string(exchangerName(exchanger.index()))},
        {"capacity_text", r->capacityText},
        {"freezing_warning", r->freezingWarning}};
    for (const Row& row : rows)
        doc[row.key] = row.value;
    writeJson(out, doc);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
