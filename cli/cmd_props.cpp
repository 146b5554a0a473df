// tundrix-cli props: what the property tables give for one set of cycle temperatures.
#include <nlohmann/json.hpp>

#include <ostream>

#include "catalogue/refrigerants.h"
#include "cli/commands.h"
#include "cli/documents.h"
#include "engine/cyclestate.h"
#include "engine/refprop.h"

namespace tundrix::cli {

int runProps(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, {"refrigerant", "to", "tc", "superheat", "subcool"}, {});
    const int r = refrigerantOption(a);
    const double to = a.number("to"), tc = a.number("tc");
    const double sh = a.number("superheat", 10.0), sc = a.number("subcool", 0.0);

    CycleState cycle;
    if (!cycle.loadRefrigerant(r, ctx.dataDir))
        throw std::runtime_error("no property table for refrigerant " +
                                 std::string(refrigerantEntry(r).caption) + " in " +
                                 ctx.dataDir.string());
    const PropertyTable& t = cycle.table;
    struct Row {
        const char* key;
        double value;
    };
    const Row rows[] = {
        {"corrfactor", capcorrection(t, 1.0, to, tc, sh, sc)},
        {"shfactor", capcorrection(t, 1.0, to, tc, sh, 0.0)},
        {"refeffect", refeffect(t, to, tc, sh, sc)},
        {"to_p_bubble", satprop(1, 2, t, to)},
        {"to_p_dew", satprop(1, 3, t, to)},
        {"to_h_liquid", satprop(1, 6, t, to)},
        {"to_h_vapour", satprop(1, 7, t, to)},
        {"tc_p_bubble", satprop(1, 2, t, tc)},
        {"tc_p_dew", satprop(1, 3, t, tc)},
        {"tc_h_liquid", satprop(1, 6, t, tc)},
        {"tc_h_vapour", satprop(1, 7, t, tc)},
    };
    if (ctx.format == Format::Csv) {
        out << "quantity,value\n";
        for (const Row& row : rows)
            out << row.key << ',' << jsonNumber(row.value) << '\n';
        return 0;
    }
    Json doc = Json::object();
    nameRefrigerant(doc, r);
    doc.update({{"to", to}, {"tc", tc}, {"superheat", sh}, {"subcool", sc}});
    for (const Row& row : rows)
        doc[row.key] = row.value;
    writeJson(out, doc);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
