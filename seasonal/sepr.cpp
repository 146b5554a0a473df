#include "seasonal/sepr.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue/refrigerants.h"

namespace tundrix {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Linear between the rating points (ambients descending A..D), constant beyond them.
double between(const std::array<PointValues, 4>& p, double t, double PointValues::*v) {
    if (t >= kRatingAmbients[0])
        return p[0].*v;
    if (t <= kRatingAmbients[3])
        return p[3].*v;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const double hi = kRatingAmbients[i];
        const double lo = kRatingAmbients[i + 1];
        if (t >= lo)
            return p[i + 1].*v + (p[i].*v - p[i + 1].*v) * (t - lo) / (hi - lo);
    }
    return p[3].*v;
}

struct Band {
    double from, to;
    bool fromIncluded, toIncluded;
    Metric metric;
    double minimum;
};

// The 2018 table. Its edges belong where the regulation puts them: middle temperature 1..5 kW
// inclusive is rated by COP and 5..20 kW by SEPR from above 5 kW; low temperature 2..8 kW
// inclusive by SEPR.
constexpr std::array<Band, 4> kMiddle = {{
    {0.2, 1, true, false, Metric::Cop, 1.40},
    {1, 5, true, true, Metric::Cop, 1.60},
    {5, 20, false, true, Metric::Sepr, 2.55},
    {20, 50, false, true, Metric::Sepr, 2.65},
}};
constexpr std::array<Band, 4> kLow = {{
    {0.1, 0.4, true, false, Metric::Cop, 0.80},
    {0.4, 2, true, false, Metric::Cop, 0.95},
    {2, 8, true, true, Metric::Sepr, 1.60},
    {8, 20, false, true, Metric::Sepr, 1.70},
}};

}  // namespace

Application applicationOfLevel(int level) {
    return level == 1 ? Application::Low : level == 2 ? Application::Middle : Application::None;
}

std::string_view applicationCode(Application a) {
    return a == Application::Low ? "LT" : a == Application::Middle ? "MT" : "";
}

double ratingEvaporating(Application a) {
    return a == Application::Low ? -35.0 : a == Application::Middle ? -10.0 : kNaN;
}

double partLoadRatio(Application a, double t) {
    const double low = a == Application::Low ? 0.8 : 0.6;
    const double c = std::clamp(t, kRatingAmbients[3], kRatingAmbients[0]);
    return low + (1 - low) * (c - kRatingAmbients[3]) / (kRatingAmbients[0] - kRatingAmbients[3]);
}

double cyclingCop(double cop, double ratio) {
    return cop * (1 - kDegradation * (1 - ratio));
}

SeprBin seprBin(Application a, const std::array<PointValues, 4>& points, double t) {
    SeprBin b;
    b.demand = points[0].capacity * partLoadRatio(a, t);
    b.capacity = between(points, t, &PointValues::capacity);
    b.cop = between(points, t, &PointValues::cop);
    b.ratio = std::min(b.demand / b.capacity, 1.0);
    b.cyclingCop = cyclingCop(b.cop, b.ratio);
    return b;
}

SeprFigures seasonalRatio(Application a, const std::array<PointValues, 4>& points,
                          std::span<const ClimateBin> bins) {
    SeprFigures f;
    for (const PointValues& p : points) {
        if (!(std::isfinite(p.capacity) && std::isfinite(p.cop) && p.capacity > 0 && p.cop > 0))
            return {kNaN, kNaN, kNaN};
    }
    for (const ClimateBin& bin : bins) {
        const SeprBin b = seprBin(a, points, bin.t);
        f.demand += bin.hours * b.demand;
        f.electricity += bin.hours * b.demand / b.cyclingCop;
    }
    f.sepr = f.demand / f.electricity;
    return f;
}

std::string_view metricCode(Metric m) {
    return m == Metric::Sepr ? "SEPR" : m == Metric::Cop ? "COP" : "";
}

Requirement requirement(Application a, double ratedCapacity, int gwp) {
    Requirement r;
    if (a == Application::None || !std::isfinite(ratedCapacity))
        return r;
    for (const Band& b : a == Application::Low ? kLow : kMiddle) {
        const bool above = b.fromIncluded ? ratedCapacity >= b.from : ratedCapacity > b.from;
        const bool below = b.toIncluded ? ratedCapacity <= b.to : ratedCapacity < b.to;
        if (above && below) {
            r.metric = b.metric;
            r.minimum2018 = b.minimum;
            r.lowGwp = gwp < 150;
            r.minimum = r.lowGwp ? b.minimum * 0.9 : b.minimum;
            return r;
        }
    }
    return r;
}

int refrigerantGwp(int refrigerant) {
    if (!validRefrigerant(refrigerant))
        return std::numeric_limits<int>::max();
    const auto& g = refrigerantEntry(refrigerant).gwp;
    return std::max(g[0], g[1]);
}

}  // namespace tundrix
