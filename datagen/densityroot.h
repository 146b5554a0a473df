// The density of one phase at given temperature and pressure, for every equation of state of
// the generator (a pure fluid, a blend of fixed composition, one phase of a mixture in
// equilibrium).
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace tundrix::datagen {

// Safeguarded Newton iteration on rho from `rho` towards pressure `p`, staying on the requested
// branch: a stable root needs dp/drho > 0, and below the critical temperature (`subcritical`)
// the liquid lies above `rhoCrit` and the vapour below it. `pressure(rho, p, dpdrho)` evaluates
// the equation of state at the fixed temperature. NaN when that branch has no stable root.
template <class Pressure>
double densityRoot(double p, double rho, bool liquid, bool subcritical, double rhoCrit,
                   Pressure&& pressure) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto onBranch = [&](double r) {
        if (!subcritical)
            return true;
        return liquid ? r > rhoCrit : r < rhoCrit;
    };
    double pr = 0, dp = 0;
    pressure(rho, pr, dp);
    // A start inside the unstable region is moved outwards along its branch first.
    for (int i = 0; i < 200 && !(dp > 0); ++i) {
        rho *= liquid ? 1.02 : 0.9;
        pressure(rho, pr, dp);
    }
    if (!(dp > 0))
        return nan;
    const double maxStep = liquid ? 0.25 : 1.0;
    for (int it = 0; it < 200; ++it) {
        if (pr == p)
            return rho;
        double step = (p - pr) / dp;
        step = std::clamp(step, -maxStep * rho, maxStep * rho);
        double next = 0, pn = 0, dpn = 0;
        bool found = false;
        for (int h = 0; h < 80; ++h) {
            next = rho + step;
            if (next > 0 && onBranch(next)) {
                pressure(next, pn, dpn);
                if (std::isfinite(pn) && dpn > 0) {
                    found = true;
                    break;
                }
            }
            step *= 0.5;
        }
        if (!found)
            return nan;
        const bool done = std::abs(next - rho) <= 1e-14 * next;
        rho = next;
        pr = pn;
        dp = dpn;
        if (done)
            break;
    }
    return std::abs(pr - p) <= 1e-8 * p ? rho : nan;
}

}  // namespace tundrix::datagen
