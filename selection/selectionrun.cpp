#include "selection/selectionrun.h"

#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "engine/performance.h"
#include "engine/refprop.h"
#include "engine/toolkit.h"
#include "selection/coverage.h"
#include "selection/numbers.h"

namespace tundrix {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

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

}  // namespace

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
    const char sep = in.decimalSeparator;
    auto report = [&](int percent, std::string_view label) {
        if (progress)
            progress(percent, label);
    };
    SelectionResult res;
    res.cursorRow = std::max(in.cursorRow, 1);
    report(-1, kRunningText);

    const double M = readNumber(in.required, sep, 0.0);
    cycle.loadRefrigerant(in.refrigerant, catalogue.dataDir());
    setCondfactor(cycle);

    const double T2 = readNumber(in.ambientMode ? in.ambient : in.condensate, sep, 0.0);
    const bool chiller = isChiller(in.kind);
    const bool fromOutlet = chiller && !in.useEvaporate;
    const double T0 = readNumber(fromOutlet ? in.outlet : in.evaporate, sep, 0.0);
    cycle.superheat = readNumber(in.superheat, sep, 10.0);
    cycle.subcooling = readNumber(in.subcool, sep, 0.0);

    // The factors take the exchanger difference of the unit listed first by the previous run.
    agregat& a = catalogue.agrlist;
    updateCorrections(cycle, T0 - a.delta[1], T2);
    res.shfactor = cycle.shfactor;
    res.corrfactor = cycle.corrfactor;

    if (in.levelChoice >= 0)
        catalogue.levelon = levelsForChoice(in.levelChoice);

    if (!hasUnitLists(catalogue, in)) {
        res.pagesHidden = true;
        res.coverage = coverageNote(coverage(catalogue, in.kind, in.refrigerant, catalogue.levelon),
                                    in.refrigerant, catalogue.levelon, in.brandChecked);
        res.progressLabel = countLabel(0);
        report(-1, res.progressLabel);
        return res;
    }

    LoadChoices choices;
    choices.kind = in.kind;
    choices.refrigerant = in.refrigerant;
    choices.brandChecked = in.brandChecked;
    choices.rackSizeChecked = in.rackSizeChecked;
    choices.exchanger = in.exchanger;
    const int count = catalogue.loadunits(choices);
    res.count = count;
    res.rows.push_back(headingRow(in.kind));

    if (count == 0) {
        res.rows.push_back(emptyRow());
        res.cursorRow = 1;
        res.progressLabel = countLabel(0);
        report(-1, res.progressLabel);
        return res;
    }

    // The cycle state stays as it is for the rest of the run, so the per-run values may be kept.
    PerformanceCache cache;
    cycle.tables.beginRun();
    cache.tables = &cycle.tables;
    const Performance perf(a, cycle, &cache);
    std::vector<double> to(std::size_t(count) + 1, 0.0);
    std::vector<double> tc(std::size_t(count) + 1, 0.0);
    std::vector<double> caps(std::size_t(count) + 1, 0.0);
    std::vector<double> keys(std::size_t(count) + 1, 0.0);
    for (int k = 1; k <= count; ++k) {
        const auto u = std::size_t(k);
        to[u] = fromOutlet ? T0 - a.delta[u] : T0;
        tc[u] = in.ambientMode ? perf.condensatetemp(to[u], T2, k) : T2;
        caps[u] = perf.capacity(to[u], tc[u], k);
        // Units without a value go to the end of the list.
        keys[u] = std::isfinite(caps[u]) ? caps[u] : std::numeric_limits<double>::infinity();
    }
    for (int k = 1; k <= count; ++k)
        a.order[std::size_t(k)] = k;
    quicksort(keys, std::span<int>(a.order.data(), std::size_t(count) + 1), 1, count);

    std::vector<double> candidatePrice;
    std::vector<int> candidateRow;
    const bool cheapest = in.cheapest && M > 0;
    for (int r = 1; r <= count; ++r) {
        const int u = a.order[std::size_t(r)];
        const auto k = std::size_t(u);
        SelectionRow row = emptyRow();
        row.unit = u;
        row.to = to[k];
        row.tc = tc[k];
        row.cells[0] = listedName(a, u);
        const double cap = caps[k];
        // A damaged performance file (zeros, noise) gives figures no unit can have: such a unit
        // gets none, as one outside its envelope, so that no list, report or basket shows them.
        const double power = plausible(cap) && insideEnvelope(a, u, to[k], tc[k])
                                 ? perf.power(to[k], tc[k], u)
                                 : kNoValue;
        row.inside = plausible(power);
        if (row.inside) {
            // Fans: those of one condenser of the unit's type, whatever the condenser count.
            const int c = a.indconder[k];
            const int fans = Condenserprop::validEntry(c) ? a.condenser.numfuns(c) : 0;
            row.capacity = cap;
            row.power = power + fans * a.condenser.funsCap(c);
            row.heat = perf.heat(to[k], tc[k], u);
            row.current = perf.current(to[k], tc[k], u) + fans * a.condenser.funsCurrent(c);
            row.cells[1] = fmt(row.capacity, sep);
            row.cells[2] = fmt(row.power, sep);
            row.cells[3] = fmt(row.heat, sep);
            row.cells[4] = fmt(row.current, sep);
            res.progress = int(std::nearbyint(r * 100.0 / count));  // halves to even
            report(res.progress, kRunningText);
        }
        row.price = totalPrice(a, u, sep);
        row.cells[5] = fmt(row.price, sep);
        if (row.inside && cheapest && kBandLow * M < cap && cap < kBandHigh * M) {
            candidatePrice.push_back(row.price);
            candidateRow.push_back(r);
        }
        res.rows.push_back(std::move(row));
    }

    if (M > 0 && !in.cheapest) {
        res.cursorRow = capacityCursor(keys, res.rows, count, M);
    } else if (cheapest) {
        if (candidateRow.empty()) {
            res.cursorRow = 1;
            res.message = std::string(kNoCheapestText);
        } else {
            const int n = int(candidateRow.size());
            quicksort(candidatePrice, candidateRow, 0, n - 1);
            res.cursorRow = candidateRow.front();
        }
    }
    res.cursorRow = std::clamp(res.cursorRow, 1, count);
    res.modelLabel = res.rows[std::size_t(res.cursorRow)].cells[0];
    res.progressLabel = countLabel(count);
    report(-1, res.progressLabel);
    return res;
}

}  // namespace tundrix
