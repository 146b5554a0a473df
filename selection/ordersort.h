// Sorting unit numbers by cooling capacity at one operating point. The selection run sorts its
// computed capacities instead; these serve callers that hold a list of unit numbers.
#pragma once

#include <span>

#include "engine/performance.h"

namespace tundrix {

// Sorts units[lo..hi] ascending by capacity(to, tc, unit), computing the capacity at every
// comparison (partition about the middle element). Units without a value sort as NaN compares:
// they stay where the partition leaves them.
void ordersort(const Performance& perf, std::span<int> units, int lo, int hi, double tc, double to);

// The same result order, computing each capacity once and sorting with quicksort.
void ordersort2(const Performance& perf, std::span<int> units, int lo, int hi, double tc,
                double to);

}  // namespace tundrix
