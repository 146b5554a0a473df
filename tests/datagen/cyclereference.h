// The cycle quantities of the program's property routines (engine/refprop.h) computed on an
// equation of state directly, to check the generated property images against.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "datagen/fluid.h"
#include "engine/propertytable.h"
#include "engine/refprop.h"

namespace tundrix::datagen {

struct CycleReference {
    const Fluid& f;
    // The liquid entering the expansion device, by the same rule as the program uses (linear in
    // the subcooling towards the liquid 20 K below tc at the bubble pressure of tc), on the EOS.
    double liquidH(double tc, double sc) const {
        const double hSat = f.bubbleLiquid(tc).h;
        if (sc == 0)
            return hSat;
        const double h20 = f.atTP(tc - 20, f.pBubble(tc)).h;
        return hSat - sc * (hSat - h20) / 20;
    }
    // At zero superheat the state lies on the dew line itself, where (t, p) cannot tell the
    // phases apart: take the saturated vapour.
    FluidState suction(double to, double sh) const {
        return sh == 0 ? f.dewVapour(to) : f.atTP(to + sh, f.pDew(to));
    }
    double suctionH(double to, double sh) const { return suction(to, sh).h; }
    double refeffect(double to, double tc, double sh, double sc) const {
        return suctionH(to, sh) - liquidH(tc, sc);
    }
    double capcorrection(double to, double tc, double sh, double sc) const {
        return refeffect(to, tc, sh, sc) / refeffect(to, tc, 10, 0) * suction(to, sh).rho /
               suction(to, 10).rho;
    }
    double heatrejection(double td, double Q, double to, double tc, double sh, double sc) const {
        const double hd = f.atTP(std::min(td, 80.0), f.pBubble(tc)).h;
        return Q / refeffect(to, tc, sh, sc) * (hd - liquidH(tc, sc));
    }
};

// The largest magnitude of a set of errors.
struct Worst {
    double value = 0;
    void add(double e) { value = std::max(value, std::abs(e)); }
};

// The worst relative errors of the saturated table's bubble and dew pressures and liquid and
// vapour enthalpies (satprop) against the equation of state, at t = from, from + step, ... to.
struct SaturationErrors {
    Worst p, h;
};

inline SaturationErrors saturationErrors(const Fluid& fluid, const PropertyTable& table,
                                         double from, double to, double step) {
    // Saturated-table columns: t, bubble p, dew p, h', h''.
    constexpr int kT = 1, kPb = 2, kPd = 3, kHl = 6, kHv = 7;
    SaturationErrors w;
    for (double t = from; t <= to; t += step) {
        const FluidState l = fluid.bubbleLiquid(t), v = fluid.dewVapour(t);
        w.p.add((satprop(kT, kPb, table, t) - l.p) / l.p);
        w.p.add((satprop(kT, kPd, table, t) - v.p) / v.p);
        w.h.add((satprop(kT, kHl, table, t) - l.h) / l.h);
        w.h.add((satprop(kT, kHv, table, t) - v.h) / v.h);
    }
    return w;
}

// The worst relative errors of refeffect, capcorrection and heatrejection read from `table`
// against the equation of state over a grid of duties; the heat rejection at 3 K subcooling and
// discharge temperatures from just above the dew line to beyond the 80 degC cap.
struct CycleErrors {
    Worst effect, corr, heat;
};

inline CycleErrors cycleErrors(const Fluid& fluid, const PropertyTable& table,
                               const std::vector<double>& evaporating,
                               const std::vector<double>& condensing,
                               const std::vector<double>& superheat,
                               const std::vector<double>& subcooling) {
    CycleErrors w;
    const CycleReference ref{fluid};
    for (double to : evaporating) {
        for (double tc : condensing) {
            for (double sh : superheat) {
                for (double sc : subcooling) {
                    const double e = ref.refeffect(to, tc, sh, sc);
                    w.effect.add((refeffect(table, to, tc, sh, sc) - e) / e);
                    const double c = ref.capcorrection(to, tc, sh, sc);
                    w.corr.add((capcorrection(table, 1, to, tc, sh, sc) - c) / c);
                }
                const double tdew = fluid.tDew(fluid.pBubble(tc));
                for (double td : {tdew + 5, 0.5 * (tdew + 80), 80.0, 95.0}) {
                    const double q = ref.heatrejection(td, 10, to, tc, sh, 3);
                    w.heat.add((heatrejection(table, td, 10, to, tc, sh, 3) - q) / q);
                }
            }
        }
    }
    return w;
}

}  // namespace tundrix::datagen
