// tundrix-cli calc: the calculator of the description tab for one assembled machine.
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

#include "calculation/jsontext.h"
#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "cli/locale.h"
#include "engine/cyclestate.h"
#include "selection/calculator.h"
#include "selection/numbers.h"

namespace tundrix::cli {
namespace {

int position(const Args& a, const std::string& name, const SelectorFill& fill, int fallback) {
    const int size = int(fill.items.size());
    if (!a.has(name))
        return fallback;
    if (size == 0)
        throw UsageError("--" + name + ": the selector is empty");
    return a.integer(name, 0, size - 1);
}

const std::string& itemName(const SelectorFill& fill, int pos) {
    static const std::string none;
    return pos >= 0 && pos < int(fill.items.size()) ? fill.items[std::size_t(pos)] : none;
}

}  // namespace

int runCalc(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv,
                 {"brand", "level", "refrigerant", "compressor", "count", "compressor2", "count2",
                  "condenser", "condensers", "to", "ambient", "tc", "superheat", "subcool"},
                 {});
    const char sep = localeDecimalSeparator();
    CalculatorInputs in;
    in.decimalSeparator = sep;
    in.brand = a.integer("brand", 1, 4);
    in.level = a.integer("level", 1, 3);
    in.refrigerant = refrigerantOption(a);
    if (a.has("tc") == a.has("ambient"))
        throw UsageError("give exactly one of --tc and --ambient");
    in.typedCondensing = a.has("tc");
    in.evaporate = formatGeneral(a.number("to"), sep);
    if (in.typedCondensing)
        in.condensate = formatGeneral(a.number("tc"), sep);
    else
        in.ambient = formatGeneral(a.number("ambient"), sep);
    in.superheat = formatGeneral(a.number("superheat", 10.0), sep);
    in.subcool = formatGeneral(a.number("subcool", 0.0), sep);
    in.count1 = a.integer("count", 1, 10, 1);
    in.secondGroup = a.has("compressor2");
    in.count2 = a.integer("count2", 1, 10, 1);
    in.condenserCount = a.integer("condensers", 1, 6, 1);

    auto cat = std::make_unique<Catalogue>(ctx.dataDir);
    const CalculatorLists lists = cat->FullDataUpdate(in.level, in.brand, in.refrigerant);
    if (lists.noCompressors)
        throw std::runtime_error("\"" + std::string(kNoCompressors) +
                                 "\" for this brand, level and refrigerant");
    if (!a.has("compressor"))
        throw UsageError("missing option --compressor");
    if (!a.has("condenser"))
        throw UsageError("missing option --condenser");
    in.compressor1 = position(a, "compressor", lists.selectcompr, 0);
    in.compressor2 = position(a, "compressor2", lists.selectcompr2, 0);
    in.condenser = position(a, "condenser", lists.condensator, 0);

    CycleState cycle;
    cycle.refrigerant = in.refrigerant;
    setCondfactor(cycle);
    const CalculatorResult r = Action3Execute(*cat, cycle, in);

    if (ctx.format == Format::Csv) {
        out << "quantity,value,text\n";
        out << "tc," << jsonNumber(r.tc) << ',' << r.condensate << '\n';
        out << "capacity," << jsonNumber(r.capacity) << ',' << r.solution << '\n';
        out << "power," << jsonNumber(r.power) << ',' << r.edit1 << '\n';
        out << "heat," << jsonNumber(r.heat) << ',' << r.edit2 << '\n';
        out << "current," << jsonNumber(r.current) << ',' << r.edit3 << '\n';
        out << "inside," << (r.outOfEnvelope ? 0 : 1) << ",\n";
        return 0;
    }
    const Json doc = {
        {"compressor", itemName(lists.selectcompr, in.compressor1)},
        {"compressor2", in.secondGroup ? itemName(lists.selectcompr2, in.compressor2) : ""},
        {"condenser", itemName(lists.condensator, in.condenser)},
        {"computed", r.computed},
        {"to", r.to},
        {"tc", r.tc},
        {"capacity", r.capacity},
        {"power", r.power},
        {"heat", r.heat},
        {"current", r.current},
        {"texts",
         {{"condensate", r.condensate},
          {"solution", r.solution},
          {"Edit1", r.edit1},
          {"Edit2", r.edit2},
          {"Edit3", r.edit3}}},
        {"envelope", r.envelope},
        {"inside", !r.outOfEnvelope}};
    writeJson(out, doc);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
