#include "datagen/eosfluid.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

#include "catalogue/refrigerants.h"
#include "datagen/blendfluid.h"
#include "datagen/densityroot.h"

namespace tundrix::datagen {

namespace {

struct Valued {
    double v, dlnT, dlnrho;
};

}  // namespace

EosFluid::EosFluid(HelmholtzModel model) : model_(std::move(model)) {}

// ---------------------------------------------------------------------------------------------
// Density at (T, p)

double EosFluid::density(double T, double p, Branch branch, double rhoStart) const {
    if (!(T > 0) || !(p > 0))
        return kNaN;
    const double tc = model_.criticalTemperature();
    const double rc = model_.criticalDensity();
    const bool sub = T < tc;
    double rho = rhoStart;
    if (!(rho > 0)) {
        if (branch == Branch::Vapour) {
            rho = p / (model_.gasConstant() * T);
        } else {
            const double anc = sub ? model_.rhoLiquid()(T) : kNaN;
            rho = std::isfinite(anc) && anc > rc ? anc : 2.5 * rc;
        }
    }
    return densityRoot(p, rho, branch == Branch::Liquid, sub, rc,
                       [&](double r, double& pr, double& dp) { model_.pressure(T, r, pr, dp); });
}

// ---------------------------------------------------------------------------------------------
// Saturation

EosFluid::Saturation EosFluid::saturationAtT(double T, double rhoL0, double rhoV0) const {
    Saturation sat;
    if (!(T > 0) || !(T < model_.criticalTemperature()))
        return sat;
    double rhoL = rhoL0 > 0 ? rhoL0 : model_.rhoLiquid()(T);
    double rhoV = rhoV0 > 0 ? rhoV0 : model_.rhoVapour()(T);
    if (!(rhoL > 0) || !(rhoV > 0))
        return sat;
    MolarState L = model_.state(T, rhoL);
    MolarState V = model_.state(T, rhoV);
    double prevStep = 1;
    // Newton on (rho', rho'') for equal pressure and Gibbs energy; at constant T dg = dp/rho.
    for (int it = 0; it < 100; ++it) {
        const double f1 = L.p - V.p;
        const double f2 = L.g - V.g;
        const double j11 = L.dpdrho, j12 = -V.dpdrho;
        const double j21 = L.dpdrho / L.rho, j22 = -V.dpdrho / V.rho;
        const double det = j11 * j22 - j12 * j21;
        if (!(std::abs(det) > 0) || !std::isfinite(det))
            return sat;
        double dL = (-f1 * j22 + j12 * f2) / det;
        double dV = (-j11 * f2 + j21 * f1) / det;
        // Keep both phases on their stable branches.
        for (int h = 0; h < 60; ++h) {
            const double nl = L.rho + dL, nv = V.rho + dV;
            if (nl > 0 && nv > 0 && nl > nv) {
                const MolarState nL = model_.state(T, nl);
                const MolarState nV = model_.state(T, nv);
                if (nL.dpdrho > 0 && nV.dpdrho > 0 && std::isfinite(nL.g) && std::isfinite(nV.g)) {
                    L = nL;
                    V = nV;
                    break;
                }
            }
            dL *= 0.5;
            dV *= 0.5;
            if (h == 59)
                return sat;
        }
        const double step = std::max(std::abs(dL) / L.rho, std::abs(dV) / V.rho);
        // Stop at the level of rounding: tiny steps, or steps that no longer shrink.
        if (step < 1e-13 || (it > 3 && step < 1e-10 && step >= 0.5 * prevStep))
            break;
        prevStep = step;
    }
    // The liquid pressure is a small difference of large numbers; the vapour's is the one to
    // report for both phases.
    L.p = V.p;
    sat.liquid = L;
    sat.vapour = V;
    sat.ok = std::isfinite(V.p) && V.p > 0 && L.rho > V.rho * (1 + 1e-6);
    return sat;
}

EosFluid::Saturation EosFluid::saturationAtP(double p) const {
    Saturation sat;
    if (!(p > 0))
        return sat;
    const double tLow = 0.3 * model_.criticalTemperature();
    if (!isPure()) {
        const double tb = model_.pBubble().inverse(p, tLow);
        const double td = model_.pDew().inverse(p, tLow);
        const double rl = density(tb, p, Branch::Liquid);
        const double rv = density(td, p, Branch::Vapour);
        if (!std::isfinite(rl) || !std::isfinite(rv))
            return sat;
        sat.liquid = model_.state(tb, rl);
        sat.vapour = model_.state(td, rv);
        sat.ok = true;
        return sat;
    }
    double T = model_.pSat().inverse(p, tLow);
    if (!std::isfinite(T))
        return sat;
    T = std::min(T, model_.criticalTemperature() - 1e-3);
    sat = saturationAtT(T);
    // Newton on ln p against T with the Clapeyron slope.
    for (int it = 0; it < 50 && sat.ok; ++it) {
        const MolarState& L = sat.liquid;
        const MolarState& V = sat.vapour;
        const double dlnpdT = (V.h - L.h) / (T * (1 / V.rho - 1 / L.rho) * V.p);
        const double dT = (std::log(p) - std::log(V.p)) / dlnpdT;
        if (!std::isfinite(dT)) {
            sat.ok = false;
            break;
        }
        T += dT;
        sat = saturationAtT(T, L.rho, V.rho);
        if (std::abs(dT) <= 1e-13 * T)
            break;
    }
    return sat;
}

EosFluid::Saturation EosFluid::saturationStatesAtT(double T) const {
    if (isPure())
        return saturationAtT(T);
    Saturation sat;
    const double pb = model_.pBubble()(T);
    const double pd = model_.pDew()(T);
    const double rl = density(T, pb, Branch::Liquid);
    const double rv = density(T, pd, Branch::Vapour);
    if (!std::isfinite(rl) || !std::isfinite(rv))
        return sat;
    sat.liquid = model_.state(T, rl);
    sat.vapour = model_.state(T, rv);
    sat.ok = true;
    return sat;
}

// ---------------------------------------------------------------------------------------------
// States at (p, h) and (p, s)

template <class Residual>
bool EosFluid::newton2(double p, double target, double scale, Residual residual, Branch branch,
                       const MolarState& start, MolarState& out) const {
    if (!(start.T > 0) || !(start.rho > 0))
        return false;
    const double tc = model_.criticalTemperature();
    const double rc = model_.criticalDensity();
    auto onBranch = [&](const MolarState& s) {
        if (!std::isfinite(s.p) || !(s.dpdrho > 0))
            return false;
        if (s.T >= tc)
            return true;
        return branch == Branch::Liquid ? s.rho > rc : s.rho < rc;
    };
    double x = std::log(start.T);
    double y = std::log(start.rho);
    MolarState st = model_.state(start.T, start.rho);
    if (!onBranch(st))
        return false;
    for (int it = 0; it < 100; ++it) {
        const Valued r = residual(st);
        const double f1 = (st.p - p) / p;
        const double f2 = (r.v - target) / scale;
        if (f1 == 0 && f2 == 0)
            break;
        const double a = st.dpdlnT / p, b = st.dpdlnrho / p;
        const double c = r.dlnT / scale, d = r.dlnrho / scale;
        const double det = a * d - b * c;
        if (!(std::abs(det) > 0) || !std::isfinite(det))
            return false;
        double dx = (-f1 * d + b * f2) / det;
        double dy = (-a * f2 + c * f1) / det;
        // Large steps are cut down: the equations are far from linear across tens of kelvin.
        const double lim = std::max(std::abs(dx) / 0.1, std::abs(dy) / 0.5);
        if (lim > 1) {
            dx /= lim;
            dy /= lim;
        }
        MolarState next;
        bool found = false;
        for (int h = 0; h < 60; ++h) {
            next = model_.state(std::exp(x + dx), std::exp(y + dy));
            if (onBranch(next)) {
                found = true;
                break;
            }
            dx *= 0.5;
            dy *= 0.5;
        }
        if (!found)
            return false;
        x += dx;
        y += dy;
        st = next;
        // In compressed liquid at low pressure the pressure residual stays at rounding level,
        // so convergence is judged on the step.
        if (std::abs(dx) < 1e-14 && std::abs(dy) < 1e-13)
            break;
    }
    const Valued r = residual(st);
    if (!(std::abs(r.v - target) <= 1e-9 * scale) || !(std::abs(st.p - p) <= 1e-7 * p)) {
        return false;
    }
    out = st;
    return true;
}

template <class Value>
bool EosFluid::bracketT(double p, double target, Branch branch, Value value,
                        MolarState& out) const {
    const Saturation sat = saturationAtP(p);
    double lo, hi;
    if (branch == Branch::Liquid) {
        lo = 0.5 * model_.criticalTemperature();
        hi = sat.ok ? sat.liquid.T : model_.criticalTemperature();
    } else {
        lo = sat.ok ? sat.vapour.T : model_.criticalTemperature();
        hi = 2.0 * model_.criticalTemperature();
    }
    auto eval = [&](double T, MolarState& st) {
        const double rho = density(T, p, branch);
        if (!std::isfinite(rho))
            return kNaN;
        st = model_.state(T, rho);
        return value(st) - target;
    };
    MolarState sLo, sHi, sMid;
    double fLo = eval(lo, sLo);
    double fHi = eval(hi, sHi);
    if (!(fLo <= 0 && fHi >= 0))
        return false;
    // Regula falsi with the Illinois modification: the value rises with T at constant p.
    int side = 0;
    for (int it = 0; it < 200; ++it) {
        double T = (lo * fHi - hi * fLo) / (fHi - fLo);
        if (!(T > lo && T < hi))
            T = 0.5 * (lo + hi);
        const double f = eval(T, sMid);
        if (!std::isfinite(f))
            return false;
        if (f == 0 || hi - lo <= 1e-14 * T)
            break;
        if (f < 0) {
            lo = T;
            fLo = f;
            if (side == -1)
                fHi *= 0.5;
            side = -1;
        } else {
            hi = T;
            fHi = f;
            if (side == 1)
                fLo *= 0.5;
            side = 1;
        }
        if (std::abs(f) <= 1e-13 * std::abs(target) + 1e-12)
            break;
    }
    out = sMid;
    return true;
}

bool EosFluid::solvePH(double p, double h, Branch branch, const MolarState& start,
                       MolarState& out) const {
    auto res = [](const MolarState& s) { return Valued{s.h, s.dhdlnT, s.dhdlnrho}; };
    const double scale = model_.gasConstant() * model_.reducingTemperature();
    if (newton2(p, h, scale, res, branch, start, out))
        return true;
    return bracketT(
        p, h, branch, [](const MolarState& s) { return s.h; }, out);
}

bool EosFluid::solvePS(double p, double s, Branch branch, const MolarState& start,
                       MolarState& out) const {
    auto res = [](const MolarState& st) { return Valued{st.s, st.dsdlnT, st.dsdlnrho}; };
    if (newton2(p, s, model_.gasConstant(), res, branch, start, out))
        return true;
    return bracketT(
        p, s, branch, [](const MolarState& st) { return st.s; }, out);
}

// ---------------------------------------------------------------------------------------------
// Fluid interface (degC, bar, kg/m3, kJ/kg, kJ/(kg K))

FluidState EosFluid::toFluidState(const MolarState& st) const {
    const double m = model_.molarMass();
    FluidState f;
    f.t = st.T - kKelvin;
    f.p = st.p / kPaPerBar;
    f.rho = st.rho * m;
    f.h = st.h / m / 1000;
    f.s = st.s / m / 1000;
    return f;
}

double EosFluid::pBubble(double t) const {
    const double T = t + kKelvin;
    if (!isPure())
        return model_.pBubble()(T) / kPaPerBar;
    const Saturation sat = saturationAtT(T);
    return sat.ok ? sat.vapour.p / kPaPerBar : kNaN;
}

double EosFluid::pDew(double t) const {
    const double T = t + kKelvin;
    if (!isPure())
        return model_.pDew()(T) / kPaPerBar;
    return pBubble(t);
}

double EosFluid::tBubble(double p) const {
    const double P = p * kPaPerBar;
    if (!isPure())
        return model_.pBubble().inverse(P, 0.3 * model_.criticalTemperature()) - kKelvin;
    const Saturation sat = saturationAtP(P);
    return sat.ok ? sat.liquid.T - kKelvin : kNaN;
}

double EosFluid::tDew(double p) const {
    const double P = p * kPaPerBar;
    if (!isPure())
        return model_.pDew().inverse(P, 0.3 * model_.criticalTemperature()) - kKelvin;
    return tBubble(p);
}

FluidState EosFluid::bubbleLiquid(double t) const {
    const Saturation sat = saturationStatesAtT(t + kKelvin);
    if (!sat.ok)
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    return toFluidState(sat.liquid);
}

FluidState EosFluid::dewVapour(double t) const {
    const Saturation sat = saturationStatesAtT(t + kKelvin);
    if (!sat.ok)
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    return toFluidState(sat.vapour);
}

FluidState EosFluid::atTP(double t, double p) const {
    const double T = t + kKelvin;
    const double P = p * kPaPerBar;
    Branch branch = Branch::Vapour;
    if (T < model_.criticalTemperature()) {
        if (isPure()) {
            const Saturation sat = saturationAtT(T);
            // A pressure equal to the saturation pressure (to rounding) gives the vapour.
            if (sat.ok && P > sat.vapour.p * (1 + 1e-11))
                branch = Branch::Liquid;
        } else {
            const double pb = model_.pBubble()(T), pd = model_.pDew()(T);
            if (P >= pb || (P > pd && std::log(P / pd) > std::log(pb / P))) {
                branch = Branch::Liquid;
            }
        }
    } else if (P > model_.criticalPressure()) {
        branch = Branch::Liquid;
    }
    const double rho = density(T, P, branch);
    if (!std::isfinite(rho))
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    FluidState f = toFluidState(model_.state(T, rho));
    f.p = p;
    return f;
}

FluidState EosFluid::mix(const Saturation& sat, double x) const {
    const FluidState l = toFluidState(sat.liquid);
    const FluidState v = toFluidState(sat.vapour);
    FluidState f;
    f.t = (1 - x) * l.t + x * v.t;
    f.p = v.p;
    f.rho = 1 / ((1 - x) / l.rho + x / v.rho);
    f.h = (1 - x) * l.h + x * v.h;
    f.s = (1 - x) * l.s + x * v.s;
    return f;
}

FluidState EosFluid::atPH(double p, double h) const {
    const double P = p * kPaPerBar;
    const double H = h * model_.molarMass() * 1000;
    const Saturation sat = saturationAtP(P);
    MolarState out;
    bool ok = false;
    if (!sat.ok) {
        // Above the critical pressure there is one fluid phase; search it in T.
        auto value = [](const MolarState& s) { return s.h; };
        ok = bracketT(P, H, Branch::Liquid, value, out) ||
             bracketT(P, H, Branch::Vapour, value, out);
    } else if (H >= sat.vapour.h) {
        ok = solvePH(P, H, Branch::Vapour, sat.vapour, out);
    } else if (H <= sat.liquid.h) {
        ok = solvePH(P, H, Branch::Liquid, sat.liquid, out);
    } else {
        return mix(sat, (H - sat.liquid.h) / (sat.vapour.h - sat.liquid.h));
    }
    if (!ok)
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    FluidState f = toFluidState(out);
    f.p = p;
    return f;
}

FluidState EosFluid::atPS(double p, double s) const {
    const double P = p * kPaPerBar;
    const double S = s * model_.molarMass() * 1000;
    const Saturation sat = saturationAtP(P);
    MolarState out;
    bool ok = false;
    if (!sat.ok) {
        auto value = [](const MolarState& st) { return st.s; };
        ok = bracketT(P, S, Branch::Liquid, value, out) ||
             bracketT(P, S, Branch::Vapour, value, out);
    } else if (S >= sat.vapour.s) {
        ok = solvePS(P, S, Branch::Vapour, sat.vapour, out);
    } else if (S <= sat.liquid.s) {
        ok = solvePS(P, S, Branch::Liquid, sat.liquid, out);
    } else {
        return mix(sat, (S - sat.liquid.s) / (sat.vapour.s - sat.liquid.s));
    }
    if (!ok)
        return {kNaN, kNaN, kNaN, kNaN, kNaN};
    FluidState f = toFluidState(out);
    f.p = p;
    return f;
}

// ---------------------------------------------------------------------------------------------
// Loading

std::filesystem::path defaultRefrigerantDir() {
    return TUNDRIX_REFRIGERANT_DIR;
}

namespace {

// Names compared without case, dashes and spaces: "R-134a" is "R134A".
std::string nameKey(std::string_view name) {
    std::string key;
    for (char c : name) {
        if (c == '-' || c == ' ')
            continue;
        key += char(std::toupper(static_cast<unsigned char>(c)));
    }
    return key;
}

// The equation-of-state file of a refrigerant named by its selector caption, one of the names
// in it ("R507" for "R404A/R507") or its file; empty when no entry of the table is computed
// from such a file.
std::string eosFileOf(const std::string& name) {
    const std::string key = nameKey(name);
    for (const Refrigerant& r : kRefrigerantTable) {
        if (r.model == PropertyModel::Mixture)
            continue;
        std::string_view file = r.modelSource;
        const std::string stem(file.substr(0, file.size() - 5));
        bool match = nameKey(r.caption) == key || nameKey(stem) == key;
        const std::string caption(r.caption);
        for (std::size_t start = 0; !match && start <= caption.size();) {
            const std::size_t end = std::min(caption.find('/', start), caption.size());
            match = nameKey(caption.substr(start, end - start)) == key;
            start = end + 1;
        }
        if (match)
            return std::string(file);
    }
    return {};
}

// The blend of a table entry computed by the mixture model, by its caption; empty when no
// such entry has that name.
std::string mixtureBlendOf(const std::string& name) {
    for (const Refrigerant& r : kRefrigerantTable) {
        if (r.model == PropertyModel::Mixture && nameKey(r.caption) == nameKey(name))
            return std::string(r.modelSource);
    }
    return {};
}

}  // namespace

std::unique_ptr<EosFluid> loadEosFluid(const std::string& name, const std::filesystem::path& dir,
                                       std::string* err) {
    // R404A stands for R507 and R507A too.
    std::string file = eosFileOf(name);
    if (file.empty() && nameKey(name) == "R507A")
        file = eosFileOf("R507");
    if (file.empty()) {
        const std::string blend = mixtureBlendOf(name);
        if (!blend.empty())
            return loadBlendFluid(blend, dir, err);
        if (err)
            *err = "unknown refrigerant '" + name + "'";
        return nullptr;
    }
    const std::filesystem::path folder = dir.empty() ? defaultRefrigerantDir() : dir;
    HelmholtzModel model;
    if (!model.readFile(folder / file, err))
        return nullptr;
    return std::make_unique<EosFluid>(std::move(model));
}

std::unique_ptr<EosFluid> loadEosFluid(int refrigerantIndex, const std::filesystem::path& dir,
                                       std::string* err) {
    if (!validRefrigerant(refrigerantIndex)) {
        if (err)
            *err = "refrigerant index " + std::to_string(refrigerantIndex) +
                   " is not in the refrigerant table (0.." + std::to_string(kRefrigerants - 1) +
                   ")";
        return nullptr;
    }
    const Refrigerant& r = refrigerantEntry(refrigerantIndex);
    if (r.model == PropertyModel::Mixture)
        return loadBlendFluid(std::string(r.modelSource), dir, err);
    return loadEosFluid(std::string(r.caption), dir, err);
}

std::unique_ptr<Fluid> loadFluid(const std::string& name, const std::filesystem::path& dir,
                                 std::string* err) {
    return loadEosFluid(name, dir, err);
}

std::unique_ptr<Fluid> loadFluid(int refrigerantIndex, const std::filesystem::path& dir,
                                 std::string* err) {
    return loadEosFluid(refrigerantIndex, dir, err);
}

}  // namespace tundrix::datagen
