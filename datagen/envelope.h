// Operating envelopes of the sample compressors: six corners in the (to, tc) plane.
#pragma once

#include <array>

#include "datagen/compressors.h"

namespace tundrix::datagen {

struct Envelope {
    // Corners counter-clockwise from the bottom-left, (to, tc) in degC.
    std::array<double, 6> to{};
    std::array<double, 6> tc{};

    // Inside or on the boundary, by the program's own envelope test.
    bool contains(double t0, double tk) const;

    double toMin() const;
    double toMax() const;
    double tcMin() const;
    double tcMax() const;

    EnvelopeCorners corners() const;  // x1, y1, ..., x6, y6
};

// The sample envelope of a level (1..3) and refrigerant (datagen/refrigerantdesign.h). Every one
// is convex with two corner cuts of different slope, so that no conic passes through all six
// corners. Combinations no series uses (R404A/R507 high, R407C low, ...) still get a plausible
// envelope.
Envelope sampleEnvelope(int level, int refrigerant);

}  // namespace tundrix::datagen
