#include "datagen/mixturevle.h"

#include <algorithm>
#include <cmath>

namespace tundrix::datagen {

namespace {

constexpr int kMaxUnknowns = kMaxComponents + 1;
using Vector = std::array<double, kMaxUnknowns>;
using Matrix = std::array<Vector, kMaxUnknowns>;

// Grid of the envelope's continuation: from 200 K (below every duty) in steps of 2 K.
constexpr double kGridStart = 200.0;
constexpr double kGridStep = 2.0;
constexpr double kGridEnd = 420.0;

// Solves a * d = b for n unknowns by Gaussian elimination with partial pivoting; false when a is
// singular.
bool solveLinear(Matrix a, Vector b, int n, Vector& d) {
    for (int c = 0; c < n; ++c) {
        int piv = c;
        for (int r = c + 1; r < n; ++r) {
            if (std::abs(a[std::size_t(r)][std::size_t(c)]) >
                std::abs(a[std::size_t(piv)][std::size_t(c)]))
                piv = r;
        }
        if (!(std::abs(a[std::size_t(piv)][std::size_t(c)]) > 0))
            return false;
        std::swap(a[std::size_t(piv)], a[std::size_t(c)]);
        std::swap(b[std::size_t(piv)], b[std::size_t(c)]);
        for (int r = c + 1; r < n; ++r) {
            const double f = a[std::size_t(r)][std::size_t(c)] / a[std::size_t(c)][std::size_t(c)];
            for (int k = c; k < n; ++k)
                a[std::size_t(r)][std::size_t(k)] -= f * a[std::size_t(c)][std::size_t(k)];
            b[std::size_t(r)] -= f * b[std::size_t(c)];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        double s = b[std::size_t(r)];
        for (int k = r + 1; k < n; ++k)
            s -= a[std::size_t(r)][std::size_t(k)] * d[std::size_t(k)];
        d[std::size_t(r)] = s / a[std::size_t(r)][std::size_t(r)];
    }
    return true;
}

// Both phases at one iterate of the equilibrium.
struct Iterate {
    double T = 0, p = 0;
    Composition lnK{};
    Composition w{};  // the incipient phase's composition
    double lnS = 0;   // ln of the incipient phase's unnormalised amount
    MixturePhase liquid, vapour;
};

}  // namespace

VleState solveVle(const MixtureModel& model, const Composition& z, VleKind kind, bool atPressure,
                  const VleState& start) {
    const int n = model.size();
    const bool bubble = kind == VleKind::Bubble;
    VleState out;
    auto evaluate = [&](const Composition& lnK, double T, double p, double rl0, double rv0,
                        Iterate& it) {
        if (!(T > 0) || !(p > 0))
            return false;
        Composition u{};
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            const auto k = std::size_t(i);
            u[k] = z[k] * std::exp(bubble ? lnK[k] : -lnK[k]);
            sum += u[k];
        }
        for (int i = 0; i < n; ++i)
            it.w[std::size_t(i)] = u[std::size_t(i)] / sum;
        const Composition& x = bubble ? z : it.w;
        const Composition& y = bubble ? it.w : z;
        const double rl = model.density(T, p, x, true, rl0);
        const double rv = model.density(T, p, y, false, rv0);
        // Both roots must exist and stay apart: merged roots are no equilibrium of two phases.
        if (!std::isfinite(rl) || !std::isfinite(rv) || !(rl > 1.05 * rv))
            return false;
        it.T = T;
        it.p = p;
        it.lnK = lnK;
        it.lnS = std::log(sum);
        it.liquid = model.phase(T, rl, x, true);
        it.vapour = model.phase(T, rv, y, true);
        return true;
    };

