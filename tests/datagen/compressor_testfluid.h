// A simple refrigerant for testing the compressor model on its own: ideal-gas vapour with a
// constant heat capacity, an incompressible liquid and a Clausius-Clapeyron vapour pressure,
// roughly R22-sized. `glide` makes it behave like a zeotropic blend (dew below bubble pressure).
#pragma once

#include <cmath>

#include "datagen/fluid.h"

namespace tundrix::datagen::testing {

class IdealRefrigerant : public Fluid {
public:
    explicit IdealRefrigerant(double glide = 0.0) : glide_(glide) {}

    std::string name() const override { return "ideal"; }

    double pBubble(double t) const override { return psat(t); }
    double pDew(double t) const override { return psat(t - glide_); }
    double tBubble(double p) const override { return tsat(p); }
    double tDew(double p) const override { return tsat(p) + glide_; }

    FluidState bubbleLiquid(double t) const override { return liquid(t, pBubble(t)); }
    FluidState dewVapour(double t) const override { return vapour(t, pDew(t)); }

    FluidState atTP(double t, double p) const override {
        return t > tsat(p) ? vapour(t, p) : liquid(t, p);
    }
    FluidState atPH(double p, double h) const override { return vapour((h - kH0) / kCpV, p); }
    FluidState atPS(double p, double s) const override {
        const double T = kT0 * std::exp((s - kS0 + kR * std::log(p / kP0)) / kCpV);
        return vapour(T - kT0, p);
    }

private:
    static constexpr double kT0 = 273.15;
    static constexpr double kR = 0.0961;  // kJ/(kg K)
    static constexpr double kCpV = 0.75;  // kJ/(kg K)
    static constexpr double kCpL = 1.2;   // kJ/(kg K)
    static constexpr double kH0 = 405.0;  // vapour enthalpy at 0 degC
    static constexpr double kS0 = 1.75;   // vapour entropy at 0 degC, kP0
    static constexpr double kP0 = 5.0;    // bar
    static constexpr double kA = 10.536, kB = 2445.0;

    double psat(double t) const { return std::exp(kA - kB / (t + kT0)); }
    double tsat(double p) const { return kB / (kA - std::log(p)) - kT0; }

    FluidState vapour(double t, double p) const {
        const double T = t + kT0;
        return {t, p, p * 100.0 / (kR * T), kH0 + kCpV * t,
                kS0 + kCpV * std::log(T / kT0) - kR * std::log(p / kP0)};
    }
    FluidState liquid(double t, double p) const {
        return {t, p, 1200.0, 200.0 + kCpL * t, 1.0 + kCpL * std::log((t + kT0) / kT0)};
    }

    double glide_;
};

}  // namespace tundrix::datagen::testing
