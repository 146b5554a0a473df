#include "datagen/envelope.h"

#include <algorithm>

#include "datagen/refrigerantdesign.h"
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
    const int l = level >= 1 && level <= 3 ? level : 3;
    return make(refrigerantDesign(refrigerant).envelopes[std::size_t(l - 1)]);
}

}  // namespace tundrix::datagen
