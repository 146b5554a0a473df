#include "datagen/blendfluid.h"

#include <array>
#include <atomic>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

namespace tundrix::datagen {

namespace {

// The IIR reference point: the bubble liquid at 0 degC.
constexpr double kReferenceT = 273.15;
constexpr double kReferenceH = 200e3;  // J/kg
constexpr double kReferenceS = 1e3;    // J/(kg K)

// The latest equilibrium of each kind, per thread. The property routines ask for the same point
// several times in a row (the bubble pressure of tc, then the liquid at tc; the dew point of the
// discharge pressure for h2s and then for the discharge temperature). Each answer depends only
// on its question, so a remembered one is the same to the last bit.
struct Remembered {
    std::uint64_t owner = 0;
    double value = 0;
    VleState state;
};
thread_local std::array<Remembered, 4> remembered;
std::atomic<std::uint64_t> lastId{0};

}  // namespace

std::unique_ptr<BlendFluid> BlendFluid::create(std::shared_ptr<const MixtureModel> mixture,
                                               const Composition& z, const std::string& name,
                                               std::string* err) {
    auto envelope = std::make_unique<PhaseEnvelope>(*mixture, z);
    const VleState ref =
        envelope->valid() ? envelope->atT(VleKind::Bubble, kReferenceT) : VleState{};
    if (!ref.ok) {
        if (err)
            *err = "the phase equilibrium of " + name + " cannot be solved";
        return nullptr;
    }
    // Each component keeps its own reference offset; the blend as a whole is moved to IIR with
    // one more offset, which changes h and s everywhere by the same amounts and nothing else.
    HelmholtzModel model = mixture->atComposition(z, name);
    const MolarState st = model.state(kReferenceT, ref.rhoLiquid);
    const double m = model.molarMass();
    const double R = model.gasConstant();
    model.addOffset(-(kReferenceS * m - st.s) / R,
                    (kReferenceH * m - st.h) / (R * model.reducingTemperature()));
    return std::unique_ptr<BlendFluid>(
        new BlendFluid(std::move(model), std::move(mixture), z, std::move(envelope)));
}

BlendFluid::BlendFluid(HelmholtzModel model, std::shared_ptr<const MixtureModel> mixture,
                       const Composition& z, std::unique_ptr<PhaseEnvelope> envelope)
    : EosFluid(std::move(model)),
      mixture_(std::move(mixture)),
      z_(z),
      envelope_(std::move(envelope)),
      id_(++lastId) {}

VleState BlendFluid::equilibrium(VleKind kind, bool atPressure, double value) const {
    Remembered& r =
        remembered[std::size_t((kind == VleKind::Bubble ? 0 : 2) + (atPressure ? 1 : 0))];
    if (r.owner == id_ && r.value == value)
        return r.state;
    r.state = atPressure ? envelope_->atP(kind, value) : envelope_->atT(kind, value);
    r.owner = id_;
    r.value = value;
    return r.state;
}

EosFluid::Saturation BlendFluid::saturationAtP(double p) const {
    Saturation sat;
    const VleState b = bubbleAtP(p);
    const VleState d = dewAtP(p);
    if (!b.ok || !d.ok)
        return sat;
    sat.liquid = model().state(b.T, b.rhoLiquid);
    sat.vapour = model().state(d.T, d.rhoVapour);
    sat.liquid.p = sat.vapour.p = p;
    sat.ok = true;
    return sat;
}

EosFluid::Saturation BlendFluid::saturationStatesAtT(double T) const {
    Saturation sat;
    const VleState b = bubbleAtT(T);
    const VleState d = dewAtT(T);
    if (!b.ok || !d.ok)
        return sat;
    sat.liquid = model().state(T, b.rhoLiquid);
    sat.vapour = model().state(T, d.rhoVapour);
    sat.liquid.p = b.p;
    sat.vapour.p = d.p;
    sat.ok = true;
    return sat;
}

FluidState BlendFluid::lineState(const VleState& s, bool liquid) const {
    if (!s.ok)
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    MolarState st = model().state(s.T, liquid ? s.rhoLiquid : s.rhoVapour);
    st.p = s.p;
    return toFluidState(st);
}

FluidState BlendFluid::bubbleLiquid(double t) const {
    return lineState(bubbleAtT(t + kKelvin), true);
}

FluidState BlendFluid::dewVapour(double t) const {
    return lineState(dewAtT(t + kKelvin), false);
}

double BlendFluid::pBubble(double t) const {
    const VleState s = bubbleAtT(t + kKelvin);
    return s.ok ? s.p / kPaPerBar : kNaN;
}

double BlendFluid::pDew(double t) const {
    const VleState s = dewAtT(t + kKelvin);
    return s.ok ? s.p / kPaPerBar : kNaN;
}

double BlendFluid::tBubble(double p) const {
    const VleState s = bubbleAtP(p * kPaPerBar);
    return s.ok ? s.T - kKelvin : kNaN;
}

double BlendFluid::tDew(double p) const {
    const VleState s = dewAtP(p * kPaPerBar);
    return s.ok ? s.T - kKelvin : kNaN;
}

FluidState BlendFluid::atTP(double t, double p) const {
    const double T = t + kKelvin;
    const double P = p * kPaPerBar;
    Branch branch = Branch::Vapour;
    double rhoStart = 0;
    const VleState gb = envelope_->guessAtT(VleKind::Bubble, T);
    const VleState gd = envelope_->guessAtT(VleKind::Dew, T);
    if (gb.ok && gd.ok && T <= envelope_->topTemperature(VleKind::Bubble)) {
        // Well away from both lines their interpolated pressures decide; near them the
        // equilibrium itself.
        double pb = gb.p, pd = gd.p;
        if (P > 0.98 * pd && P < 1.02 * pb) {
            const VleState b = bubbleAtT(T), d = dewAtT(T);
            if (b.ok && d.ok) {
                pb = b.p;
                pd = d.p;
            }
        }
        if (P >= pb || (P > pd && std::log(P / pd) > std::log(pb / P)))
            branch = Branch::Liquid;
        rhoStart = branch == Branch::Liquid ? gb.rhoLiquid : 0;
    } else if (P > model().criticalPressure()) {
        branch = Branch::Liquid;
    }
    const double rho = density(T, P, branch, rhoStart);
    if (!std::isfinite(rho))
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    FluidState f = toFluidState(model().state(T, rho));
    f.p = p;
    return f;
}

bool BlendFluid::gasAboveDew(double p, double value, double MolarState::*field, Solver solve,
                             FluidState& out) const {
    const double P = p * kPaPerBar;
    const VleState d = dewAtP(P);
    if (!d.ok)
        return false;
    const MolarState dew = model().state(d.T, d.rhoVapour);
    const double v = value * massPerMol() * 1000;
    MolarState st;
    if (!(v >= dew.*field) || !(this->*solve)(P, v, Branch::Vapour, dew, st))
        return false;
    out = toFluidState(st);
    out.p = p;
    return true;
}

FluidState BlendFluid::atPH(double p, double h) const {
    FluidState f;
    return gasAboveDew(p, h, &MolarState::h, &EosFluid::solvePH, f) ? f : EosFluid::atPH(p, h);
}

FluidState BlendFluid::atPS(double p, double s) const {
    FluidState f;
    return gasAboveDew(p, s, &MolarState::s, &EosFluid::solvePS, f) ? f : EosFluid::atPS(p, s);
}

std::unique_ptr<BlendFluid> loadBlendFluid(const std::string& name,
                                           const std::filesystem::path& dir, std::string* err) {
    std::string key;
    for (char c : name) {
        if (c != '-' && c != ' ')
            key += char(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::filesystem::path folder = dir.empty() ? defaultRefrigerantDir() : dir;
    BlendRecipe recipe;
    if (!readBlendRecipe(key, folder, recipe, err))
        return nullptr;
    auto mixture = std::make_shared<MixtureModel>();
    if (!mixture->load(recipe.components, folder, err))
        return nullptr;
    Composition z{};
    for (std::size_t i = 0; i < recipe.moleFractions.size(); ++i)
        z[i] = recipe.moleFractions[i];
    return BlendFluid::create(std::move(mixture), z, key, err);
}

}  // namespace tundrix::datagen
