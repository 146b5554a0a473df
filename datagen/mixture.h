// The multi-fluid mixture model of the refrigerant blends: the components' equations of state at
// common reduced variables, joined by the reducing functions and departure functions of their
// binary pairs (refrigerants/mixtures.json). Molar units as in helmholtz.h.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "datagen/helmholtz.h"

namespace tundrix::datagen {

inline constexpr int kMaxComponents = 6;
inline constexpr int kMaxPairs = kMaxComponents * (kMaxComponents - 1) / 2;
// Mole fractions in the order of the model's components (unused places stay 0).
using Composition = std::array<double, kMaxComponents>;

// One phase of the mixture at (T, rho, x) with what its phase equilibrium needs.
struct MixturePhase {
    double T = 0, rho = 0, p = 0;
    double Z = 1;         // compressibility factor p / (rho R T)
    double dpdrho = 0;    // (dp/drho) at constant T and x
    Composition lnPhi{};  // fugacity coefficients, ln
    // Only with derivatives:
    Composition vBar{};                                  // partial molar volumes, m3/mol
    Composition dlnPhidlnT{};                            // T (d ln phi_i / d T) at constant p, n
    std::array<Composition, kMaxComponents> dlnPhidn{};  // n (d ln phi_i / d n_j) at constant T, p
};

// A blend as mixtures.json lists it: component files and mole fractions.
struct BlendRecipe {
    std::string name;
    std::vector<std::string> components;
    std::vector<double> moleFractions;
};

// The blend `name` ("R448A", ...) from `dir`/mixtures.json; false (and why) when it is not there.
bool readBlendRecipe(const std::string& name, const std::filesystem::path& dir, BlendRecipe& out,
                     std::string* err);

class MixtureModel {
public:
    // Reads the component files (`<name>.json` in `dir`) and the parameters of every pair of
    // them from `dir`/mixtures.json. A pair the file does not list is an error.
    bool load(const std::vector<std::string>& components, const std::filesystem::path& dir,
              std::string* err);

    int size() const { return int(comps_.size()); }
    const HelmholtzModel& component(int i) const { return comps_[std::size_t(i)].model; }

    double molarMass(const Composition& x) const;    // kg/mol
    double gasConstant(const Composition& x) const;  // the mole-fraction average, J/(mol K)
    double reducingTemperature(const Composition& x) const;
    double reducingDensity(const Composition& x) const;

    // Pressure and (dp/drho) at constant T and x: the density solver's inner loop.
    void pressure(double T, double rho, const Composition& x, double& p, double& dpdrho) const;
    // Density at (T, p, x) on the liquid or vapour branch, from `rhoStart` (0: the usual start).
    // NaN when the branch has no stable root there.
    double density(double T, double p, const Composition& x, bool liquid, double rhoStart) const;
    // Fugacity coefficients at (T, rho, x); with `derivatives` also their derivatives in T, p and
    // the mole numbers (for the Newton iterations of the phase equilibrium).
    MixturePhase phase(double T, double rho, const Composition& x, bool derivatives) const;

    // The model at the fixed composition x as one Helmholtz equation (ideal parts, residual parts
    // and departure functions weighted by the composition). Its "critical" point, which only
    // separates the branches of the density solvers, is the mixture's reducing state.
    HelmholtzModel atComposition(const Composition& x, const std::string& name) const;

private:
    struct Component {
        std::string name;
        HelmholtzModel model;
        double tr = 0, vr = 0;  // reducing temperature and molar volume
    };
    struct Pair {
        int i = 0, j = 0;  // components, i < j
        double betaT = 1, betaV = 1;
        double cT = 0, cV = 0;  // 2 beta gamma Y_ij of the reducing functions
        double F = 0;
        ResidualTerms departure;
    };
    // Value of a reducing function and its derivatives in the mole fractions, all taken as
    // independent variables.
    struct Reducing {
        double y = 0;
        Composition d{};
        std::array<Composition, kMaxComponents> dd{};
    };
    Reducing reducing(const Composition& x, bool temperature, bool second) const;
    // Residual part at (tau, delta, x): the sum, its derivatives in x_i and, when asked for, each
    // pair's F * departure function (the second derivatives in x_i, x_j).
    void residual(double tau, double delta, const Composition& x, AlphaTerms& sum,
                  std::array<AlphaTerms, kMaxComponents>& dx,
                  std::array<AlphaTerms, kMaxPairs>* pairTerms) const;

    std::vector<Component> comps_;
    std::vector<Pair> pairs_;
};

}  // namespace tundrix::datagen
