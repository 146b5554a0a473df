#include "datagen/envelope.h"

#include <algorithm>

#include "engine/toolkit.h"

namespace tundrix::datagen {

bool Envelope::contains(double t0, double tk) const {
    for (int k = 0; k < 6; ++k) {
        const int n = (k + 1) % 6;
        const double cross = (to[n] - to[k]) * (tk - tc[k]) - (t0 - to[k]) * (tc[n] - tc[k]);
        if (cross < 0)
            return false;
    }
    return true;
}

double Envelope::toMin() const {
    return *std::min_element(to.begin(), to.end());
}
double Envelope::toMax() const {
    return *std::max_element(to.begin(), to.end());
}
double Envelope::tcMin() const {
    return *std::min_element(tc.begin(), tc.end());
}
double Envelope::tcMax() const {
    return *std::max_element(tc.begin(), tc.end());
}

EnvelopeCorners Envelope::corners() const {
    EnvelopeCorners c{};
    for (int k = 0; k < 6; ++k) {
        c[2 * k] = to[k];
        c[2 * k + 1] = tc[k];
    }
    return c;
}

namespace {

Envelope make(std::array<std::array<double, 2>, 6> pts) {
    Envelope e;
    for (int k = 0; k < 6; ++k) {
        e.to[k] = pts[k][0];
        e.tc[k] = pts[k][1];
    }
    return e;
}

}  // namespace

Envelope sampleEnvelope(int level, int refrigerant) {
    // Low-temperature machines stop at moderate condensing temperatures (discharge temperature),
    // high-temperature ones reach far up; the to-span stays within 35 K and the pressure ratio
    // above about 1.9, where the ten-term polynomial still follows the compressor closely.
    switch (refrigerant) {
        case 0:  // R404A/R507
            if (level == 1)
                return make({{{-45, 20}, {-25, 20}, {-20, 28}, {-20, 50}, {-30, 50}, {-45, 33}}});
            if (level == 2)
                return make({{{-20, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 55}, {-20, 45}}});
            return make({{{-5, 30}, {5, 30}, {15, 40}, {15, 55}, {0, 55}, {-5, 45}}});
        case 1:  // R22
            if (level == 1)
                return make({{{-40, 20}, {-20, 20}, {-15, 28}, {-15, 50}, {-25, 50}, {-40, 35}}});
            if (level == 2)
                return make({{{-20, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 55}, {-20, 45}}});
            return make({{{-5, 30}, {5, 30}, {15, 40}, {15, 65}, {0, 65}, {-5, 55}}});
        case 2:  // R407C
            if (level == 1)
                return make({{{-35, 20}, {-20, 20}, {-15, 28}, {-15, 50}, {-25, 50}, {-35, 40}}});
            if (level == 2)
                return make({{{-20, 25}, {0, 25}, {5, 33}, {5, 55}, {-10, 55}, {-20, 45}}});
            return make({{{-5, 30}, {5, 30}, {15, 40}, {15, 65}, {0, 65}, {-5, 55}}});
        case 3:  // R134a
            if (level == 1)
                return make({{{-35, 20}, {-15, 20}, {-10, 28}, {-10, 50}, {-25, 50}, {-35, 40}}});
            if (level == 2)
                return make({{{-20, 25}, {5, 25}, {15, 38}, {15, 60}, {-10, 60}, {-20, 50}}});
            return make({{{-5, 30}, {10, 30}, {20, 42}, {20, 70}, {0, 70}, {-5, 60}}});
        default:  // R410A: high-pressure scrolls for air conditioning
            return make({{{-10, 30}, {5, 30}, {15, 38}, {15, 60}, {0, 60}, {-10, 50}}});
    }
}

}  // namespace tundrix::datagen
