// tundrix-cli unit: one catalogued unit computed at given temperatures.
#include <nlohmann/json.hpp>

#include <ostream>

#include "calculation/jsontext.h"
#include "catalogue/catalogue.h"
#include "cli/commands.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"
#include "engine/refprop.h"
#include "engine/toolkit.h"

namespace tundrix::cli {

int runUnit(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv,
                 {"kind", "brand", "level", "refrigerant", "row", "to", "tc", "ambient",
                  "superheat", "subcool"},
                 {});
    const auto kind = static_cast<UnitKind>(kindFromCode(a.text("kind").value_or("")));
    const int brand = a.integer("brand", 1, 4), level = a.integer("level", 1, 3);
    const int r = refrigerantOption(a), row = a.integer("row", 1, 200);
    const double to = a.number("to");
    if (a.has("tc") == a.has("ambient"))
        throw UsageError("give exactly one of --tc and --ambient");
    const bool ambientMode = a.has("ambient");
    const double t2 = ambientMode ? a.number("ambient") : a.number("tc");
    const double sh = a.number("superheat", 10.0), sc = a.number("subcool", 0.0);

    auto cat = std::make_unique<Catalogue>(ctx.dataDir);
    if (!cat->conderlist.load(ctx.dataDir / "condensators.dat"))
        throw std::runtime_error("no condenser list in " + ctx.dataDir.string());
    cat->preloadtables(r);
    cat->levelon = {};
    cat->levelon[std::size_t(level)] = true;
    LoadChoices choices;
    choices.kind = kind;
    choices.refrigerant = r;
    choices.brandChecked[std::size_t(brand)] = true;
    choices.rackSizeChecked = {true, true, true, true, true, true};
    choices.exchanger = Exchanger::All;
    if (!cat->agrfileexists(kind, level, brand, r))
        throw std::runtime_error("no unit list agrdata/" + agrfilename(kind, level, brand, r));
    const int count = cat->loadunits(choices);
    if (row > count)
        throw UsageError("--row: the list holds " + std::to_string(count) + " units");

    CycleState cycle;
    if (!cycle.loadRefrigerant(r, ctx.dataDir))
        throw std::runtime_error("no property table for refrigerant " +
                                 std::string(refrigerantEntry(r).caption));
    cycle.superheat = sh;
    cycle.subcooling = sc;
    setCondfactor(cycle);
    // As in a selection run: the corrections use the second temperature the user gave.
    cycle.shfactor = capcorrection(cycle.table, 1.0, to, t2, sh, 0.0);
    cycle.corrfactor = capcorrection(cycle.table, 1.0, to, t2, sh, sc);

    const agregat& u = cat->agrlist;
    const Performance perf(u, cycle);
    const double tc = ambientMode ? perf.condensatetemp(to, t2, row) : t2;
    auto e = u.envelope(row);
    if (u.ncondensator[std::size_t(row)] != 0)
        e[1] = e[3] = e[5] = 0.0;
    const bool inside = inenvelope(to, tc, e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8],
                                   e[9], e[10], e[11]);
    const int c = u.indconder[std::size_t(row)];
    const double fans = Condenserprop::validEntry(c) ? u.condenser.numfuns(c) : 0.0;

    struct Row {
        const char* key;
        double value;
    };
    const Row rows[] = {
        {"to", to},
        {"tc", tc},
        {"capacity", perf.capacity(to, tc, row)},
        {"power", perf.power(to, tc, row)},
        {"heat", perf.heat(to, tc, row)},
        {"current", perf.current(to, tc, row)},
        {"fan_power", fans * u.condenser.funsCap(c)},
        {"fan_current", fans * u.condenser.funsCurrent(c)},
        {"corrfactor", cycle.corrfactor},
        {"shfactor", cycle.shfactor},
    };
    const std::string& name = u.name[std::size_t(row)];
    if (ctx.format == Format::Csv) {
        out << "quantity,value\nname,\"" << name << "\"\ninside," << (inside ? 1 : 0) << '\n';
        for (const Row& x : rows)
            out << x.key << ',' << jsonNumber(x.value) << '\n';
        return 0;
    }
    Json doc = {{"file", agrfilename(kind, level, brand, r)},
                {"row", row},
                {"name", name},
                {"has_data", perf.hasData(row)},
                {"inside", inside}};
    for (const Row& x : rows)
        doc[x.key] = x.value;
    writeJson(out, doc);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
