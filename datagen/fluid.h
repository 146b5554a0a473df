// Thermodynamic properties of one refrigerant, as the generator needs them to build the
// property tables and to rate the sample compressors. Units: t in degC, p in bar, h in kJ/kg
// (IIR reference: 200 kJ/kg for saturated liquid at 0 degC), s in kJ/(kg K), rho in kg/m3.
// For the blends "bubble" and "dew" differ (temperature glide); for pure fluids they coincide.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace tundrix::datagen {

struct FluidState {
    double t = 0;    // degC
    double p = 0;    // bar
    double rho = 0;  // kg/m3
    double h = 0;    // kJ/kg
    double s = 0;    // kJ/(kg K)
};

class Fluid {
public:
    virtual ~Fluid() = default;
    virtual std::string name() const = 0;

    virtual double pBubble(double t) const = 0;  // bubble-point pressure at t
    virtual double pDew(double t) const = 0;     // dew-point pressure at t
    virtual double tBubble(double p) const = 0;  // bubble-point temperature at p
    virtual double tDew(double p) const = 0;     // dew-point temperature at p

    virtual FluidState bubbleLiquid(double t) const = 0;  // saturated liquid at t, pBubble(t)
    virtual FluidState dewVapour(double t) const = 0;     // saturated vapour at t, pDew(t)

    // Single-phase states (compressed liquid or superheated vapour).
    virtual FluidState atTP(double t, double p) const = 0;
    virtual FluidState atPH(double p, double h) const = 0;
    virtual FluidState atPS(double p, double s) const = 0;
};

// Loads a refrigerant's equation of state by name ("R404A", "R-134a", "R1234ze(E)"; "R507" and
// "R404A/R507" mean R404A) or by the index of the refrigerant table, from the folder of
// refrigerant files `dir` (empty: the folder the generator was built with). nullptr, and why in
// `err`, when the name is unknown, the refrigerant has no equation of state of its own or the
// file cannot be read.
std::unique_ptr<Fluid> loadFluid(const std::string& name, const std::filesystem::path& dir = {},
                                 std::string* err = nullptr);
std::unique_ptr<Fluid> loadFluid(int refrigerantIndex, const std::filesystem::path& dir = {},
                                 std::string* err = nullptr);

}  // namespace tundrix::datagen
