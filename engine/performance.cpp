#include "engine/performance.h"

#include <cmath>
#include <limits>

#include "catalogue/refrigerants.h"
#include "engine/refprop.h"
#include "engine/tables.h"
#include "engine/toolkit.h"

namespace tundrix {
namespace {

// Substitution steps of the condenser balance.
constexpr int kBalanceSteps = 5;
constexpr double kStartDelta = 10.0;

}  // namespace

double Performance::tableValue(int index, int entry, int c0, double x, double y) const {
    const auto u = std::size_t(index);
    const Comprprop& list = *units_.p2[u];
    const GridImage& image = *units_.p1[u].table;
    if (cache_ && cache_->tables)
        return cache_->tables->block(image, list.position(entry), c0)(x, y);
    return spline2d(gettable(image, list.position(entry), c0), x, y);
}

double Performance::polyValue(int index, int record, CoefImage::Set set, double x, double y) const {
    const CoefImage& image = *units_.p1[std::size_t(index)].coef;
    return poly10(image.coefs(coefSection(cycle_.refrigerant), record, set), x, y);
}

double Performance::groups(int index, int c0, CoefImage::Set set, double x, double y) const {
    if (!hasData(index))
        return kNoValue;
    const auto u = std::size_t(index);
    auto value = [&](int entry) {
        return units_.method[u] ? polyValue(index, entry, set, x, y)
                                : tableValue(index, entry, c0, x, y);
    };
    double sum = value(units_.indcompr[u]) * units_.ncompressor[u];
    // A unit without a second group gets nothing from it, whatever its index cell holds.
    if (units_.ncompressor2[u] != 0)
        sum += value(units_.indcompr2[u]) * units_.ncompressor2[u];
    return sum;
}

double Performance::capacity(double x, double y, int index) const {
    return groups(index, kCapacityColumn, CoefImage::Capacity, x, y) * cycle_.corrfactor;
}

double Performance::power(double x, double y, int index) const {
    return groups(index, kPowerColumn, CoefImage::Power, x, y);
}

double Performance::current(double x, double y, int index) const {
    return groups(index, kCurrentColumn, CoefImage::Current, x, y);
}

bool Performance::hasFourthSet(int index) const {
    const auto u = std::size_t(index);
    const CoefImage& image = *units_.p1[u].coef;
    return image.coefs(coefSection(cycle_.refrigerant), units_.indcompr[u], CoefImage::Fourth)[0] !=
           0.0;
}

// Bitzer files hold the discharge temperature in the fourth set: the heat follows from the
// refrigerant mass flow and the discharge-gas enthalpy.
double Performance::bitzerHeat(double x, double y, int index) const {
    PerformanceCache* c = cache_;
    if (c && c->hasHeat && c->heatIndex == index && c->heatX == x && c->heatY == y)
        return c->heat;
    const double qc = cycle_.shfactor * groups(index, 0, CoefImage::Capacity, x, y);
    const double td =
        polyValue(index, units_.indcompr[std::size_t(index)], CoefImage::Fourth, x, y);
    if (!c)
        return heatrejection(cycle_.table, td, qc, x, y, cycle_.superheat, cycle_.subcooling);
    if (!c->hasSuction || c->suction.to != x || c->suction.sh != cycle_.superheat) {
        c->suction = suctionstate(cycle_.table, x, cycle_.superheat);
        c->hasSuction = true;
    }
    const double h = heatrejection(cycle_.table, td, qc, c->suction, y, cycle_.subcooling);
    c->hasHeat = true;
    c->heatIndex = index;
    c->heatX = x;
    c->heatY = y;
    c->heat = h;
    return h;
}

double Performance::heat(double x, double y, int index) const {
    return rejected(x, y, index, HeatUse::Shown);
}

double Performance::balanceHeat(double x, double y, int index, bool withSuperheat) const {
    return rejected(x, y, index, withSuperheat ? HeatUse::Balance : HeatUse::RatedBalance);
}

double Performance::rejected(double x, double y, int index, HeatUse use) const {
    if (!hasData(index))
        return kNoValue;
    const auto u = std::size_t(index);
    if (!units_.method[u]) {
        // Rated heat rejection of the tables plus the extra refrigerating effect of the actual
        // superheat (left out when the ambient is worked back from a condensing temperature).
        const double h = groups(index, kHeatColumn, CoefImage::Fourth, x, y);
        if (use == HeatUse::RatedBalance)
            return h;
        const double q = groups(index, kCapacityColumn, CoefImage::Capacity, x, y);
        return h + q * (cycle_.shfactor - 1.0);
    }
    if (hasFourthSet(index)) {
        if (units_.agrtype[u] == 1)
            return cycle_.shfactor * groups(index, 0, CoefImage::Fourth, x, y);
        if (units_.agrtype[u] == 3)
            return bitzerHeat(x, y, index);
    }
    // No fourth set, and Copeland Stream records whose fourth set means nothing to the program:
    // the condenser takes the cooling capacity plus the power input. The shown figure carries
    // the full correction; the balance corrects the capacity for the superheat alone.
    if (use == HeatUse::Shown)
        return capacity(x, y, index) + power(x, y, index);
    return cycle_.shfactor * groups(index, 0, CoefImage::Capacity, x, y) +
           groups(index, 0, CoefImage::Power, x, y);
}

double Performance::condenserCapacity(int index) const {
    const auto u = std::size_t(index);
    return units_.ncondensator[u] * units_.condenser.capacity(units_.indconder[u]);
}

double Performance::condensatetemp(double x, double y, int index) const {
    if (!hasData(index))
        return kNoValue;
    if (units_.ncondensator[std::size_t(index)] == 0)
        return y;
    const double cq = condenserCapacity(index);
    double delta = kStartDelta;
    double tc = y;
    for (int step = 0; step < kBalanceSteps; ++step) {
        tc = y + delta;
        delta = condenserdelta(balanceHeat(x, tc, index), cq, cycle_.condfactor);
    }
    return tc;
}

double Performance::outdoortemp(double x, double y, int index) const {
    if (!hasData(index))
        return kNoValue;
    if (units_.ncondensator[std::size_t(index)] == 0)
        return y;
    return y - condenserdelta(balanceHeat(x, y, index, false), condenserCapacity(index),
                              cycle_.condfactor);
}

}  // namespace tundrix
