// tundrix-cli select: the selection run of one unit tab, as its "подбор" button runs it.
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <memory>
#include <ostream>

#include "catalogue/catalogue.h"
#include "catalogue/datadir.h"
#include "cli/commands.h"
#include "cli/documents.h"
#include "cli/locale.h"
#include "cli/selectrun.h"
#include "engine/cyclestate.h"
#include "selection/numbers.h"
#include "selection/selectionrun.h"

namespace tundrix::cli {
namespace {

// A number given on the command line ("." as decimal point) as the text a user would type.
std::string typed(const Args& a, const std::string& name, char sep) {
    return a.has(name) ? formatGeneral(a.number(name), sep) : std::string();
}

void writeCsvField(std::ostream& out, const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) {
        out << s;
        return;
    }
    out << '"';
    for (const char c : s)
        out << (c == '"' ? "\"\"" : std::string(1, c));
    out << '"';
}

}  // namespace

SelectionSetup selectionSetup(const Context& ctx, const Args& a) {
    SelectionSetup s;
    const char sep = localeDecimalSeparator();
    SelectionInputs& in = s.inputs;
    in.decimalSeparator = sep;
    in.kind = static_cast<UnitKind>(kindFromCode(a.text("kind").value_or("")));
    in.refrigerant = refrigerantOption(a);
    in.brandChecked = {};
    for (const int b : a.integers("brands", 1, 4))
        in.brandChecked[std::size_t(b)] = true;
    in.levelChoice = a.integer("level", 0, 5);
    if (a.has("tc") == a.has("ambient"))
        throw UsageError("give exactly one of --tc and --ambient");
    in.ambientMode = a.has("ambient");
    in.evaporate = typed(a, "to", sep);
    if (in.ambientMode)
        in.ambient = typed(a, "ambient", sep);
    else
        in.condensate = typed(a, "tc", sep);
    in.superheat = a.has("superheat") ? typed(a, "superheat", sep) : formatGeneral(10, sep);
    in.subcool = a.has("subcool") ? typed(a, "subcool", sep) : formatGeneral(0, sep);
    in.required = typed(a, "capacity", sep);
    in.outlet = typed(a, "outlet", sep);
    in.cheapest = a.flag("cheapest");
    in.useEvaporate = a.flag("use-to");
    if (a.has("racks")) {
        in.rackSizeChecked = {};
        for (const int n : a.integers("racks", 2, 5))
            in.rackSizeChecked[std::size_t(n)] = true;
    }
    in.exchanger = static_cast<Exchanger>(a.integer("exchanger", 0, 3, 3));
    for (const std::string& o : a.all("option")) {
        const auto colon = o.find(':');
        const auto unit = parseInt(o.substr(0, colon));
        const auto option =
            colon == std::string::npos ? std::nullopt : parseInt(o.substr(colon + 1));
        if (!unit || !option || !agregat::validUnit(*unit) || !OptionBlock::validOption(*option))
            throw UsageError("--option: expected K:J with K 1..1000 and J 1..11, got " + o);
        s.options.emplace_back(*unit, *option);
    }
    s.dataDir = ctx.dataDir;
    return s;
}

SelectionRun runSelection(const SelectionSetup& s) {
    // An empty or wrong folder would select nothing and look like a catalogue without such units.
    if (!holdsCatalogue(s.dataDir))
        throw std::runtime_error("no catalogue in " + s.dataDir.string() +
                                 " (neither condensators.dat nor agrdata/); choose it with --data DIR");
    SelectionRun run;
    run.catalogue = std::make_unique<Catalogue>(s.dataDir);
    run.cycle = std::make_unique<CycleState>();
    Catalogue& cat = *run.catalogue;
    // What the main window does when it is first shown: condenser list, preloaded data.
    cat.conderlist.load(s.dataDir / "condensators.dat");
    cat.preloadtables(s.inputs.refrigerant);
    run.cycle->refrigerant = s.inputs.refrigerant;
    setCondfactor(*run.cycle);
    for (const auto& [unit, option] : s.options)
        cat.agrlist.optionagr[std::size_t(unit)].flag[std::size_t(option)] = true;
    run.result = Tableoperations(cat, *run.cycle, s.inputs);
    return run;
}

