#include "selection/calculator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "catalogue/refrigerants.h"
#include "engine/polyfit.h"
#include "engine/refprop.h"
#include "engine/tables.h"
#include "engine/toolkit.h"
#include "selection/numbers.h"

namespace tundrix {
namespace {

constexpr double kStartDelta = 10.0;
constexpr int kTableSteps = 5;
constexpr int kPolynomialSteps = 6;

// The four blocks of one compressor of the table image.
struct TableCompressor {
    TableBlock capacity, power, heat, current;
};

// The four coefficient sets of one compressor of the brand table.
struct PolyCompressor {
    std::array<Poly10, 4> sets{};
    double at(CoefImage::Set s, double to, double tc) const {
        return poly10(sets[std::size_t(s)], to, tc);
    }
};

// One group of the machine: a compressor and its count; a group that is off counts 0 and has no
// data.
template <typename Compressor>
struct Group {
    std::optional<Compressor> c;
    double n = 0;
};

std::optional<TableCompressor> tableCompressor(const Catalogue& cat, int item) {
    const int listed = std::clamp(cat.comprlist.count(), 0, Comprprop::kEntries);
    if (cat.calcgridptr == nullptr || item < 0 || item >= listed)
        return std::nullopt;
    const int r0 = cat.comprpos[std::size_t(item)];
    if (r0 < 1 || r0 > GridImage::kDim)
        return std::nullopt;
    const GridImage& g = *cat.calcgridptr;
    return TableCompressor{gettable(g, r0, kCapacityColumn), gettable(g, r0, kPowerColumn),
                           gettable(g, r0, kHeatColumn), gettable(g, r0, kCurrentColumn)};
}

// The record a selector position stands for, when the position is mapped and the refrigerant has
// a section in the brand table (`section` -1: it has none).
std::optional<int> brandRecord(const Catalogue& cat, int item, int section) {
    if (item < 0 || item >= cat.brandposcount || item >= Catalogue::kBrandPositions)
        return std::nullopt;
    const int rec = cat.brandpos[std::size_t(item)];
    if (!CoefImage::validRecord(section, rec))
        return std::nullopt;
    return rec;
}

std::optional<PolyCompressor> polyCompressor(const Catalogue& cat, int item, int section) {
    const auto rec = brandRecord(cat, item, section);
    if (!rec)
        return std::nullopt;
    PolyCompressor p;
    for (int s = 0; s < 4; ++s)
        p.sets[std::size_t(s)] = cat.brandcoef.coefs(section, *rec, CoefImage::Set(s));
    return p;
}

std::array<double, 12> tableEnvelope(const Catalogue& cat, int item) {
    std::array<double, 12> e{};
    for (int n = 1; n <= 6; ++n) {
        e[std::size_t(2 * n - 2)] = cat.comprlist.x(n, item + 1);
        e[std::size_t(2 * n - 1)] = cat.comprlist.y(n, item + 1);
    }
    return e;
}

struct Figures {
    double tc = kNoValue, capacity = kNoValue, power = kNoValue, heat = kNoValue,
           current = kNoValue;
};

// Copeland Scroll tables: the balance on the rated heat rejection plus the capacity's share of
// the extra superheat, then the figures at the condensing temperature found.
Figures tableMode(CycleState& cycle, const Group<TableCompressor>& a,
                  const Group<TableCompressor>& b, double cq, double to, double ambient,
                  std::optional<double> typedTc) {
    auto sum = [&](TableBlock TableCompressor::*block, double tc) {
        double v = spline2d((*a.c).*block, to, tc) * a.n;
        if (b.c)
            v += spline2d((*b.c).*block, to, tc) * b.n;
        return v;
    };
    const double sh = cycle.superheat;
    Figures f;
    if (typedTc) {
        f.tc = *typedTc;
        cycle.shfactor = capcorrection(cycle.table, 1.0, to, f.tc, sh, 0.0);
        f.heat = 0.0;  // not computed for a typed condensing temperature
    } else {
        double delta = kStartDelta;
        for (int step = 0; step < kTableSteps; ++step) {
            f.tc = ambient + delta;
            cycle.shfactor = capcorrection(cycle.table, 1.0, to, f.tc, sh, 0.0);
            const double h = sum(&TableCompressor::heat, f.tc);
            const double q = sum(&TableCompressor::capacity, f.tc);
            f.heat = h + q * (cycle.shfactor - 1.0);
            delta = condenserdelta(f.heat, cq, cycle.condfactor);
        }
    }
    f.capacity = sum(&TableCompressor::capacity, f.tc) * cycle.corrfactor;
    f.power = sum(&TableCompressor::power, f.tc);
    f.current = sum(&TableCompressor::current, f.tc);
    return f;
}

// What the fourth coefficient set of a brand table holds. The brand files share one layout but
// not one meaning: Bock stores the heat rejection (kW), Bitzer the discharge temperature (degC),
// and Copeland Stream's fourth set means nothing to the program. Reading a Bock heat rejection as
// a discharge temperature would give nonsense (even negative heat), so the set is read by brand,
// the way the selection run reads it.
enum class FourthSet { None, HeatRejection, Discharge };

FourthSet fourthSetOf(int brand, const PolyCompressor& c) {
    if (c.sets[CoefImage::Fourth][0] == 0.0)
        return FourthSet::None;
    if (brand == 1)
        return FourthSet::HeatRejection;
    if (brand == 3)
        return FourthSet::Discharge;
    return FourthSet::None;
}

// Brand tables: the balance on the condenser heat the fourth set gives (or capacity plus power
// without one), then the figures at the condensing temperature found.
Figures polynomialMode(CycleState& cycle, int brand, const Group<PolyCompressor>& a,
                       const Group<PolyCompressor>& b, double cq, double to, double ambient,
                       std::optional<double> typedTc) {
    auto sum = [&](CoefImage::Set s, double tc) {
        double v = a.c->at(s, to, tc) * a.n;
        if (b.c)
            v += b.c->at(s, to, tc) * b.n;
        return v;
    };
    const FourthSet fourth = fourthSetOf(brand, *a.c);
    const double sh = cycle.superheat;
    const double sc = cycle.subcooling;
    // Heat of the condensers at tc for the cooling capacity q (with superheat) and power p.
    auto condenserHeat = [&](double tc, double q, double p) {
        switch (fourth) {
            case FourthSet::HeatRejection:
                return cycle.shfactor * sum(CoefImage::Fourth, tc);
            case FourthSet::Discharge:
                return heatrejection(cycle.table, a.c->at(CoefImage::Fourth, to, tc), q, to, tc, sh,
                                     sc);
            case FourthSet::None:
                break;
        }
        return q + p;
    };
    Figures f;
    if (typedTc) {
        f.tc = *typedTc;
        cycle.shfactor = capcorrection(cycle.table, 1.0, to, f.tc, sh, 0.0);
    } else {
        double delta = kStartDelta;
        for (int step = 0; step < kPolynomialSteps; ++step) {
            f.tc = ambient + delta;
            cycle.shfactor = capcorrection(cycle.table, 1.0, to, f.tc, sh, 0.0);
            const double qc = cycle.shfactor * sum(CoefImage::Capacity, f.tc);
            const double qh = condenserHeat(f.tc, qc, sum(CoefImage::Power, f.tc));
            delta = condenserdelta(qh, cq, cycle.condfactor);
        }
    }
    f.capacity = sum(CoefImage::Capacity, f.tc) * cycle.corrfactor;
    f.power = sum(CoefImage::Power, f.tc);
    f.current = sum(CoefImage::Current, f.tc);
    f.heat = condenserHeat(f.tc, f.capacity, f.power);
    return f;
}

}  // namespace

CondenserDisplay condensatorChange(const Catalogue& catalogue, int position, char sep) {
    CondenserDisplay d;
    const int k = position + 1;
    if (!Condenserprop::validEntry(k))
        return d;
    d.capacity = catalogue.conderlist.capacity(k);
    d.numfuns = catalogue.conderlist.numfuns(k);
    d.funsCurrent = catalogue.conderlist.funsCurrent(k);
    d.edit4 = formatGeneral(d.capacity, sep);
    d.edit5 = std::to_string(d.numfuns);
    d.edit6 = formatGeneral(d.funsCurrent, sep);
    return d;
}

CalculatorResult Action3Execute(const Catalogue& catalogue, CycleState& cycle,
                                const CalculatorInputs& in) {
    const char sep = in.decimalSeparator;
    cycle.loadRefrigerant(in.refrigerant, catalogue.dataDir());
    setCondfactor(cycle);

    CalculatorResult res;
    res.condenser = condensatorChange(catalogue, in.condenser, sep);
    const double cq = res.condenser.capacity * in.condenserCount;

    res.to = readNumber(in.evaporate, sep, 0.0);
    const double ambient = readNumber(in.ambient, sep, 0.0);
    cycle.superheat = readNumber(in.superheat, sep, 10.0);
    cycle.subcooling = readNumber(in.subcool, sep, 0.0);
    std::optional<double> typedTc;
    if (in.typedCondensing)
        typedTc = readNumber(in.condensate, sep, 0.0);

    // The full correction is taken with the ambient temperature in the condensing place.
    cycle.corrfactor =
        capcorrection(cycle.table, 1.0, res.to, ambient, cycle.superheat, cycle.subcooling);

    Figures f;
    if (in.brand == kScrollBrand) {
        Group<TableCompressor> a{tableCompressor(catalogue, in.compressor1), double(in.count1)};
        Group<TableCompressor> b;
        if (in.secondGroup)
            b = {tableCompressor(catalogue, in.compressor2), double(in.count2)};
        res.computed = a.c.has_value() && (!in.secondGroup || b.c.has_value());
        if (a.c)
            res.envelope = tableEnvelope(catalogue, in.compressor1);
        if (res.computed)
            f = tableMode(cycle, a, b, cq, res.to, ambient, typedTc);
    } else {
        const int r = coefSection(in.refrigerant);
        Group<PolyCompressor> a{polyCompressor(catalogue, in.compressor1, r), double(in.count1)};
        Group<PolyCompressor> b;
        if (in.secondGroup)
            b = {polyCompressor(catalogue, in.compressor2, r), double(in.count2)};
        res.computed = a.c.has_value() && (!in.secondGroup || b.c.has_value());
        if (const auto rec = brandRecord(catalogue, in.compressor1, r))
            res.envelope = catalogue.brandcoef.envelope(r, *rec);
        if (res.computed)
            f = polynomialMode(cycle, in.brand, a, b, cq, res.to, ambient, typedTc);
    }

    res.tc = f.tc;
    res.capacity = f.capacity;
    res.power = f.power;
    res.heat = f.heat;
    res.current = f.current;
    res.condensate = fmt(f.tc, sep);
    res.solution = fmt(f.capacity, sep);
    res.edit1 = fmt(f.power, sep);
    res.edit2 = fmt(f.heat, sep);
    res.edit3 = fmt(f.current, sep);
    const auto& e = res.envelope;
    // Without figures there is no operating point to flag.
    res.outOfEnvelope = res.computed && !inenvelope(res.to, res.tc, e[0], e[1], e[2], e[3], e[4],
                                                    e[5], e[6], e[7], e[8], e[9], e[10], e[11]);
    return res;
}

}  // namespace tundrix
