#include "datagen/condenserfactor.h"

#include <cmath>

namespace tundrix::datagen {

double reducedCondensingPressure(const EosFluid& fluid) {
    return fluid.pBubble(kCondenserRatingTc) * 1e5 / fluid.model().criticalPressure();
}

CondenserModel fitCondenserModel(const EosFluid& reference, const std::vector<RatedFactor>& rated) {
    CondenserModel m;
    m.referencePr = reducedCondensingPressure(reference);
    double xy = 0, xx = 0;
    for (const RatedFactor& r : rated) {
        const double x = std::log(reducedCondensingPressure(*r.fluid) / m.referencePr);
        xy += x * std::log(r.factor);
        xx += x * x;
    }
    m.exponent = xx > 0 ? xy / xx : 0.0;
    return m;
}

double condenserFactor(const CondenserModel& model, const EosFluid& fluid) {
    return std::pow(reducedCondensingPressure(fluid) / model.referencePr, model.exponent);
}

}  // namespace tundrix::datagen
