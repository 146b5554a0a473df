// The cycle quantities of the program's property routines (engine/refprop.h) computed on an
// equation of state directly, to check the generated property images against.
#pragma once

#include <algorithm>
#include <cmath>

#include "datagen/fluid.h"

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

}  // namespace tundrix::datagen