    Iterate cur;
    if (!evaluate(start.lnK, start.T, start.p, start.rhoLiquid, start.rhoVapour, cur))
        return out;
    double previous = 1;
    for (int iter = 1; iter <= 60; ++iter) {
        const MixturePhase& L = cur.liquid;
        const MixturePhase& V = cur.vapour;
        const MixturePhase& inc = bubble ? V : L;
        Matrix J{};
        Vector g{};
        for (int i = 0; i < n; ++i) {
            const auto k = std::size_t(i);
            g[k] = -(cur.lnK[k] + V.lnPhi[k] - L.lnPhi[k]);
            for (int j = 0; j < n; ++j) {
                const auto m = std::size_t(j);
                J[k][m] = (i == j ? 1.0 : 0.0) + inc.dlnPhidn[k][m] * cur.w[m];
            }
            // d(ln phi)/d(ln p) = p vBar / (R T) - 1 = vBar rho Z - 1 in each phase.
            J[k][std::size_t(n)] = atPressure ? V.dlnPhidlnT[k] - L.dlnPhidlnT[k]
                                              : V.vBar[k] * V.rho * V.Z - L.vBar[k] * L.rho * L.Z;
            J[std::size_t(n)][k] = bubble ? cur.w[k] : -cur.w[k];
        }
        g[std::size_t(n)] = -cur.lnS;
        Vector d{};
        if (!solveLinear(J, g, n + 1, d))
            return out;
        double largest = 0;
        for (int i = 0; i <= n; ++i)
            largest = std::max(largest, std::abs(d[std::size_t(i)]));
        // Stop at the level of rounding: a tiny step, or small steps that no longer shrink (at
        // low temperatures the liquid's fugacities are small differences of large numbers).
        const bool stalled = iter > 3 && largest < 1e-9 && largest >= 0.5 * previous;
        previous = largest;
        if (largest < 1e-11 || stalled) {
            out.ok = true;
            out.T = cur.T;
            out.p = cur.p;
            out.rhoLiquid = L.rho;
            out.rhoVapour = V.rho;
            out.x = bubble ? z : cur.w;
            out.y = bubble ? cur.w : z;
            out.lnK = cur.lnK;
            out.iterations = iter;
            return out;
        }
        // Far from the solution the steps are cut to a few percent in T and a factor in p.
        const double limit = atPressure ? 0.03 : 0.3;
        double f = std::min(1.0, limit / std::abs(d[std::size_t(n)]));
        for (int i = 0; i < n; ++i)
            f = std::min(f, 1.0 / std::abs(d[std::size_t(i)]));
        Iterate next;
        bool moved = false;
        for (int h = 0; h < 30 && !moved; ++h, f *= 0.5) {
            Composition lnK = cur.lnK;
            for (int i = 0; i < n; ++i)
                lnK[std::size_t(i)] += f * d[std::size_t(i)];
            const double e = std::exp(f * d[std::size_t(n)]);
            moved = evaluate(lnK, atPressure ? cur.T * e : cur.T, atPressure ? cur.p : cur.p * e,
                             L.rho, V.rho, next);
        }
        if (!moved)
            return out;
        cur = next;
    }
    return out;
}

VleState initialEstimate(const MixtureModel& model, const Composition& z, VleKind kind, double T) {
    const int n = model.size();
    const bool bubble = kind == VleKind::Bubble;
    VleState s;
    s.T = T;
    // Raoult's law: K_i = psat_i / p.
    Composition psat{};
    double sumBubble = 0, sumDew = 0;
    for (int i = 0; i < n; ++i) {
        const auto k = std::size_t(i);
        psat[k] = model.component(i).pSat()(T);
        if (!(psat[k] > 0))
            return s;
        sumBubble += z[k] * psat[k];
        sumDew += z[k] / psat[k];
    }
    s.p = bubble ? sumBubble : 1 / sumDew;
    for (int i = 0; i < n; ++i)
        s.lnK[std::size_t(i)] = std::log(psat[std::size_t(i)] / s.p);
    // Successive substitution K_i = phi_i' / phi_i'' with the pressure scaled by the amount of
    // the incipient phase: slow but sure, where Raoult's law is far off (near-azeotropes).
    double rl = 0, rv = 0;
    for (int it = 0; it < 30; ++it) {
        Composition w{};
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            const auto k = std::size_t(i);
            w[k] = z[k] * std::exp(bubble ? s.lnK[k] : -s.lnK[k]);
            sum += w[k];
        }
        for (int i = 0; i < n; ++i)
            w[std::size_t(i)] /= sum;
        const Composition& x = bubble ? z : w;
        const Composition& y = bubble ? w : z;
        rl = model.density(T, s.p, x, true, rl);
        rv = model.density(T, s.p, y, false, rv);
        if (!std::isfinite(rl) || !std::isfinite(rv))
            return s;
        const MixturePhase L = model.phase(T, rl, x, false);
        const MixturePhase V = model.phase(T, rv, y, false);
        double next = 0;
        for (int i = 0; i < n; ++i) {
            const auto k = std::size_t(i);
            s.lnK[k] = L.lnPhi[k] - V.lnPhi[k];
            next += z[k] * std::exp(bubble ? s.lnK[k] : -s.lnK[k]);
        }
        s.p = bubble ? s.p * next : s.p / next;
    }
    s.rhoLiquid = rl;
    s.rhoVapour = rv;
    s.ok = true;
    return s;
}

