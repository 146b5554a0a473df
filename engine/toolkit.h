// Small numeric routines of the engine: the operating-envelope test, the condenser temperature
// difference and the ascending sort of result capacities.
#pragma once

#include <limits>
#include <span>

namespace tundrix {

// A figure that is not there (outside the data, not computed): NaN, so that it spreads.
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// True when (X, Y) lies inside or on the boundary of the convex hexagon whose six vertices are
// given counter-clockwise (X horizontal, Y vertical). Repeated vertices are allowed, which makes
// a polygon with fewer corners. Callers pass X = evaporating and Y = condensing temperature.
bool inenvelope(double X, double Y, double x1, double y1, double x2, double y2, double x3,
                double y3, double x4, double y4, double x5, double y5, double x6, double y6);

// Temperature difference (K) an air-cooled condenser of rated capacity Cq (kW, at 15 K) needs to
// reject Q kW with capacity factor f: 0 when Cq is 0; the offset form 13.04 Q / Cq / f + 2 for
// f within 0.01 of 0.87; otherwise 15 Q / Cq / f.
double condenserdelta(double Q, double Cq, double f);

// Sorts keys[lo..hi] ascending in place (Hoare partition around the middle element), moving
// tags[i] with keys[i]. Equal keys end in no particular order. The range is cut to the elements
// present in both arrays.
void quicksort(std::span<double> keys, std::span<int> tags, int lo, int hi);

}  // namespace tundrix
