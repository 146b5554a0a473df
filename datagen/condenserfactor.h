// The condenser capacity factor of a refrigerant (`condfactor`), from the condenser model the
// sample catalogue rates its condensers with.
//
// A condenser of the catalogue is rated by its capacity at a temperature difference of 15 K
// with R404A/R507; the same coil condenses less of a refrigerant of lower reduced pressure
// (lower vapour density, so faster vapour and a larger loss of saturation temperature along the
// tubes). The model takes the factor as a power of the reduced condensing pressure,
//     f = (p_r / p_r,R404A)^m,   p_r = p_bubble(45 degC) / p_c,
// with m fitted (least squares on ln f) to the factors of R22 (0.96) and R134a (0.93). R410A
// condenses at R404A's reduced pressure and keeps 1.0; R407C's factor belongs to the offset
// form of its glide and takes no part. The factors of the refrigerants after the five are this
// model rounded to hundredths.
#pragma once

#include <vector>

#include "datagen/eosfluid.h"

namespace tundrix::datagen {

// Condensing temperature at which the reduced pressures are compared (the middle level's
// rating point).
inline constexpr double kCondenserRatingTc = 45.0;

double reducedCondensingPressure(const EosFluid& fluid);

struct CondenserModel {
    double referencePr = 0;  // R404A/R507
    double exponent = 0;     // m
};

struct RatedFactor {
    const EosFluid* fluid = nullptr;
    double factor = 1.0;
};

// Fits m through the rated factors of other refrigerants against the reference.
CondenserModel fitCondenserModel(const EosFluid& reference, const std::vector<RatedFactor>& rated);

// The model's factor of a fluid, unrounded.
double condenserFactor(const CondenserModel& model, const EosFluid& fluid);

}  // namespace tundrix::datagen
