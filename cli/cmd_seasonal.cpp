// tundrix-cli seasonal: the seasonal figures of the condensing units of a selection run, and the
// cost-of-owning cursor rule of `select --owning`.
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <ostream>
#include <sstream>

#include "calculation/jsontext.h"
#include "cli/commands.h"
#include "cli/documents.h"
#include "cli/locale.h"
#include "cli/selectrun.h"
#include "seasonal/owning.h"
#include "seasonal/unitseasonal.h"
#include "selection/numbers.h"

namespace tundrix::cli {
namespace {

// What stands beside the figures: the rating basis and what is the engineer's own.
constexpr const char* kBasis =
    "Rating points A-D at 32/25/15/5 degC air, evaporating -35 degC (LT) or -10 degC (MT), "
    "suction gas 20 degC, no subcooling; condensing temperature from the condenser balance, not "
    "below the minimum condensing temperature; fans at their catalogued power at every point. "
    "SEPR over the reference climate with Cdc 0.25; minimum values of 2018 (GWP below 150: 10 % "
    "lower). The annual figures are at the given evaporating temperature, superheat, subcooling, "
    "design load at the design ambient and climate.";

Json number(double x) {
    return std::isfinite(x) ? Json(x) : Json(nullptr);
}

std::string csvNumber(double x) {
    return std::isfinite(x) ? jsonNumber(x) : std::string();
}

std::vector<ClimateBin> climateFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw UsageError("--climate: cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    const ClimateFile f = parseClimate(text.str());
    if (!f.ok())
        throw UsageError("--climate: " + path + ": " + f.error);
    return f.bins;
}

const std::set<std::string>& seasonalValuedOptions() {
    static const std::set<std::string> names = {
        "kind",      "refrigerant", "brands",   "level",   "floor",  "to",   "ambient",
        "superheat", "subcool",     "capacity", "climate", "tariff", "years"};
    return names;
}

Json pointJson(const RatingPoint& p) {
    return Json{
        {"point", std::string(1, p.name)}, {"ambient", p.ambient},     {"tc", number(p.tc)},
        {"capacity", number(p.capacity)},  {"power", number(p.power)}, {"cop", number(p.cop)}};
}

Json rowJson(const std::string& name, const UnitSeasonal& s) {
    const bool rated = s.application != Application::None;
    Json points = Json::array();
    if (rated)
        for (const RatingPoint& p : s.points)
            points.push_back(pointJson(p));
    const Metric m = s.requirement.metric;
    return Json{{"name", name},
                {"application", rated ? Json(applicationCode(s.application)) : Json(nullptr)},
                {"ratedCapacity", number(s.points[0].capacity)},
                {"points", points},
                {"sepr", number(s.sepr)},
                {"metric", m == Metric::None ? Json(nullptr) : Json(metricCode(m))},
                {"minimum", m == Metric::None ? Json(nullptr) : Json(s.requirement.minimum)},
                {"passes", s.passes ? Json(*s.passes) : Json(nullptr)},
                {"annualEnergy", number(s.annualEnergy)},
                {"uncoveredHours", number(s.uncoveredHours)},
                {"annualCost", number(s.annualCost)},
                {"ownershipCost", number(s.ownershipCost)}};
}

void writeCsv(std::ostream& out, const SelectionRun& run, const std::vector<UnitSeasonal>& all) {
    out << "name,application,ratedCapacity";
    for (const char p : kRatingNames)
        for (const char* f : {"tc", "capacity", "power", "cop"})
            out << ',' << p << '_' << f;
    out << ",sepr,metric,minimum,passes,annualEnergy,uncoveredHours,annualCost,ownershipCost\n";
    for (const UnitSeasonal& s : all) {
        const std::string& name = run.catalogue->agrlist.name[std::size_t(s.unit)];
        out << (name.find_first_of(",\"") == std::string::npos ? name : '"' + name + '"') << ','
            << applicationCode(s.application) << ',' << csvNumber(s.points[0].capacity);
        for (const RatingPoint& p : s.points)
            for (const double v : {p.tc, p.capacity, p.power, p.cop})
                out << ',' << csvNumber(v);
        const bool metric = s.requirement.metric != Metric::None;
        out << ',' << csvNumber(s.sepr) << ',' << metricCode(s.requirement.metric) << ','
            << (metric ? csvNumber(s.requirement.minimum) : "") << ','
            << (s.passes ? (*s.passes ? "true" : "false") : "");
        for (const double v : {s.annualEnergy, s.uncoveredHours, s.annualCost, s.ownershipCost})
            out << ',' << csvNumber(v);
        out << '\n';
    }
}

}  // namespace

SeasonalSettings seasonalSettings(const Args& a) {
    SeasonalSettings st;
    st.floor = a.number("floor", kDefaultFloor);
    if (!(st.floor >= -30 && st.floor <= 60))
        throw UsageError("--floor: expected a condensing temperature of -30..60 degC");
    st.tariff = a.number("tariff", kDefaultTariff);
    if (!(st.tariff >= 0 && std::isfinite(st.tariff)))
        throw UsageError("--tariff: expected a price per kWh of 0 or more");
    st.years = a.integer("years", 0, 100, kDefaultYears);
    if (const auto path = a.text("climate"))
        st.climate = climateFile(*path);
    return st;
}

void placeOwning(const SelectionSetup& setup, SelectionRun& run) {
    if (!setup.owning)
        return;
    const OwnConditions own = ownConditions(setup.inputs);
    placeOwningCursor(run.result, run.catalogue->agrlist, *run.cycle, own.required, own,
                      setup.seasonal);
}

Json seasonalDocument(const SelectionRun& run, const std::vector<UnitSeasonal>& all,
                      const SeasonalSettings& st) {
    Json rows = Json::array();
    for (const UnitSeasonal& s : all)
        rows.push_back(rowJson(run.catalogue->agrlist.name[std::size_t(s.unit)], s));
    Json doc{{"basis", kBasis},
             {"floor", st.floor},
             {"tariff", st.tariff},
             {"years", st.years},
             {"climateHours",
              climateHours(st.climate.empty() ? referenceClimate()
                                              : std::span<const ClimateBin>(st.climate))}};
    nameRefrigerant(doc, run.cycle->refrigerant);
    doc["rows"] = std::move(rows);
    return doc;
}

int runSeasonal(const Context& ctx, const std::vector<std::string>& argv, std::ostream& out) {
    const Args a(argv, seasonalValuedOptions(), {});
    if (a.text("kind").value_or("out") != "out")
        throw UsageError("--kind: seasonal figures are those of condensing units (out)");
    SelectionSetup setup;
    setup.dataDir = ctx.dataDir;
    SelectionInputs& in = setup.inputs;
    const char sep = localeDecimalSeparator();
    in.decimalSeparator = sep;
    in.kind = UnitKind::Out;
    in.ambientMode = true;
    in.refrigerant = refrigerantOption(a);
    in.brandChecked = {};
    for (const int b : a.integers("brands", 1, 4))
        in.brandChecked[std::size_t(b)] = true;
    in.levelChoice = a.integer("level", 0, 5);
    const std::string_view to = evaporateForChoice(in.levelChoice);
    in.evaporate = formatGeneral(a.number("to", to.empty() ? -10.0 : *parseNumber(to, '.')), sep);
    in.ambient = formatGeneral(a.number("ambient", 32.0), sep);
    in.superheat = formatGeneral(a.number("superheat", 10.0), sep);
    in.subcool = formatGeneral(a.number("subcool", 0.0), sep);
    const double required = a.number("capacity", 0.0);
    if (!(required >= 0))
        throw UsageError("--capacity: expected a capacity of 0 kW or more");
    in.required = formatGeneral(required, sep);
    const SeasonalSettings st = seasonalSettings(a);

    SelectionRun run = runSelection(setup);
    std::vector<SeasonalUnit> which;
    for (std::size_t r = 1; r < run.result.rows.size(); ++r)
        if (const SelectionRow& row = run.result.rows[r]; row.unit != 0)
            which.push_back({row.unit, row.price});
    const std::vector<UnitSeasonal> all =
        seasonalFigures(run.catalogue->agrlist, *run.cycle, which, ownConditions(in), st);

    if (ctx.format == Format::Csv) {
        writeCsv(out, run, all);
        return 0;
    }
    writeJson(out, seasonalDocument(run, all, st), 1);
    out << '\n';
    return 0;
}

}  // namespace tundrix::cli
