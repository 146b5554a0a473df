// tundrix-cli refrigerants: the refrigerant table; and the --refrigerant option of the commands
// that take one.
#include <ostream>

#include "catalogue/refrigerants.h"
#include "cli/commands.h"
#include "cli/json.h"

namespace tundrix::cli {

int refrigerantOption(const Args& a) {
    const auto t = a.text("refrigerant");
    if (!t)
        throw UsageError("missing option --refrigerant");
    const std::string range = "0.." + std::to_string(kRefrigerants - 1);
    const auto v = parseInt(*t);
    if (!v)
        throw UsageError("--refrigerant: expected a refrigerant index " + range + ", got " + *t);
    if (!validRefrigerant(*v))
        throw UsageError("--refrigerant: " + *t + " is not in the refrigerant table (" + range +
                         ", see 'tundrix-cli refrigerants')");
    return *v;
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
    JsonWriter j(out);
    j.beginArray();
    for (int r = 0; r < kRefrigerants; ++r) {
        const Refrigerant& e = refrigerantEntry(r);
        j.beginObject()
            .field("index", r)
            .field("caption", e.caption)
            .field("code", e.code)
            .field("property_file", e.propertyFile)
            .field("safety_class", e.safetyClass)
            .field("gwp", e.gwp[0]);
        // An entry that names two refrigerants (R404A/R507) gives the GWP of each.
        j.key("gwp_all").beginArray();
        for (int g : e.gwp)
            if (g != 0)
                j.value(g);
        j.endArray();
        j.field("flammable", flammable(e)).field("label", safetyText(e)).endObject();
    }
    j.endArray();
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
