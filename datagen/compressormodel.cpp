#include "datagen/compressormodel.h"

#include <algorithm>
#include <cmath>

#include "datagen/refrigerantdesign.h"

namespace tundrix::datagen {

namespace {

constexpr double kSuperheat = 10.0;  // K, rating condition
constexpr double kLineVoltage = 400.0;

}  // namespace

ModelParams levelParams(int level, int refrigerant) {
    ModelParams p;
    // 0 for a refrigerant whose exponent follows from its equation of state (resolvedParams).
    p.n = refrigerantDesign(refrigerant).n;
    if (level == 1) {
        p.a = 0.95;
        p.b = 0.033;
        p.etaPeak = 0.78;
        p.piDesign = 6.0;
    } else if (level == 2) {
        p.a = 0.95;
        p.b = 0.050;
        p.etaPeak = 0.70;
        p.piDesign = 5.0;
    } else {
        p.a = 0.96;
        p.b = 0.060;
        p.etaPeak = 0.73;
        p.piDesign = 3.5;
    }
    p.kIs = 0.12;
    return p;
}

ModelParams resolvedParams(ModelParams params, const Fluid& fluid) {
    if (params.n == 0)
        params.n = reexpansionExponent(fluid);
    return params;
}

CompressorModel::CompressorModel(const Fluid& fluid, const ModelParams& params,
                                 const Envelope& envelope, double displacement)
    : fluid_(fluid), params_(params), displacement_(displacement) {
    double largest = 0;
    for (int k = 0; k < 6; ++k) {
        const int n = (k + 1) % 6;
        largest = std::max(largest, thermodynamics(envelope.to[k], envelope.tc[k]).shaftPower);
        const double midTo = 0.5 * (envelope.to[k] + envelope.to[n]);
        const double midTc = 0.5 * (envelope.tc[k] + envelope.tc[n]);
        largest = std::max(largest, thermodynamics(midTo, midTc).shaftPower);
    }
    nominalShaft_ = largest;
}

ModelPoint CompressorModel::thermodynamics(double to, double tc) const {
    ModelPoint r;
    const double po = fluid_.pDew(to);
    const double pc = fluid_.pBubble(tc);
    const FluidState suction = fluid_.atTP(to + kSuperheat, po);
    const double hLiquid = fluid_.bubbleLiquid(tc).h;
    const double pi = pc / po;
    r.pressureRatio = pi;
    r.etaV = params_.a - params_.b * (std::pow(pi, 1.0 / params_.n) - 1.0);
    const double lr = std::log(pi / params_.piDesign);
    r.etaIs = params_.etaPeak / (1.0 + params_.kIs * lr * lr);
    const double massFlow = displacement_ / 3600.0 * suction.rho * r.etaV;  // kg/s
    const double h2s = fluid_.atPS(pc, suction.s).h;
    const double h2 = suction.h + (h2s - suction.h) / r.etaIs;
    r.capacity = massFlow * (suction.h - hLiquid);
    r.shaftPower = massFlow * (h2 - suction.h);
    r.heat = massFlow * (h2 - hLiquid);
    r.dischargeT = fluid_.atPH(pc, h2).t;
    return r;
}

ModelPoint CompressorModel::rate(double to, double tc) const {
    ModelPoint r = thermodynamics(to, tc);
    const double nominalLosses = nominalShaft_ * (1.0 / params_.etaMotor - 1.0);
    const double load = nominalShaft_ > 0 ? r.shaftPower / nominalShaft_ : 0.0;
    const double f0 = params_.fixedLossShare;
    r.power = r.shaftPower + nominalLosses * (f0 + (1.0 - f0) * load * load);

    // Active and reactive current; the magnetising part hardly depends on load.
    const double k = std::sqrt(3.0) * kLineVoltage / 1000.0;  // kW per A
    const double active = r.power / k;
    const double activeNominal = nominalShaft_ / params_.etaMotor / k;
    const double g = params_.fixedReactiveShare;
    const double tanPhi = std::tan(std::acos(params_.cosPhi));
    const double ratio = activeNominal > 0 ? active / activeNominal : 0.0;
    const double reactive = activeNominal * tanPhi * (g + (1.0 - g) * ratio * ratio);
    r.current = std::sqrt(active * active + reactive * reactive);
    return r;
}

}  // namespace tundrix::datagen
