#include "engine/refprop.h"

#include "engine/tables.h"

namespace tundrix {

namespace {

// Saturated-table columns and superheated-block columns the cycle corrections use.
constexpr int kSatT = 1, kSatBubbleP = 2, kSatDewP = 3, kSatLiquidH = 6, kSatVapourH = 7;
constexpr int kBlockT = 1, kBlockP = 2, kBlockDensity = 3;

// Rating conditions of the catalogue values.
constexpr double kRatedSuperheat = 10.0;
// Subcooling at which the liquid enthalpy is taken from the superheated table.
constexpr double kLiquidProbe = 20.0;
// Discharge temperatures above this are taken as this (degC).
constexpr double kMaxDischarge = 80.0;
constexpr int kSecantSteps = 5;

// Enthalpy of the liquid entering the expansion device: saturated liquid at tc, or, subcooled,
// linear in sc between it and the liquid 20 K below tc at the bubble pressure of tc.
// `bubbleProfile` may carry the temperature profile at that pressure when the caller has it.
double liquidEnthalpy(const PropertyTable& table, double tc, double sc,
                      const EnthalpyProfile* bubbleProfile = nullptr) {
    const double hSat = satprop(kSatT, kSatLiquidH, table, tc);
    if (sc == 0.0)
        return hSat;
    double h20;
    if (bubbleProfile) {
        h20 = bubbleProfile->inverse(tc - kLiquidProbe, hSat);
    } else {
        const double pc = satprop(kSatT, kSatBubbleP, table, tc);
        h20 = EnthalpyProfile(kBlockP, kBlockT, table, pc).inverse(tc - kLiquidProbe, hSat);
    }
    return hSat - sc * (hSat - h20) / kLiquidProbe;
}

// Suction-gas enthalpy at the dew pressure of to and temperature to + sh.
double suctionEnthalpy(const PropertyTable& table, double to, double sh) {
    const double po = satprop(kSatT, kSatDewP, table, to);
    const double hv = satprop(kSatT, kSatVapourH, table, to);
    return EnthalpyProfile(kBlockP, kBlockT, table, po).inverse(to + sh, hv);
}

}  // namespace

double satprop(int cx, int cy, const PropertyTable& table, double x) {
    if (const CompactSpline* curve = table.satCurve(cx, cy))
        return (*curve)(x);
    return spline(table.satColumn(cx), table.satColumn(cy), table.satCount() - 1, x);
}

NaturalSpline EnthalpyProfile::build(int cx, int cy, const PropertyTable& table, double a) {
    std::array<double, PropertyTable::kBlocks> values;
    // Blocks on the pressure grid of the block before find the same window.
    int window = -1;
    for (int k = 0; k < PropertyTable::kBlocks; ++k) {
        const PreparedWindows* curve = table.blockCurve(k, cx, cy);
        if (!curve) {
            values[k] = splinewindow(table.blockColumn(k, cx), table.blockLength(k, cx),
                                     table.blockColumn(k, cy), PropertyTable::kBlockWindow, a);
            continue;
        }
        if (!table.sharesPressures(k))
            window = curve->find(a);
        values[k] = window >= 0 ? curve->at(window, a) : (*curve)(a);
    }
    return NaturalSpline(table.blockEnthalpies(), values, PropertyTable::kBlocks - 1);
}

EnthalpyProfile::EnthalpyProfile(int cx, int cy, const PropertyTable& table, double a)
    : curve_(build(cx, cy, table, a)) {}

double EnthalpyProfile::inverse(double target, double start) const {
    double s = start;
    double fs = at(s);
    double slope = fs - at(s - 1.0);
    for (int step = 0; step < kSecantSteps; ++step) {
        if (slope == 0.0)
            continue;
        const double sOld = s;
        const double fOld = fs;
        s = s + (target - fs) / slope;
        // No movement means the target is already reproduced; the next slope would be 0/0.
        if (s == sOld)
            break;
        fs = at(s);
        slope = (fOld - fs) / (sOld - s);
    }
    return s;
}

double shprop(int cx, int cy, const PropertyTable& table, double a, double h) {
    return EnthalpyProfile(cx, cy, table, a).at(h);
}

double shinverse(int cx, int cy, const PropertyTable& table, double a, double target,
                 double start) {
    return EnthalpyProfile(cx, cy, table, a).inverse(target, start);
}

double refeffect(const PropertyTable& table, double to, double tc, double sh, double sc) {
    return suctionEnthalpy(table, to, sh) - liquidEnthalpy(table, tc, sc);
}

double capcorrection(const PropertyTable& table, double v, double to, double tc, double sh,
                     double sc) {
    if (sh == kRatedSuperheat && sc == 0.0)
        return v;
    const double po = satprop(kSatT, kSatDewP, table, to);
    const double hv = satprop(kSatT, kSatVapourH, table, to);
    const EnthalpyProfile temperature(kBlockP, kBlockT, table, po);
    const double h10 = temperature.inverse(to + kRatedSuperheat, hv);
    const double ha = temperature.inverse(to + sh, hv);
    // The refrigerating effects at (sh, sc) and at rating start from these same suction states.
    const double effect = ha - liquidEnthalpy(table, tc, sc);
    const double ratedEffect = h10 - liquidEnthalpy(table, tc, 0.0);
    const EnthalpyProfile density(kBlockP, kBlockDensity, table, po);
    return v * effect / ratedEffect * density.at(ha) / density.at(h10);
}

double massflow(const PropertyTable& table, double Q, double to, double tc, double sh, double sc) {
    return Q / refeffect(table, to, tc, sh, sc);
}

double heatrejection(const PropertyTable& table, double td, double Q, double to, double tc,
                     double sh, double sc) {
    return heatrejection(table, td, Q, suctionstate(table, to, sh), tc, sc);
}

SuctionState suctionstate(const PropertyTable& table, double to, double sh) {
    return SuctionState{to, sh, suctionEnthalpy(table, to, sh)};
}

double heatrejection(const PropertyTable& table, double td, double Q, const SuctionState& suction,
                     double tc, double sc) {
    const double t = td > kMaxDischarge ? kMaxDischarge : td;
    const double pc = satprop(kSatT, kSatBubbleP, table, tc);
    const EnthalpyProfile discharge(kBlockP, kBlockT, table, pc);
    const double hd = discharge.inverse(t, satprop(kSatT, kSatVapourH, table, tc));
    const double hLiquid = liquidEnthalpy(table, tc, sc, &discharge);
    const double flow = Q / (suction.h - hLiquid);
    return flow * (hd - hLiquid);
}

}  // namespace tundrix
