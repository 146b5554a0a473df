#include "engine/polyfit.h"

#include <cmath>

#include "engine/linear.h"

namespace tundrix {

double poly10(const Poly10& c, double to, double tc) {
    return c[0] + c[1] * to + c[2] * tc + c[3] * to * to + c[4] * to * tc + c[5] * tc * tc +
           c[6] * to * to * to + c[7] * tc * to * to + c[8] * to * tc * tc + c[9] * tc * tc * tc;
}

Poly10 fitpoly10(const FitPoints& points) {
    auto m = makeMassvv();
    for (int q = 0; q < 10; ++q) {
        const double t0 = points[q].to;
        const double tc = points[q].tc;
        // Each term is stored as a double before the elimination sees it.
        MassvvRow& row = (*m)[q];
        row[0] = 1.0;
        row[1] = t0;
        row[2] = tc;
        row[3] = t0 * t0;
        row[4] = t0 * tc;
        row[5] = tc * tc;
        row[6] = t0 * t0 * t0;
        row[7] = t0 * t0 * tc;
        row[8] = t0 * tc * tc;
        row[9] = tc * tc * tc;
        row[10] = points[q].y;
    }
    solvelinear(*m, 10, 11);
    Poly10 c{};
    for (int k = 0; k < 10; ++k)
        c[k] = (*m)[k][10];
    return c;
}

double roundThousandths(double v) {
    const double scaled = v * 1000.0;
    if (!std::isfinite(scaled))
        return v;
    double r = std::floor(scaled);
    const double frac = scaled - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    // Dividing keeps -0.0004 -> -0 as 0 in the display's general form.
    const double out = r / 1000.0;
    return out == 0.0 ? 0.0 : out;
}

}  // namespace tundrix
