// tundrix-cli refrigerants: the refrigerant table; and the --refrigerant option of the commands
// that take one.
#include <nlohmann/json.hpp>

#include <ostream>

#include "catalogue/refrigerants.h"
#include "cli/commands.h"
#include "cli/documents.h"

namespace tundrix::cli {

int refrigerantOption(const Args& a) {
    const auto t = a.text("refrigerant");
    if (!t)
        throw UsageError("missing option --refrigerant");
    if (const auto r = refrigerantByName(*t))
        return *r;
    // A number alone is an index, so a code of digits only ("22") needs its R ("R22").
    throw UsageError("--refrigerant: " + *t +
                     " is not in the refrigerant table; give an index, caption or code (a number "
                     "alone is an index: R22 for R22): " +
                     refrigerantNames());
}

void nameRefrigerant(Json& doc, int r) {
    doc["refrigerant"] = r;
    doc["refrigerant_code"] = std::string(refrigerantEntry(r).code);
    doc["refrigerant_caption"] = std::string(refrigerantEntry(r).caption);
}

Json refrigerantsDocument() {
    Json doc = Json::array();
    for (int r = 0; r < kRefrigerants; ++r) {
        const Refrigerant& e = refrigerantEntry(r);
        // An entry that names two refrigerants (R404A/R507) gives the GWP of each.
        Json gwpAll = Json::array();
        for (int g : e.gwp)
            if (g != 0)
                gwpAll.push_back(g);
        doc.push_back({{"index", r},
                       {"caption", std::string(e.caption)},
                       {"code", std::string(e.code)},
                       {"property_file", std::string(e.propertyFile)},
                       {"safety_class", std::string(e.safetyClass)},
                       {"gwp", e.gwp[0]},
                       {"gwp_all", std::move(gwpAll)},
                       {"flammable", flammable(e)},
                       {"label", safetyText(e)}});
    }
    return doc;
}

namespace {

// CSV cell: quoted when it holds a separator or a quote.
std::string csvCell(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s)
        q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
}

}  // namespace

int runRefrigerants(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, {}, {});
    if (!a.positional().empty())
        throw UsageError("refrigerants takes no arguments");
    if (ctx.format == Format::Csv) {
        out << "index,caption,code,property_file,safety_class,gwp,flammable,label\n";
        for (int r = 0; r < kRefrigerants; ++r) {
            const Refrigerant& e = refrigerantEntry(r);
            out << r << ',' << csvCell(std::string(e.caption)) << ',' << e.code << ','
                << e.propertyFile << ',' << e.safetyClass << ',' << gwpText(e) << ','
                << (flammable(e) ? "true" : "false") << ',' << csvCell(safetyText(e)) << '\n';
        }
        return 0;
    }
    writeJson(out, refrigerantsDocument());
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
