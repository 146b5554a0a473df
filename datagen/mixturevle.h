// Phase equilibrium of a mixture of fixed overall composition z: the bubble point (liquid of
// composition z with the first bubble of vapour) and the dew point (vapour of composition z with
// the first drop of liquid), at a given temperature or a given pressure.
#pragma once

#include <vector>

#include "datagen/mixture.h"

namespace tundrix::datagen {

enum class VleKind { Bubble, Dew };

struct VleState {
    bool ok = false;
    double T = 0, p = 0;                  // K, Pa
    double rhoLiquid = 0, rhoVapour = 0;  // mol/m3
    Composition x{}, y{};                 // liquid and vapour mole fractions
    Composition lnK{};                    // ln(y_i / x_i)
    int iterations = 0;
};

// Equal fugacities of every component in both phases, solved by Newton's method on
// (ln K_i, ln p) at the temperature of `start` (`atPressure` false) or on (ln K_i, ln T) at its
// pressure. `start` supplies the K-factors, the other variable and the densities to begin with.
VleState solveVle(const MixtureModel& model, const Composition& z, VleKind kind, bool atPressure,
                  const VleState& start);

// A start at temperature T without any other: Raoult's law from the components' vapour-pressure
// equations, refined by successive substitution.
VleState initialEstimate(const MixtureModel& model, const Composition& z, VleKind kind, double T);

// The bubble and dew lines of one composition, solved once on a temperature grid by continuation,
// so that every later equilibrium starts next to its solution. The answers depend only on the
// question, not on what was asked before.
class PhaseEnvelope {
public:
    PhaseEnvelope(const MixtureModel& model, const Composition& z);

    bool valid() const { return !bubble_.empty() && !dew_.empty(); }
    VleState atT(VleKind kind, double T) const;
    VleState atP(VleKind kind, double p) const;
    // Interpolated start of the line at T, without iterating (for a quick phase decision).
    VleState guessAtT(VleKind kind, double T) const;
    // Highest temperature of the grid of the line.
    double topTemperature(VleKind kind) const;

private:
    const std::vector<VleState>& line(VleKind kind) const {
        return kind == VleKind::Bubble ? bubble_ : dew_;
    }
    VleState interpolate(const std::vector<VleState>& line, double T) const;

    const MixtureModel& model_;
    Composition z_;
    std::vector<VleState> bubble_, dew_;
};

}  // namespace tundrix::datagen