void writeSelectionCsv(std::ostream& out, const SelectionRun& run) {
    const SelectionResult& r = run.result;
    const std::size_t first = r.rows.empty() ? 0 : 1;  // row 0 holds the headings
    out << "row,unit,name,to,tc,inside,capacity,power,heat,current,price";
    for (std::size_t c = 0; c < 6; ++c)
        out << ",cell" << c;
    out << '\n';
    for (std::size_t i = first; i < r.rows.size(); ++i) {
        const SelectionRow& row = r.rows[i];
        out << i << ',' << row.unit << ',';
        writeCsvField(out, run.catalogue->agrlist.name[std::size_t(row.unit)]);
        for (const double v : {row.to, row.tc})
            out << ',' << jsonNumber(v);
        out << ',' << (row.inside ? 1 : 0);
        for (const double v : {row.capacity, row.power, row.heat, row.current, row.price})
            out << ',' << (std::isfinite(v) ? jsonNumber(v) : "");
        for (const std::string& cell : row.cells) {
            out << ',';
            writeCsvField(out, cell);
        }
        out << '\n';
    }
}

Json selectionDocument(const SelectionRun& run) {
    const SelectionResult& r = run.result;
    const std::size_t first = r.rows.empty() ? 0 : 1;  // row 0 holds the headings
    Json doc = {{"count", r.count},
                {"cursor", r.cursorRow},
                {"hidden", r.pagesHidden},
                {"label", r.progressLabel},
                {"model", r.modelLabel},
                {"message", r.message},
                {"corrfactor", r.corrfactor},
                {"shfactor", r.shfactor},
                {"headings", r.rows.empty() ? Json::array() : Json(r.rows.front().cells)}};
    Json rows = Json::array();
    for (std::size_t i = first; i < r.rows.size(); ++i) {
        const SelectionRow& row = r.rows[i];
        rows.push_back({{"row", int(i)},
                        {"unit", row.unit},
                        {"name", run.catalogue->agrlist.name[std::size_t(row.unit)]},
                        {"to", row.to},
                        {"tc", row.tc},
                        {"inside", row.inside},
                        {"capacity", row.capacity},
                        {"power", row.power},
                        {"heat", row.heat},
                        {"current", row.current},
                        {"price", row.price},
                        {"cells", row.cells}});
    }
    doc["rows"] = std::move(rows);
    return doc;
}

int runSelect(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, selectValuedOptions(), selectFlags());
    const SelectionSetup setup = selectionSetup(ctx, a);
    if (a.has("basket") && !a.has("save"))
        throw UsageError("--basket goes with --save FILE.tundrix");
    const SelectionRun run = runSelection(setup);
    if (a.has("save"))
        saveSelection(a, setup, run);

    if (ctx.format == Format::Csv) {
        writeSelectionCsv(out, run);
        return 0;
    }
    writeJson(out, selectionDocument(run));
    out << '\n';
    return 0;
}

int kindFromCode(const std::string& code) {
    static const std::array<const char*, 10> codes = {"out",  "agr",  "mka", "glco", "glcu",
                                                      "glcr", "glck", "ov",  "os",   "on"};
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (code == codes[i])
            return int(i);
    throw UsageError("--kind: expected out, agr, mka, glco, glcu, glcr, glck, ov, os or on, got " +
                     code);
}

const std::set<std::string>& selectValuedOptions() {
    static const std::set<std::string> names = {
        "kind",    "refrigerant", "brands", "level",     "to",     "ambient", "tc",   "superheat",
        "subcool", "capacity",    "racks",  "exchanger", "outlet", "option",  "save", "basket"};
    return names;
}

const std::set<std::string>& selectFlags() {
    static const std::set<std::string> names = {"cheapest", "use-to"};
    return names;
}

}  // namespace tundrix::cli