PhaseEnvelope::PhaseEnvelope(const MixtureModel& model, const Composition& z)
    : model_(model), z_(z) {
    for (VleKind kind : {VleKind::Bubble, VleKind::Dew}) {
        std::vector<VleState>& line = kind == VleKind::Bubble ? bubble_ : dew_;
        const VleState first = initialEstimate(model_, z_, kind, kGridStart);
        if (!first.ok)
            continue;
        VleState s = solveVle(model_, z_, kind, false, first);
        for (int k = 1; s.ok; ++k) {
            line.push_back(s);
            const double T = kGridStart + k * kGridStep;
            // Stop short of the critical region, where the two phases become alike.
            if (T > kGridEnd || s.rhoLiquid < 1.5 * s.rhoVapour)
                break;
            // The next point extrapolated from the last ones (quadratically once there are
            // three): close enough for Newton's method to need two or three steps.
            VleState guess = s;
            guess.T = T;
            const std::size_t m = line.size();
            auto next = [&](auto value) {
                if (m >= 3)
                    return 3 * value(line[m - 1]) - 3 * value(line[m - 2]) + value(line[m - 3]);
                if (m == 2)
                    return 2 * value(line[m - 1]) - value(line[m - 2]);
                return value(line[m - 1]);
            };
            guess.p = std::exp(next([](const VleState& v) { return std::log(v.p); }));
            guess.rhoLiquid = next([](const VleState& v) { return v.rhoLiquid; });
            guess.rhoVapour =
                std::exp(next([](const VleState& v) { return std::log(v.rhoVapour); }));
            for (int i = 0; i < model_.size(); ++i) {
                const auto k = std::size_t(i);
                guess.lnK[k] = next([k](const VleState& v) { return v.lnK[k]; });
            }
            s = solveVle(model_, z_, kind, false, guess);
        }
        if (line.size() < 3)
            line.clear();
    }
}

double PhaseEnvelope::topTemperature(VleKind kind) const {
    const auto& l = line(kind);
    return l.empty() ? 0 : l.back().T;
}

VleState PhaseEnvelope::interpolate(const std::vector<VleState>& l, double T) const {
    VleState s;
    if (l.size() < 3 || !std::isfinite(T))
        return s;
    // Quadratic through the three grid points nearest to T (beyond the ends of the grid, the
    // end points), in ln p, ln rho'' and linearly in ln K and rho': the start is then close
    // enough for one Newton step to reach rounding level.
    const double pos = (T - kGridStart) / kGridStep;
    const double first = std::clamp(std::round(pos) - 1, 0.0, double(l.size() - 3));
    const double u = std::clamp(pos - first, -1.0, 3.0);
    const VleState& a = l[std::size_t(first)];
    const VleState& b = l[std::size_t(first) + 1];
    const VleState& c = l[std::size_t(first) + 2];
    const double wa = 0.5 * (u - 1) * (u - 2), wb = -u * (u - 2), wc = 0.5 * u * (u - 1);
    auto quad = [&](double va, double vb, double vc) { return wa * va + wb * vb + wc * vc; };
    auto logQuad = [&](double va, double vb, double vc) {
        return std::exp(quad(std::log(va), std::log(vb), std::log(vc)));
    };
    s = b;
    s.T = T;
    s.p = logQuad(a.p, b.p, c.p);
    s.rhoLiquid = quad(a.rhoLiquid, b.rhoLiquid, c.rhoLiquid);
    s.rhoVapour = logQuad(a.rhoVapour, b.rhoVapour, c.rhoVapour);
    for (int i = 0; i < model_.size(); ++i) {
        const auto k = std::size_t(i);
        s.lnK[k] = quad(a.lnK[k], b.lnK[k], c.lnK[k]);
    }
    s.ok = true;
    return s;
}

VleState PhaseEnvelope::guessAtT(VleKind kind, double T) const {
    return interpolate(line(kind), T);
}

VleState PhaseEnvelope::atT(VleKind kind, double T) const {
    const VleState start = interpolate(line(kind), T);
    if (!start.ok)
        return start;
    return solveVle(model_, z_, kind, false, start);
}

VleState PhaseEnvelope::atP(VleKind kind, double p) const {
    const auto& l = line(kind);
    if (l.size() < 3 || !(p > 0))
        return {};
    // The line's pressure rises with temperature: the grid interval of p gives a first T, a few
    // secant steps on the interpolated line a better one.
    const auto it = std::lower_bound(l.begin(), l.end(), p,
                                     [](const VleState& s, double v) { return s.p < v; });
    const std::size_t hi = std::clamp<std::size_t>(std::size_t(it - l.begin()), 1, l.size() - 1);
    const VleState& a = l[hi - 1];
    const VleState& b = l[hi];
    const double lnP = std::log(p);
    double t0 = a.T, f0 = std::log(a.p) - lnP;
    double t1 = a.T + std::clamp(-f0 / std::log(b.p / a.p), -1.0, 2.0) * (b.T - a.T);
    VleState start = interpolate(l, t1);
    for (int i = 0; i < 3 && start.ok; ++i) {
        const double f1 = std::log(start.p) - lnP;
        if (f1 == f0)
            break;
        const double t2 = t1 - f1 * (t1 - t0) / (f1 - f0);
        t0 = t1;
        f0 = f1;
        t1 = std::clamp(t2, a.T - kGridStep, b.T + kGridStep);
        start = interpolate(l, t1);
    }
    if (!start.ok)
        return start;
    start.p = p;
    return solveVle(model_, z_, kind, true, start);
}

}  // namespace tundrix::datagen
