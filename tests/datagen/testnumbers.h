// Small numeric helpers of the generator's tests.
#pragma once

#include <cmath>
#include <vector>

namespace tundrix::datagen::testnumbers {

// |a - b| relative to b.
inline double rel(double a, double b) {
    return std::abs(a - b) / std::abs(b);
}

// from, from + step, ... up to `to` (included within rounding).
inline std::vector<double> range(double from, double to, double step) {
    std::vector<double> v;
    for (double x = from; x <= to + 1e-9; x += step)
        v.push_back(x);
    return v;
}

}  // namespace tundrix::datagen::testnumbers
