#include "selection/selectionrun.h"

#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "engine/performance.h"
#include "engine/refprop.h"
#include "engine/toolkit.h"
#include "selection/coverage.h"
#include "selection/numbers.h"

namespace tundrix {
namespace {

// The first character (code point) of UTF-8 text; empty for empty text.
std::string firstCharacter(std::string_view utf8) {
    if (utf8.empty())
        return {};
    std::size_t n = 1;
    while (n < utf8.size() && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
        ++n;
    return std::string(utf8.substr(0, n));
}

// The unit's name as listed: "-" and the first letter of every chosen option appended.
std::string listedName(const agregat& a, int u) {
    const OptionBlock& opt = a.optionagr[std::size_t(u)];
    std::string s = a.name[std::size_t(u)];
    for (int j = 1; j <= OptionBlock::kOptions; ++j)
        if (opt.flag[std::size_t(j)])
            s += "-" + firstCharacter(opt.name[std::size_t(j)]);
    return s;
}

// Under a decimal-point locale a price stored with a decimal comma is rewritten with a point, so
// that it reads the same under either locale.
void normalisePrice(std::string& price, char decimalSeparator) {
    if (decimalSeparator == ',')
        return;
    if (const auto pos = price.find(','); pos != std::string::npos)
        price[pos] = '.';
}

// Unit price plus the prices of the chosen options; texts that are not numbers count 0.
double totalPrice(agregat& a, int u, char sep) {
    OptionBlock& opt = a.optionagr[std::size_t(u)];
    normalisePrice(a.price[std::size_t(u)], sep);
    double total = readNumber(a.price[std::size_t(u)], sep, 0.0);
    for (int j = 1; j <= OptionBlock::kOptions; ++j) {
        if (!opt.flag[std::size_t(j)])
            continue;
        normalisePrice(opt.price[std::size_t(j)], sep);
        total += readNumber(opt.price[std::size_t(j)], sep, 0.0);
    }
    return total;
}

// A capacity or power input a working unit can have.
bool plausible(double kW) {
    return std::isfinite(kW) && kW > 0;
}

SelectionRow emptyRow() {
    SelectionRow row;
    row.capacity = row.power = row.heat = row.current = row.price = kNoValue;
    return row;
}

SelectionRow headingRow(UnitKind kind) {
    SelectionRow row = emptyRow();
    row.cells[0] = std::string(isChiller(kind) ? kChillerHeading : kUnitHeading);
    for (std::size_t c = 0; c < kValueHeadings.size(); ++c)
        row.cells[c + 1] = std::string(kValueHeadings[c]);
    return row;
}

std::string countLabel(int count) {
    return std::string(kCountText) + std::to_string(count);
}

bool hasUnitLists(const Catalogue& cat, const SelectionInputs& in) {
    for (int l = 1; l <= kLevels; ++l) {
        if (!cat.levelon[std::size_t(l)])
            continue;
        for (int m = 1; m <= kBrands; ++m)
            if (in.brandChecked[std::size_t(m)] && cat.agrfileexists(in.kind, l, m, in.refrigerant))
                return true;
    }
    return false;
}

// Cursor for a required capacity M > 0 over ascending capacities caps[1..count]: the first row
// whose capacity exceeds M, or the last row whose capacity equals M; then off rows without values.
int capacityCursor(const std::vector<double>& caps, const std::vector<SelectionRow>& rows,
                   int count, double M) {
    int cursor = 1;
    if (M <= caps[1]) {
        cursor = 1;
    } else if (M >= caps[std::size_t(count)]) {
        cursor = count;
    } else {
        bool exact = false;
        for (int r = 1; r < count; ++r) {
            const double lo = caps[std::size_t(r)];
            const double hi = caps[std::size_t(r + 1)];
            if (lo < M && M < hi && !exact)
                cursor = r + 1;
            if (M == hi) {
                cursor = r + 1;
                exact = true;
            }
        }
    }
    auto empty = [&](int r) { return rows[std::size_t(r)].cells[1].empty(); };
    while (empty(cursor) && cursor < count)
        ++cursor;
    while (empty(cursor) && cursor > 1)
        --cursor;
    return cursor;
}

// The steps of a run, in the order Tableoperations takes them.

void tell(const SelectionProgress& progress, int percent, std::string_view label) {
    if (progress)
        progress(percent, label);
}

// The run's conditions read from the inputs' texts.
struct Conditions {
    double required = 0;      // M, kW
    double t0 = 0;            // evaporating temperature, or the liquid outlet temperature
    double t2 = 0;            // ambient temperature (ambient mode) or condensing temperature
    bool fromOutlet = false;  // t0 is the outlet: each unit evaporates its difference below it
};

Conditions readConditions(const SelectionInputs& in) {
    const char sep = in.decimalSeparator;
    Conditions c;
    c.required = readNumber(in.required, sep, 0.0);
    c.t2 = readNumber(in.ambientMode ? in.ambient : in.condensate, sep, 0.0);
    c.fromOutlet = isChiller(in.kind) && !in.useEvaporate;
    c.t0 = readNumber(c.fromOutlet ? in.outlet : in.evaporate, sep, 0.0);
    return c;
}

// The refrigerant's property table, its condenser factor, superheat and subcooling, and the
// correction factors of the run.
void loadRefrigerant(Catalogue& catalogue, CycleState& cycle, const SelectionInputs& in,
                     const Conditions& c) {
    cycle.loadRefrigerant(in.refrigerant, catalogue.dataDir());
    setCondfactor(cycle);
    cycle.superheat = readNumber(in.superheat, in.decimalSeparator, 10.0);
    cycle.subcooling = readNumber(in.subcool, in.decimalSeparator, 0.0);
    // The factors take the exchanger difference of the unit listed first by the previous run.
    updateCorrections(cycle, c.t0 - catalogue.agrlist.delta[1], c.t2);
}

// The unit lists of the checked brands and covered levels into agrlist: the number of units
// loaded, or nothing when no such list exists (the result pages are hidden).
std::optional<int> loadLists(Catalogue& catalogue, const SelectionInputs& in) {
    if (in.levelChoice >= 0)
        catalogue.levelon = levelsForChoice(in.levelChoice);
    if (!hasUnitLists(catalogue, in))
        return std::nullopt;
    LoadChoices choices;
    choices.kind = in.kind;
    choices.refrigerant = in.refrigerant;
    choices.brandChecked = in.brandChecked;
    choices.rackSizeChecked = in.rackSizeChecked;
    choices.exchanger = in.exchanger;
    return catalogue.loadunits(choices);
}

// Each unit's operating point and capacity by unit number [1..count]; keys are the capacities
// to sort by, until sortByCapacity sorts them.
struct UnitPoints {
    std::vector<double> to, tc, caps, keys;
};

UnitPoints computeUnits(const agregat& a, const Performance& perf, const Conditions& c,
                        bool ambientMode, int count) {
    const std::size_t n = std::size_t(count) + 1;
    UnitPoints p{std::vector<double>(n, 0.0), std::vector<double>(n, 0.0),
                 std::vector<double>(n, 0.0), std::vector<double>(n, 0.0)};
    for (int k = 1; k <= count; ++k) {
        const auto u = std::size_t(k);
        p.to[u] = c.fromOutlet ? c.t0 - a.delta[u] : c.t0;
        p.tc[u] = ambientMode ? perf.condensatetemp(p.to[u], c.t2, k) : c.t2;
        p.caps[u] = perf.capacity(p.to[u], p.tc[u], k);
        // Units without a value go to the end of the list.
        p.keys[u] = std::isfinite(p.caps[u]) ? p.caps[u] : std::numeric_limits<double>::infinity();
    }
    return p;
}

// agrlist's display order ascending by capacity; the keys end up in that order too.
void sortByCapacity(agregat& a, UnitPoints& p, int count) {
    for (int k = 1; k <= count; ++k)
        a.order[std::size_t(k)] = k;
    quicksort(p.keys, std::span<int>(a.order.data(), std::size_t(count) + 1), 1, count);
}

// Rows whose capacity lies in the band of "По минимальной цене", with their prices.
struct Candidates {
    std::vector<double> price;
    std::vector<int> row;
};

// One result row per unit in display order: its figures where the point is inside the envelope,
// always its price. Returns the cheapest-price candidates.
Candidates listRows(SelectionResult& res, agregat& a, const Performance& perf, const UnitPoints& p,
                    const Conditions& c, const SelectionInputs& in,
                    const SelectionProgress& progress) {
    const char sep = in.decimalSeparator;
    const int count = res.count;
    const bool cheapest = in.cheapest && c.required > 0;
    Candidates candidates;
    for (int r = 1; r <= count; ++r) {
        const int u = a.order[std::size_t(r)];
        const auto k = std::size_t(u);
        SelectionRow row = emptyRow();
        row.unit = u;
        row.to = p.to[k];
        row.tc = p.tc[k];
        row.cells[0] = listedName(a, u);
        const double cap = p.caps[k];
        // A damaged performance file (zeros, noise) gives figures no unit can have: such a unit
        // gets none, as one outside its envelope, so that no list, report or basket shows them.
        const double power = plausible(cap) && insideEnvelope(a, u, p.to[k], p.tc[k])
                                 ? perf.power(p.to[k], p.tc[k], u)
                                 : kNoValue;
        row.inside = plausible(power);
        if (row.inside) {
            // Fans: those of one condenser of the unit's type, whatever the condenser count.
            const int cond = a.indconder[k];
            const int fans = Condenserprop::validEntry(cond) ? a.condenser.numfuns(cond) : 0;
            row.capacity = cap;
            row.power = power + fanPower(a, u);
            row.heat = perf.heat(p.to[k], p.tc[k], u);
            row.current = perf.current(p.to[k], p.tc[k], u) + fans * a.condenser.funsCurrent(cond);
            row.cells[1] = fmt(row.capacity, sep);
            row.cells[2] = fmt(row.power, sep);
            row.cells[3] = fmt(row.heat, sep);
            row.cells[4] = fmt(row.current, sep);
            res.progress = int(std::nearbyint(r * 100.0 / count));  // halves to even
            tell(progress, res.progress, kRunningText);
        }
        row.price = totalPrice(a, u, sep);
        row.cells[5] = fmt(row.price, sep);
        if (row.inside && cheapest && kBandLow * c.required < cap && cap < kBandHigh * c.required) {
            candidates.price.push_back(row.price);
            candidates.row.push_back(r);
        }
        res.rows.push_back(std::move(row));
    }
    return candidates;
}

// The cursor: on the unit that meets the required capacity, or on the cheapest candidate with
// "По минимальной цене" (row 1 and a message when there is none); where it stood without a
// requirement. The model label names the unit under it.
void placeCursor(SelectionResult& res, const std::vector<double>& sortedCaps, Candidates candidates,
                 const Conditions& c, const SelectionInputs& in) {
    const int count = res.count;
    if (c.required > 0 && !in.cheapest) {
        res.cursorRow = capacityCursor(sortedCaps, res.rows, count, c.required);
    } else if (in.cheapest && c.required > 0) {
        if (candidates.row.empty()) {
            res.cursorRow = 1;
            res.message = std::string(kNoCheapestText);
        } else {
            const int n = int(candidates.row.size());
            quicksort(candidates.price, candidates.row, 0, n - 1);
            res.cursorRow = candidates.row.front();
        }
    }
    res.cursorRow = std::clamp(res.cursorRow, 1, count);
    res.modelLabel = res.rows[std::size_t(res.cursorRow)].cells[0];
}

}  // namespace

bool insideEnvelope(const agregat& a, int u, double to, double tc) {
    const auto k = std::size_t(u);
    const auto& x = a.xlim;
    const auto& y = a.ylim;
    // A unit with air-cooled condensers is tested with 0 in place of the condensing
    // temperatures of its first three corners.
    const bool withCondenser = a.ncondensator[k] != 0;
    const double y1 = withCondenser ? 0.0 : y[0][k];
    const double y2 = withCondenser ? 0.0 : y[1][k];
    const double y3 = withCondenser ? 0.0 : y[2][k];
    return inenvelope(to, tc, x[0][k], y1, x[1][k], y2, x[2][k], y3, x[3][k], y[3][k], x[4][k],
                      y[4][k], x[5][k], y[5][k]);
}

double fanPower(const agregat& a, int u) {
    // Fans: those of one condenser of the unit's type, whatever the condenser count.
    const int c = a.indconder[std::size_t(u)];
    const int fans = Condenserprop::validEntry(c) ? a.condenser.numfuns(c) : 0;
    return fans * a.condenser.funsCap(c);
}

std::array<bool, kLevels + 1> levelsForChoice(int choiceIndex) {
    std::array<bool, kLevels + 1> on{};
    switch (choiceIndex) {
        case 0:
            on[1] = on[2] = on[3] = true;
            break;
        case 1:
        case 2:
        case 3:
            on[std::size_t(choiceIndex)] = true;
            break;
        case 4:
            on[1] = on[2] = true;
            break;
        case 5:
            on[2] = on[3] = true;
            break;
        default:
            break;
    }
    return on;
}

std::string_view evaporateForChoice(int choiceIndex) {
    switch (choiceIndex) {
        case 1:
            return "-25";
        case 2:
            return "-10";
        case 3:
            return "10";
        default:
            return {};
    }
}

SelectionResult Tableoperations(Catalogue& catalogue, CycleState& cycle, const SelectionInputs& in,
                                const SelectionProgress& progress) {
    SelectionResult res;
    res.cursorRow = std::max(in.cursorRow, 1);
    tell(progress, -1, kRunningText);

    const Conditions c = readConditions(in);
    loadRefrigerant(catalogue, cycle, in, c);
    res.shfactor = cycle.shfactor;
    res.corrfactor = cycle.corrfactor;

    const std::optional<int> loaded = loadLists(catalogue, in);
    if (!loaded) {
        res.pagesHidden = true;
        res.coverage = coverageNote(coverage(catalogue, in.kind, in.refrigerant, catalogue.levelon),
                                    in.refrigerant, catalogue.levelon, in.brandChecked);
        res.progressLabel = countLabel(0);
        tell(progress, -1, res.progressLabel);
        return res;
    }
    const int count = *loaded;
    res.count = count;
    res.rows.push_back(headingRow(in.kind));
    if (count == 0) {
        res.rows.push_back(emptyRow());
        res.cursorRow = 1;
        res.progressLabel = countLabel(0);
        tell(progress, -1, res.progressLabel);
        return res;
    }

    // The cycle state stays as it is for the rest of the run, so the per-run values may be kept.
    PerformanceCache cache;
    cycle.tables.beginRun();
    cache.tables = &cycle.tables;
    const Performance perf(catalogue.agrlist, cycle, &cache);
    UnitPoints points = computeUnits(catalogue.agrlist, perf, c, in.ambientMode, count);
    sortByCapacity(catalogue.agrlist, points, count);
    const Candidates candidates = listRows(res, catalogue.agrlist, perf, points, c, in, progress);
    placeCursor(res, points.keys, candidates, c, in);
    res.progressLabel = countLabel(count);
    tell(progress, -1, res.progressLabel);
    return res;
}

}  // namespace tundrix
