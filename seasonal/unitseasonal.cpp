#include "seasonal/unitseasonal.h"

#include <algorithm>
#include <cmath>

#include "catalogue/refrigerants.h"
#include "engine/performance.h"
#include "selection/numbers.h"
#include "selection/selectionrun.h"

namespace tundrix {
namespace {

// Puts the cycle's per-calculation values back when the seasonal figures are done, so that the
// selection's details and later runs see what the selection set.
class CycleValues {
public:
    explicit CycleValues(CycleState& c)
        : c_(c), sh_(c.superheat), sc_(c.subcooling), corr_(c.corrfactor), shf_(c.shfactor) {}
    ~CycleValues() {
        c_.superheat = sh_;
        c_.subcooling = sc_;
        c_.corrfactor = corr_;
        c_.shfactor = shf_;
    }
    CycleValues(const CycleValues&) = delete;
    CycleValues& operator=(const CycleValues&) = delete;

private:
    CycleState& c_;
    double sh_, sc_, corr_, shf_;
};

bool positive(double x) {
    return std::isfinite(x) && x > 0;
}

// The unit at one outdoor temperature: condensing temperature from the balance, not below the
// floor; capacity and power (fans included) there.
struct Operating {
    double tcBalance = kNoFigure;
    double tc = kNoFigure;
    double capacity = kNoFigure;
    double power = kNoFigure;
    bool inside = false;
};

// `atFloor`: a warmer ambient already condensed at the floor, so this one does too (the balance
// rises with the ambient) and needs no balance.
Operating operate(const Performance& perf, const agregat& a, int u, double to, double ambient,
                  double floor, bool atFloor = false) {
    Operating o;
    o.tcBalance = atFloor ? floor : perf.condensatetemp(to, ambient, u);
    o.tc = std::max(o.tcBalance, floor);
    if (!std::isfinite(o.tcBalance))
        o.tc = kNoFigure;
    o.capacity = perf.capacity(to, o.tc, u);
    o.power = perf.power(to, o.tc, u) + fanPower(a, u);
    o.inside = positive(o.capacity) && positive(o.power) && insideEnvelope(a, u, to, o.tc);
    return o;
}

void ratePoints(const agregat& a, CycleState& cycle, Application app,
                std::span<const SeasonalUnit> which, std::vector<UnitSeasonal>& out, double floor) {
    const double to = ratingEvaporating(app);
    cycle.superheat = kSuctionGas - to;
    cycle.subcooling = 0;
    for (std::size_t p = 0; p < kRatingAmbients.size(); ++p) {
        // The correction factors as the result table takes them: at the outdoor temperature.
        updateCorrections(cycle, to, kRatingAmbients[p]);
        PerformanceCache cache;
        cache.tables = &cycle.tables;
        const Performance perf(a, cycle, &cache);
        for (std::size_t i = 0; i < which.size(); ++i) {
            if (out[i].application != app)
                continue;
            const int u = which[i].unit;
            RatingPoint& rp = out[i].points[p];
            if (!perf.hasData(u))
                continue;
            const bool atFloor = p > 0 && out[i].points[p - 1].tc == floor;
            const Operating o = operate(perf, a, u, to, rp.ambient, floor, atFloor);
            if (!o.inside)
                continue;
            rp.tc = o.tc;  // also what the next, colder point starts from
            rp.capacity = o.capacity;
            rp.power = o.power;
            rp.cop = o.capacity / o.power;
            rp.valid = std::isfinite(rp.cop);
        }
    }
}

void judge(UnitSeasonal& s, int gwp) {
    const Application app = s.application;
    s.missing = missingPointsText(s.points);
    const RatingPoint& A = s.points[0];
    if (!A.valid)
        return;  // no rated capacity: neither the metric nor a minimum can be told
    const double PA = A.capacity;
    std::array<PointValues, 4> values{};
    for (std::size_t p = 0; p < s.points.size(); ++p) {
        RatingPoint& rp = s.points[p];
        values[p] = {rp.capacity, rp.cop};
        if (!rp.valid)
            continue;
        rp.partLoad = partLoadRatio(app, rp.ambient);
        rp.capacityRatio = std::min(PA * rp.partLoad / rp.capacity, 1.0);
        rp.cyclingCop = cyclingCop(rp.cop, rp.capacityRatio);
    }
    if (s.missing.empty())
        s.sepr = seasonalRatio(app, values).sepr;
    s.requirement = requirement(app, PA, gwp);
    if (s.requirement.metric == Metric::Cop)
        s.metricValue = A.cop;
    else if (s.requirement.metric == Metric::Sepr)
        s.metricValue = s.sepr;
    if (s.requirement.metric != Metric::None && std::isfinite(s.metricValue))
        s.passes = s.metricValue >= s.requirement.minimum;
}

// Capacity and power against condensing temperature at the nodes, for linear interpolation, and
// whether the node lies inside the envelope.
struct Node {
    double tc, capacity, power;
    bool inside;
};

// Working lists of one unit's year, kept from unit to unit.
struct YearScratch {
    std::vector<double> ambients, tcb;
    std::vector<Node> nodes;
};

double lerp(double x0, double y0, double x1, double y1, double x) {
    return x1 == x0 ? y0 : y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

// The engineer's year of one unit over bins of positive hours in ascending temperature.
// Performance changes with the outdoor temperature only through the condensing temperature, and
// smoothly: the balance is computed at nodes 10 K apart over the climate (every bin where the
// floor holds shares one node), capacity and power at its condensing temperatures 5 K apart, and
// the bins are interpolated linearly between them. The envelope is tested at the nodes: its section
// at one evaporating temperature is one range of condensing temperatures, so the bins between two
// nodes inside it are inside too.
void ownYear(const Performance& perf, const agregat& a, const OwnConditions& own,
             const SeasonalSettings& st, std::span<const ClimateBin> bins, UnitSeasonal& s,
             bool withYear, YearScratch& w) {
    const int u = s.unit;
    const double to = own.to;
    if (!perf.hasData(u)) {
        s.yearMissing = "нет данных агрегата";
        return;
    }
    s.designLoad = own.required;
    if (!(own.required > 0)) {
        const Operating design = operate(perf, a, u, to, own.ambient, st.floor);
        s.designLoad = design.inside ? design.capacity : kNoFigure;
    }
    if (!std::isfinite(s.designLoad)) {
        s.yearMissing = "вне границ диапазона при расчетной температуре";
        return;
    }

    std::vector<double>& ambients = w.ambients;
    std::vector<double>& tcb = w.tcb;
    ambients.clear();
    tcb.clear();
    if (!bins.empty() && st.everyBin) {
        for (const ClimateBin& b : bins) {
            ambients.push_back(b.t);
            tcb.push_back(perf.condensatetemp(to, b.t, u));
        }
    } else if (!bins.empty()) {
        const double tmin = bins.front().t, tmax = bins.back().t;
        // The first node where the floor still holds (the balance rises with the ambient).
        double lo = std::clamp(perf.outdoortemp(to, st.floor, u) - 2.0, tmin, tmax);
        if (!std::isfinite(lo))
            lo = tmin;
        double tcLo = perf.condensatetemp(to, lo, u);
        while (lo > tmin && tcLo > st.floor) {
            lo = std::max(tmin, lo - 5.0);
            tcLo = perf.condensatetemp(to, lo, u);
        }
        // The balance is all but linear in the ambient: computed every 10 K, and halfway
        // between for the capacity nodes.
        ambients.push_back(lo);
        tcb.push_back(tcLo);
        for (double t = lo + 10.0; t < tmax; t += 10.0)
            ambients.push_back(t);
        if (tmax > lo)
            ambients.push_back(tmax);
        for (std::size_t i = 1; i < ambients.size(); ++i)
            tcb.push_back(perf.condensatetemp(to, ambients[i], u));
        for (std::size_t i = ambients.size() - 1; i > 0; --i) {
            const double mid = (ambients[i - 1] + ambients[i]) / 2;
            ambients.insert(ambients.begin() + std::ptrdiff_t(i), mid);
            tcb.insert(tcb.begin() + std::ptrdiff_t(i), (tcb[i - 1] + tcb[i]) / 2);
        }
    }
    if (!std::all_of(tcb.begin(), tcb.end(), [](double t) { return std::isfinite(t); })) {
        s.yearMissing = "нет данных агрегата";
        return;
    }
    std::vector<Node>& nodes = w.nodes;
    nodes.clear();
    const double fans = fanPower(a, u);
    auto node = [&](double tc) {
        return Node{tc, perf.capacity(to, tc, u), perf.power(to, tc, u) + fans,
                    insideEnvelope(a, u, to, tc)};
    };
    if (!tcb.empty() && !(tcb.front() > st.floor))
        nodes.push_back(node(st.floor));
    for (const double tc : tcb)
        if (tc > st.floor && (nodes.empty() || tc > nodes.back().tc))
            nodes.push_back(node(tc));
    if (!bins.empty() && nodes.empty()) {
        s.yearMissing = "нет данных агрегата";
        return;
    }

    const double prMin = a.layer[std::size_t(u)] == 1 ? 0.8 : 0.6;
    const double span = own.ambient - 5.0;
    double energy = 0, uncovered = 0;
    std::size_t j = 0, k = 0;
    for (const ClimateBin& b : bins) {
        // Condensing temperature: the balance interpolated between the nodes' ambients.
        double tc = std::max(st.floor, tcb.front());
        if (ambients.size() > 1 && b.t > ambients.front()) {
            while (j + 2 < ambients.size() && ambients[j + 1] < b.t)
                ++j;
            tc = std::max(st.floor, lerp(ambients[j], tcb[j], ambients[j + 1], tcb[j + 1], b.t));
        }
        while (k > 0 && nodes[k].tc > tc)
            --k;
        while (k + 1 < nodes.size() && nodes[k + 1].tc < tc)
            ++k;
        const Node& n0 = nodes[k];
        const Node& n1 = k + 1 < nodes.size() ? nodes[k + 1] : nodes[k];
        const double cap = lerp(n0.tc, n0.capacity, n1.tc, n1.capacity, tc);
        const double pow = lerp(n0.tc, n0.power, n1.tc, n1.power, tc);
        if (!n0.inside || !n1.inside || !positive(cap) || !positive(pow)) {
            s.yearMissing = "вне границ диапазона при " + formatGeneral(b.t, ',') + " °C";
            s.year.clear();
            return;
        }
        const double pr =
            span > 0 ? std::clamp(prMin + (1 - prMin) * (b.t - 5.0) / span, prMin, 1.0) : 1.0;
        const double load = s.designLoad * pr;
        if (load > cap) {
            energy += b.hours * pow;  // runs all the time and still falls short
            uncovered += b.hours;
        } else {
            const double ratio = load / cap;
            energy += b.hours * pow * ratio / (1 - kDegradation * (1 - ratio));
        }
        if (withYear)
            s.year.push_back({b.t, b.hours, load, cap, pow});
    }
    s.annualEnergy = energy;
    s.uncoveredHours = uncovered;
    s.annualCost = energy * st.tariff;
    s.ownershipCost = s.price + st.years * s.annualCost;
}

}  // namespace

std::string missingPointsText(const std::array<RatingPoint, 4>& points) {
    std::string names;
    int n = 0;
    for (const RatingPoint& p : points) {
        if (p.valid)
            continue;
        names += (n++ ? ", " : "") + std::string(1, p.name);
    }
    if (n == 0)
        return {};
    return (n == 1 ? "нет данных в точке " : "нет данных в точках ") + names;
}

std::vector<UnitSeasonal> seasonalFigures(const agregat& a, CycleState& cycle,
                                          std::span<const SeasonalUnit> which,
                                          const OwnConditions& own,
                                          const SeasonalSettings& settings, bool withYear) {
    const CycleValues keep(cycle);
    std::vector<UnitSeasonal> out(which.size());
    bool anyLow = false, anyMiddle = false;
    for (std::size_t i = 0; i < which.size(); ++i) {
        UnitSeasonal& s = out[i];
        s.unit = which[i].unit;
        s.price = which[i].price;
        const int level = agregat::validUnit(s.unit) ? a.layer[std::size_t(s.unit)] : 0;
        s.application = applicationOfLevel(level);
        for (std::size_t p = 0; p < s.points.size(); ++p) {
            s.points[p].name = kRatingNames[p];
            s.points[p].ambient = kRatingAmbients[p];
        }
        anyLow |= s.application == Application::Low;
        anyMiddle |= s.application == Application::Middle;
    }
    cycle.tables.beginRun();
    if (anyLow)
        ratePoints(a, cycle, Application::Low, which, out, settings.floor);
    if (anyMiddle)
        ratePoints(a, cycle, Application::Middle, which, out, settings.floor);
    const int gwp = refrigerantGwp(cycle.refrigerant);
    for (UnitSeasonal& s : out)
        if (s.application != Application::None)
            judge(s, gwp);

    // The engineer's year: the correction factors of the selection at the design ambient.
    cycle.superheat = own.superheat;
    cycle.subcooling = own.subcool;
    updateCorrections(cycle, own.to, own.ambient);
    PerformanceCache cache;
    cache.tables = &cycle.tables;
    const Performance perf(a, cycle, &cache);
    const std::span<const ClimateBin> climate = settings.climate.empty()
                                                    ? referenceClimate()
                                                    : std::span<const ClimateBin>(settings.climate);
    std::vector<ClimateBin> bins;
    for (const ClimateBin& b : climate)
        if (b.hours > 0)
            bins.push_back(b);
    std::stable_sort(bins.begin(), bins.end(),
                     [](const ClimateBin& x, const ClimateBin& y) { return x.t < y.t; });
    YearScratch scratch;
    for (UnitSeasonal& s : out)
        ownYear(perf, a, own, settings, bins, s, withYear, scratch);
    return out;
}

}  // namespace tundrix
