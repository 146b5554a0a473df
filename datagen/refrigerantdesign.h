// How the sample catalogue offers compressors for each refrigerant of the refrigerant table:
// which brand covers which temperature level, the operating envelopes, the re-expansion
// exponent of the compressor model, the model name mark and the displacement of the series.
// Everything else about a refrigerant (its files, captions, property model) is in
// catalogue/refrigerants.h.
#pragma once

#include <array>
#include <string_view>

#include "catalogue/refrigerants.h"
#include "datagen/envelope.h"
#include "datagen/fluid.h"

namespace tundrix::datagen {

struct RefrigerantDesign {
    // offers[brand - 1][level - 1]: the brand has a series of the refrigerant at that level.
    std::array<std::array<bool, 3>, 4> offers{};
    // Envelope corners (to, tc) of each level, counter-clockwise from the bottom-left.
    std::array<std::array<std::array<double, 2>, 6>, 3> envelopes{};
    // Re-expansion exponent of the compressor model; 0: the isentropic exponent of the suction
    // gas at the low level's rating point (reexpansionExponent).
    double n = 0;
    // Letter after the level letter of a model name (models of one brand and size stay apart
    // between refrigerants); R410A's scrolls are marked by 'P' in place of the level letter.
    std::string_view mark;
    char levelLetter = 0;  // replaces the level letter when not 0
    // The brand's usual displacements are scaled so that the series gives the capacities of the
    // series of the refrigerant of this file code (empty: not scaled), by the ratio of the
    // volumetric refrigerating effects at the level's rating point.
    std::string_view sizedLike{};
    // The scrolls are of the high-pressure family (their own displacement range).
    bool highPressureScrolls = false;
};

// The design of a refrigerant index of the table (an entry with no offers outside it).
const RefrigerantDesign& refrigerantDesign(int refrigerant);

// The real-gas isentropic exponent kappa = (d ln p / d ln rho) at constant entropy of the
// suction gas at the low level's rating point: dew temperature -35 degC, 10 K superheat. The
// five original exponents lie within 0.025 of it (R404A 1.095 for 1.10, R22 1.181 for 1.16,
// R407C 1.135 for 1.13, R134a 1.109 for 1.10, R410A 1.164 for 1.14), so the refrigerants after
// them take it as their n, rounded to 0.01.
double isentropicExponent(const Fluid& fluid, double dewT, double superheat);
double reexpansionExponent(const Fluid& fluid);

// Volumetric refrigerating effect (kJ/m3) at a rating point: suction-gas density times the
// refrigerating effect, at 10 K superheat and no subcooling.
double volumetricEffect(const Fluid& fluid, double to, double tc);

}  // namespace tundrix::datagen
