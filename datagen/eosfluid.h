// A refrigerant computed from its Helmholtz equation of state: the Fluid interface plus the
// molar solvers the property tables are built with.
#pragma once

#include <filesystem>
#include <limits>
#include <memory>
#include <string>

#include "datagen/fluid.h"
#include "datagen/helmholtz.h"

namespace tundrix::datagen {

inline constexpr double kKelvin = 273.15;  // 0 degC in K
inline constexpr double kPaPerBar = 1e5;
inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class EosFluid : public Fluid {
public:
    enum class Branch { Liquid, Vapour };

    // Two coexisting states (molar). For the pure fluids liquid and vapour share T and p; for the
    // blends the liquid is the bubble point and the vapour the dew point, at the same T (AtT) or
    // the same p (AtP).
    struct Saturation {
        bool ok = false;
        MolarState liquid;
        MolarState vapour;
    };

    explicit EosFluid(HelmholtzModel model);

    const HelmholtzModel& model() const { return model_; }
    bool isPure() const { return model_.kind() == HelmholtzModel::Kind::Pure; }

    // --- Molar solvers (K, Pa, mol/m3, J/mol) ------------------------------------------------
    // Density on the given branch at (T, p) by a safeguarded Newton iteration from `rhoStart`
    // (0: the branch's usual start). NaN when that branch has no stable root there.
    double density(double T, double p, Branch branch, double rhoStart = 0) const;
    // Phase equilibrium of a pure fluid at T (equal pressure and Gibbs energy). The optional
    // densities start the iteration instead of the ancillaries.
    Saturation saturationAtT(double T, double rhoL0 = 0, double rhoV0 = 0) const;
    // Pure fluid: the equilibrium at pressure p. Blend: bubble liquid at T_bubble(p) and dew
    // vapour at T_dew(p) from the pressure ancillaries (a mixture-model blend overrides both with
    // its phase equilibrium).
    virtual Saturation saturationAtP(double p) const;
    // Bubble liquid and dew vapour at T (blends: the ancillary pressures; pure: the equilibrium).
    virtual Saturation saturationStatesAtT(double T) const;
    // Single-phase state at (p, h) or (p, s): a Newton iteration in (ln T, ln rho) from `start`
    // that stays where (dp/drho)_T > 0; on failure a bracketed search in T on the requested
    // branch. ok is false when neither finds the state.
    bool solvePH(double p, double h, Branch branch, const MolarState& start, MolarState& out) const;
    bool solvePS(double p, double s, Branch branch, const MolarState& start, MolarState& out) const;

    FluidState toFluidState(const MolarState& st) const;
    double massPerMol() const { return model_.molarMass(); }

    // --- Fluid ------------------------------------------------------------------------------
    std::string name() const override { return model_.name(); }
    double pBubble(double t) const override;
    double pDew(double t) const override;
    double tBubble(double p) const override;
    double tDew(double p) const override;
    FluidState bubbleLiquid(double t) const override;
    FluidState dewVapour(double t) const override;
    // Below the critical temperature the phase follows the saturation pressure(s) at t: a pure
    // fluid at its saturation pressure is the saturated vapour; between a blend's dew and bubble
    // pressure the nearer one (on a log scale) decides.
    FluidState atTP(double t, double p) const override;
    // Inside the two-phase region of (p, h) or (p, s) these return the quality-weighted mix of
    // the saturated liquid and vapour at p (temperature interpolated between bubble and dew).
    FluidState atPH(double p, double h) const override;
    FluidState atPS(double p, double s) const override;

private:
    template <class Residual>
    bool newton2(double p, double target, double scale, Residual residual, Branch branch,
                 const MolarState& start, MolarState& out) const;
    template <class Value>
    bool bracketT(double p, double target, Branch branch, Value value, MolarState& out) const;
    FluidState mix(const Saturation& sat, double x) const;

    HelmholtzModel model_;
};

// The folder of refrigerant files the generator was built with.
std::filesystem::path defaultRefrigerantDir();

// loadFluid (fluid.h) with the concrete type, for the table builder and the tests.
std::unique_ptr<EosFluid> loadEosFluid(const std::string& name,
                                       const std::filesystem::path& dir = {},
                                       std::string* err = nullptr);
std::unique_ptr<EosFluid> loadEosFluid(int refrigerantIndex, const std::filesystem::path& dir = {},
                                       std::string* err = nullptr);

}  // namespace tundrix::datagen
