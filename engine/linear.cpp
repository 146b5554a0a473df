#include "engine/linear.h"

#include <utility>

namespace tundrix {

void swapRows(Massvv& m, int n, int w, int a, int b) {
    if (a < 0 || a >= n || b < 0 || b >= n || a == b) return;
    for (int c = 0; c < w; ++c) std::swap(m[a][c], m[b][c]);
}

void subtractRowMultiple(Massvv& m, int w, double x, int a, int b) {
    for (int c = 0; c < w; ++c) m[b][c] -= x * m[a][c];
}

bool normalizePivot(Massvv& m, int n, int w, int i) {
    if (m[i][i] != 0.0) return true;
    for (int j = i + 1; j < n; ++j) {
        if (m[j][i] != 0.0) {
            swapRows(m, n, w, i, j);
            return true;
        }
    }
    return false;
}

void solvelinear(Massvv& m, int n, int w) {
    if (n > kMassvvDim || w > kMassvvDim || n < 1 || w < 1) return;
    for (int i = 0; i < n; ++i) {
        if (normalizePivot(m, n, w, i)) {
            // Every remaining row is divided by the pivot, not only row i.
            const double p = m[i][i];
            for (int r = i; r < n; ++r)
                for (int c = 0; c < w; ++c) m[r][c] /= p;
        }
        for (int j = i + 1; j < n; ++j) subtractRowMultiple(m, w, m[j][i], i, j);
    }
    for (int i = n - 1; i >= 1; --i)
        for (int j = i - 1; j >= 0; --j) subtractRowMultiple(m, w, m[j][i], i, j);
}

}  // namespace tundrix
