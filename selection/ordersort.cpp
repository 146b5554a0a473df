#include "selection/ordersort.h"

#include <algorithm>
#include <vector>

#include "engine/toolkit.h"

namespace tundrix {
namespace {

// Hoare partition about the middle element, the capacity recomputed at every comparison.
void sortByCapacity(const Performance& perf, std::span<int> units, int lo, int hi, double tc,
                    double to) {
    auto cap = [&](int unit) { return perf.capacity(to, tc, unit); };
    int i = lo;
    int j = hi;
    const double pivot = cap(units[std::size_t((lo + hi) / 2)]);
    do {
        while (i < hi && cap(units[std::size_t(i)]) < pivot)
            ++i;
        while (j > lo && pivot < cap(units[std::size_t(j)]))
            --j;
        if (i <= j) {
            std::swap(units[std::size_t(i)], units[std::size_t(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        sortByCapacity(perf, units, lo, j, tc, to);
    if (i < hi)
        sortByCapacity(perf, units, i, hi, tc, to);
}

}  // namespace

void ordersort(const Performance& perf, std::span<int> units, int lo, int hi, double tc,
               double to) {
    lo = std::max(lo, 0);
    hi = std::min(hi, int(units.size()) - 1);
    if (lo >= hi)
        return;
    sortByCapacity(perf, units, lo, hi, tc, to);
}

void ordersort2(const Performance& perf, std::span<int> units, int lo, int hi, double tc,
                double to) {
    lo = std::max(lo, 0);
    hi = std::min(hi, int(units.size()) - 1);
    if (lo >= hi)
        return;
    std::vector<double> caps(units.size(), 0.0);
    for (int i = lo; i <= hi; ++i)
        caps[std::size_t(i)] = perf.capacity(to, tc, units[std::size_t(i)]);
    quicksort(caps, units, lo, hi);
}

}  // namespace tundrix
