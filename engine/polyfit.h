// The ten-term compressor polynomial in evaporating (to) and condensing (tc) temperature,
//   y = c1 + c2 to + c3 tc + c4 to^2 + c5 to tc + c6 tc^2 + c7 to^3 + c8 tc to^2 + c9 to tc^2
//       + c10 tc^3,
// and its fit through exactly ten catalogue points. The coefficient builder and the sample data
// generator share the fit, so that generated files hold what the builder would have stored.
#pragma once

#include <array>

namespace tundrix {

using Poly10 = std::array<double, 10>;  // c1..c10 at indices 0..9

struct FitPoint {
    double to = 0;  // evaporating temperature, degC
    double tc = 0;  // condensing temperature, degC
    double y = 0;   // value of the rated quantity at (to, tc)
};
using FitPoints = std::array<FitPoint, 10>;

double poly10(const Poly10& c, double to, double tc);

// Solves the 10 x 11 system whose row q holds the ten terms of point q and its value, in the
// point order given, with the catalogue's Gauss-Jordan elimination. The polynomial then passes
// through the ten points. The order matters: rows are exchanged only for an exactly zero pivot,
// so an order that meets a near-zero pivot loses accuracy. A singular set (two equal points,
// too few distinct temperatures) gives meaningless coefficients but never a division by zero.
Poly10 fitpoly10(const FitPoints& points);

// A coefficient as the builder displays it: Round(v * 1000) / 1000 with halves of the scaled
// value going to the even neighbour (0.0625 -> 0.062, 0.1875 -> 0.188, 0.0004 -> 0).
double roundThousandths(double v);

}  // namespace tundrix
