// The ten rating points a compressor's polynomials are fitted through.
//
// The ten-term polynomial interpolates its ten points exactly, so everything depends on where
// they lie and in which order the elimination meets them. The points are approximate Fekete
// points of the envelope (the ten grid points with the largest determinant of the monomial
// matrix, which keeps the interpolation's error growth small) on the 5 K grid, and are given in
// Leja order (the pivot order of an LU factorisation with row pivoting), so that the fit's
// elimination, which exchanges rows only for an exactly zero pivot, never meets a tiny pivot.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "datagen/envelope.h"

namespace tundrix::datagen {

struct GridPoint {
    double to = 0;
    double tc = 0;
};

// Points at multiples of `step` degC inside or on the envelope, by the envelope test.
std::vector<GridPoint> gridPointsInside(const Envelope& envelope, double step = 5.0);

// Ten points of `candidates` in fit order. Needs at least ten candidates that are not on one
// cubic curve; returns false otherwise.
bool chooseFitPoints(const Envelope& envelope, const std::vector<GridPoint>& candidates,
                     std::array<GridPoint, 10>& chosen);

// chooseFitPoints over the 5 K grid of the envelope.
bool chooseFitPoints(const Envelope& envelope, std::array<GridPoint, 10>& chosen);

}  // namespace tundrix::datagen
