#include "engine/toolkit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tundrix {

bool inenvelope(double X, double Y, double x1, double y1, double x2, double y2, double x3,
                double y3, double x4, double y4, double x5, double y5, double x6, double y6) {
    const std::array<double, 7> xs = {x1, x2, x3, x4, x5, x6, x1};
    const std::array<double, 7> ys = {y1, y2, y3, y4, y5, y6, y1};
    for (std::size_t k = 0; k < 6; ++k) {
        const double cross = (xs[k + 1] - xs[k]) * (Y - ys[k]) - (X - xs[k]) * (ys[k + 1] - ys[k]);
        if (!(cross >= 0.0))
            return false;
    }
    return true;
}

double condenserdelta(double Q, double Cq, double f) {
    if (Cq == 0.0)
        return 0.0;
    if (std::fabs(f - 0.87) < 0.01)
        return 13.04 * Q / Cq / f + 2.0;
    return 15.0 * Q / Cq / f;
}

namespace {

void sortRange(std::span<double> keys, std::span<int> tags, int lo, int hi) {
    const double pivot = keys[std::size_t((lo + hi) / 2)];
    int i = lo;
    int j = hi;
    do {
        // The scans stop at the pivot itself at the latest; the bounds only matter for keys
        // that do not compare (NaN).
        while (i < hi && keys[i] < pivot)
            ++i;
        while (j > lo && keys[j] > pivot)
            --j;
        if (i <= j) {
            std::swap(keys[i], keys[j]);
            std::swap(tags[i], tags[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        sortRange(keys, tags, lo, j);
    if (i < hi)
        sortRange(keys, tags, i, hi);
}

}  // namespace

void quicksort(std::span<double> keys, std::span<int> tags, int lo, int hi) {
    const int size = int(std::min(keys.size(), tags.size()));
    lo = std::max(lo, 0);
    hi = std::min(hi, size - 1);
    if (lo >= hi)
        return;
    sortRange(keys, tags, lo, hi);
}

}  // namespace tundrix
