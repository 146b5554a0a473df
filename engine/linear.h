// Gauss-Jordan elimination on the 101 x 101 work matrix. The spline of the numeric toolkit and the
// ten-point polynomial fit of the coefficient builder both solve their systems with it.
#pragma once

#include <array>
#include <memory>

namespace tundrix {

inline constexpr int kMassvvDim = 101;
using MassvvRow = std::array<double, kMassvvDim>;
// 101 x 101 doubles indexed [0..100][0..100]; large (81 KB), so allocate it with makeMassvv().
using Massvv = std::array<MassvvRow, kMassvvDim>;

inline std::unique_ptr<Massvv> makeMassvv() { return std::make_unique<Massvv>(); }

// Exchanges rows a and b over columns 0..w-1; does nothing unless both lie in 0..n-1.
void swapRows(Massvv& m, int n, int w, int a, int b);

// Row b := row b - x * row a over columns 0..w-1.
void subtractRowMultiple(Massvv& m, int w, double x, int a, int b);

// Pivot step for column i: when M[i][i] is exactly 0 the first later row with a non-zero entry
// in column i is swapped in. Returns false when no usable pivot exists (the division of this
// step is then skipped).
bool normalizePivot(Massvv& m, int n, int w, int i);

// Solves the n equations held in rows 0..n-1, columns 0..w-1 (right-hand side in column w-1)
// in place; the solution x_i ends in M[i][w-1]. Every row from i down is divided by the pivot,
// rows are exchanged only for an exactly zero pivot, and there is no search for the largest
// pivot: the elimination order is part of the results the catalogue's coefficients were fitted
// with, so it is kept as it is.
void solvelinear(Massvv& m, int n, int w);

}  // namespace tundrix
