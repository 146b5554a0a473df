// A zeotropic blend computed from the mixture model of its components: the single-phase states of
// its fixed composition come from the mixture's Helmholtz energy (as for any equation of state),
// the bubble and dew states from the phase equilibrium of the mixture.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "datagen/eosfluid.h"
#include "datagen/mixture.h"
#include "datagen/mixturevle.h"

namespace tundrix::datagen {

class BlendFluid : public EosFluid {
public:
    // The blend of `mixture`'s components at mole fractions z, with enthalpy and entropy moved to
    // the IIR reference (200 kJ/kg and 1 kJ/(kg K) for the bubble liquid at 0 degC). nullptr when
    // its phase equilibrium cannot be solved.
    static std::unique_ptr<BlendFluid> create(std::shared_ptr<const MixtureModel> mixture,
                                              const Composition& z, const std::string& name,
                                              std::string* err = nullptr);

    const MixtureModel& mixture() const { return *mixture_; }
    // For another blend of the same components.
    const std::shared_ptr<const MixtureModel>& sharedMixture() const { return mixture_; }
    const Composition& composition() const { return z_; }

    // The phase equilibria of the blend (K, Pa).
    VleState bubbleAtT(double T) const { return equilibrium(VleKind::Bubble, false, T); }
    VleState dewAtT(double T) const { return equilibrium(VleKind::Dew, false, T); }
    VleState bubbleAtP(double p) const { return equilibrium(VleKind::Bubble, true, p); }
    VleState dewAtP(double p) const { return equilibrium(VleKind::Dew, true, p); }

    // Bubble liquid at T_bubble(p) and dew vapour at T_dew(p), both of the blend's composition.
    Saturation saturationAtP(double p) const override;
    // Bubble liquid and dew vapour at T.
    Saturation saturationStatesAtT(double T) const override;

    // Each solves only its own line (the base class takes both from saturationStatesAtT).
    FluidState bubbleLiquid(double t) const override;
    FluidState dewVapour(double t) const override;
    double pBubble(double t) const override;
    double pDew(double t) const override;
    double tBubble(double p) const override;
    double tDew(double p) const override;
    // Below the dew pressure at t the vapour, above the bubble pressure the liquid; in between
    // (inside the two-phase region) the nearer line on a log scale decides, as for the
    // pseudo-pure blends.
    FluidState atTP(double t, double p) const override;
    // Gas above its dew point, the usual question, needs only the dew point at p.
    FluidState atPH(double p, double h) const override;
    FluidState atPS(double p, double s) const override;

private:
    VleState equilibrium(VleKind kind, bool atPressure, double value) const;
    // The liquid or the vapour of an equilibrium, in the Fluid interface's units.
    FluidState lineState(const VleState& s, bool liquid) const;
    // The state at p of enthalpy or entropy `value` (per kg) when it lies at or above the dew
    // point's; false otherwise, and the full search of the base class decides.
    using Solver = bool (EosFluid::*)(double, double, Branch, const MolarState&, MolarState&) const;
    bool gasAboveDew(double p, double value, double MolarState::*field, Solver solve,
                     FluidState& out) const;

    BlendFluid(HelmholtzModel model, std::shared_ptr<const MixtureModel> mixture,
               const Composition& z, std::unique_ptr<PhaseEnvelope> envelope);

    std::shared_ptr<const MixtureModel> mixture_;
    Composition z_;
    std::unique_ptr<PhaseEnvelope> envelope_;
    std::uint64_t id_;  // tells this blend's remembered equilibria from another's
};

// A blend of mixtures.json ("R448A", "R-454B", ...) with its components from `dir` (empty: the
// folder the generator was built with). nullptr, and why in `err`, when it cannot be built.
std::unique_ptr<BlendFluid> loadBlendFluid(const std::string& name,
                                           const std::filesystem::path& dir = {},
                                           std::string* err = nullptr);

}  // namespace tundrix::datagen
