#include "datagen/mixture.h"

#include <cmath>
#include <fstream>
#include <limits>

#include <nlohmann/json.hpp>

#include "datagen/densityroot.h"

namespace tundrix::datagen {

namespace {

bool readJson(const std::filesystem::path& file, nlohmann::json& doc, std::string* err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (err)
            *err = "cannot open " + file.string();
        return false;
    }
    doc = nlohmann::json::parse(in, nullptr, false);
    if (doc.is_discarded()) {
        if (err)
            *err = file.string() + " is not valid JSON";
        return false;
    }
    return true;
}

// y += a * x over the residual fields.
void addScaled(AlphaTerms& y, double a, const AlphaTerms& x) {
    y.ar += a * x.ar;
    y.ard += a * x.ard;
    y.ardd += a * x.ardd;
    y.art += a * x.art;
    y.artt += a * x.artt;
    y.ardt += a * x.ardt;
}

// The composition function of one pair in the reducing functions,
// f = x_i x_j (x_i + x_j) / (beta^2 x_i + x_j), with its first and second derivatives.
struct PairFunction {
    double f = 0, fi = 0, fj = 0, fii = 0, fjj = 0, fij = 0;
};

PairFunction pairFunction(double xi, double xj, double beta) {
    PairFunction r;
    const double b2 = beta * beta;
    const double w = b2 * xi + xj;
    if (!(w > 0))
        return r;
    const double q = 1 - b2;
    const double w2 = w * w, w3 = w2 * w;
    const double g = (xi + xj) / w;
    const double gi = xj * q / w2, gj = -xi * q / w2;
    const double gii = -2 * b2 * xj * q / w3, gjj = 2 * xi * q / w3;
    const double gij = q * (w - 2 * xj) / w3;
    const double xx = xi * xj;
    r.f = xx * g;
    r.fi = xj * g + xx * gi;
    r.fj = xi * g + xx * gj;
    r.fii = 2 * xj * gi + xx * gii;
    r.fjj = 2 * xi * gj + xx * gjj;
    r.fij = g + xi * gi + xj * gj + xx * gij;
    return r;
}

}  // namespace

bool readBlendRecipe(const std::string& name, const std::filesystem::path& dir, BlendRecipe& out,
                     std::string* err) {
    nlohmann::json doc;
    if (!readJson(dir / "mixtures.json", doc, err))
        return false;
    try {
        const auto& blends = doc.at("blends");
        if (!blends.contains(name)) {
            if (err)
                *err = "mixtures.json has no blend '" + name + "'";
            return false;
        }
        const auto& x = blends.at(name).at("mole_fraction");
        out = BlendRecipe{name, {}, {}};
        double sum = 0;
        // In the order of the file's component list, not the (sorted) order of the object.
        for (const auto& c : doc.at("components")) {
            const std::string comp = c.get<std::string>();
            if (!x.contains(comp))
                continue;
            out.components.push_back(comp);
            out.moleFractions.push_back(x.at(comp).get<double>());
            sum += out.moleFractions.back();
        }
        if (out.components.size() != x.size() || out.components.empty() ||
            out.components.size() > std::size_t(kMaxComponents) || std::abs(sum - 1) > 1e-9) {
            if (err)
                *err = "blend '" + name + "': components or mole fractions do not add up";
            return false;
        }
        for (double& v : out.moleFractions)
            v /= sum;
    } catch (const nlohmann::json::exception& e) {
        if (err)
            *err = std::string("mixtures.json: ") + e.what();
        return false;
    }
    return true;
}

bool MixtureModel::load(const std::vector<std::string>& components,
                        const std::filesystem::path& dir, std::string* err) {
    comps_.clear();
    pairs_.clear();
    if (components.empty() || components.size() > std::size_t(kMaxComponents)) {
        if (err)
            *err = "a mixture needs 1 to " + std::to_string(kMaxComponents) + " components";
        return false;
    }
    for (const std::string& name : components) {
        Component c;
        c.name = name;
        if (!c.model.readFile(dir / (name + ".json"), err))
            return false;
        c.tr = c.model.reducingTemperature();
        c.vr = 1 / c.model.reducingDensity();
        comps_.push_back(std::move(c));
    }
    nlohmann::json doc;
    if (!readJson(dir / "mixtures.json", doc, err))
        return false;
    try {
        for (int i = 0; i < size(); ++i) {
            for (int j = i + 1; j < size(); ++j) {
                const Component& a = comps_[std::size_t(i)];
                const Component& b = comps_[std::size_t(j)];
                const nlohmann::json* found = nullptr;
                bool reversed = false;
                for (const auto& entry : doc.at("pairs")) {
                    const auto ei = entry.at("i").get<std::string>();
                    const auto ej = entry.at("j").get<std::string>();
                    if (ei == a.name && ej == b.name) {
                        found = &entry;
                    } else if (ei == b.name && ej == a.name) {
                        found = &entry;
                        reversed = true;
                    }
                }
                if (!found) {
                    if (err)
                        *err = "mixtures.json has no pair " + a.name + "/" + b.name;
                    return false;
                }
                const auto& e = *found;
                Pair p;
                p.i = i;
                p.j = j;
                // beta belongs to the listed order; the reverse order takes its inverse.
                p.betaT = e.at("beta_T").get<double>();
                p.betaV = e.at("beta_v").get<double>();
                if (reversed) {
                    p.betaT = 1 / p.betaT;
                    p.betaV = 1 / p.betaV;
                }
                const double gT = e.at("gamma_T").get<double>();
                const double gV = e.at("gamma_v").get<double>();
                p.cT = 2 * p.betaT * gT * std::sqrt(a.tr * b.tr);
                p.cV = 2 * p.betaV * gV * std::pow(std::cbrt(a.vr) + std::cbrt(b.vr), 3) / 8;
                p.F = e.at("F").get<double>();
                if (p.F != 0 && e.contains("departure") && !e.at("departure").is_null()) {
                    if (!p.departure.read(e.at("departure"), err))
                        return false;
                }
                pairs_.push_back(std::move(p));
            }
        }
    } catch (const nlohmann::json::exception& e) {
        if (err)
            *err = std::string("mixtures.json: ") + e.what();
        return false;
    }
    return true;
}

double MixtureModel::molarMass(const Composition& x) const {
    double m = 0;
    for (int i = 0; i < size(); ++i)
        m += x[std::size_t(i)] * comps_[std::size_t(i)].model.molarMass();
    return m;
}

double MixtureModel::gasConstant(const Composition& x) const {
    double r = 0;
    for (int i = 0; i < size(); ++i)
        r += x[std::size_t(i)] * comps_[std::size_t(i)].model.gasConstant();
    return r;
}

MixtureModel::Reducing MixtureModel::reducing(const Composition& x, bool temperature,
                                              bool second) const {
    Reducing r;
    for (int i = 0; i < size(); ++i) {
        const auto k = std::size_t(i);
        const double yi = temperature ? comps_[k].tr : comps_[k].vr;
        r.y += x[k] * x[k] * yi;
        r.d[k] += 2 * x[k] * yi;
        r.dd[k][k] += 2 * yi;
    }
    for (const Pair& p : pairs_) {
        const auto i = std::size_t(p.i), j = std::size_t(p.j);
        const double c = temperature ? p.cT : p.cV;
        const PairFunction f = pairFunction(x[i], x[j], temperature ? p.betaT : p.betaV);
        r.y += c * f.f;
        r.d[i] += c * f.fi;
        r.d[j] += c * f.fj;
        if (second) {
            r.dd[i][i] += c * f.fii;
            r.dd[j][j] += c * f.fjj;
            r.dd[i][j] += c * f.fij;
            r.dd[j][i] += c * f.fij;
        }
    }
    return r;
}

double MixtureModel::reducingTemperature(const Composition& x) const {
    return reducing(x, true, false).y;
}

double MixtureModel::reducingDensity(const Composition& x) const {
    return 1 / reducing(x, false, false).y;
}

void MixtureModel::residual(double tau, double delta, const Composition& x, AlphaTerms& sum,
                            std::array<AlphaTerms, kMaxComponents>& dx,
                            std::array<AlphaTerms, kMaxPairs>* pairTerms) const {
    for (int i = 0; i < size(); ++i) {
        AlphaTerms a;
        comps_[std::size_t(i)].model.residualTerms().evaluate(tau, delta, a, true);
        addScaled(sum, x[std::size_t(i)], a);
        addScaled(dx[std::size_t(i)], 1, a);
    }
    for (std::size_t k = 0; k < pairs_.size(); ++k) {
        const Pair& p = pairs_[k];
        if (p.F == 0 || p.departure.empty())
            continue;
        AlphaTerms d;
        p.departure.evaluate(tau, delta, d, true);
        const auto i = std::size_t(p.i), j = std::size_t(p.j);
        addScaled(sum, p.F * x[i] * x[j], d);
        addScaled(dx[i], p.F * x[j], d);
        addScaled(dx[j], p.F * x[i], d);
        if (pairTerms)
            addScaled((*pairTerms)[k], p.F, d);
    }
}

void MixtureModel::pressure(double T, double rho, const Composition& x, double& p,
                            double& dpdrho) const {
    const double tr = reducing(x, true, false).y;
    const double vr = reducing(x, false, false).y;
    AlphaTerms a;
    const double tau = tr / T, delta = rho * vr;
    for (int i = 0; i < size(); ++i) {
        AlphaTerms c;
        comps_[std::size_t(i)].model.residualTerms().evaluate(tau, delta, c, false);
        addScaled(a, x[std::size_t(i)], c);
    }
    for (const Pair& pr : pairs_) {
        if (pr.F == 0 || pr.departure.empty())
            continue;
        AlphaTerms d;
        pr.departure.evaluate(tau, delta, d, false);
        addScaled(a, pr.F * x[std::size_t(pr.i)] * x[std::size_t(pr.j)], d);
    }
    const double rt = gasConstant(x) * T;
    p = rho * rt * (1 + a.ard);
    dpdrho = rt * (1 + 2 * a.ard + a.ardd);
}

double MixtureModel::density(double T, double p, const Composition& x, bool liquid,
                             double rhoStart) const {
    if (!(T > 0) || !(p > 0))
        return std::numeric_limits<double>::quiet_NaN();
    const double tr = reducingTemperature(x);
    const double rhoR = reducingDensity(x);
    double rho = rhoStart;
    if (!(rho > 0)) {
        if (liquid) {
            // Ideal mixing of the components' saturated-liquid volumes.
            double v = 0;
            for (int i = 0; i < size(); ++i)
                v += x[std::size_t(i)] / comps_[std::size_t(i)].model.rhoLiquid()(T);
            rho = std::isfinite(v) && 1 / v > rhoR ? 1 / v : 2.5 * rhoR;
        } else {
            rho = p / (gasConstant(x) * T);
        }
    }
    return densityRoot(p, rho, liquid, T < tr, rhoR,
                       [&](double r, double& pr, double& dp) { pressure(T, r, x, pr, dp); });
}

MixturePhase MixtureModel::phase(double T, double rho, const Composition& x,
                                 bool derivatives) const {
    const int n = size();
    const Reducing tr = reducing(x, true, derivatives);
    const Reducing vr = reducing(x, false, derivatives);
    const double tau = tr.y / T, delta = rho * vr.y;
    AlphaTerms a;
    std::array<AlphaTerms, kMaxComponents> ax{};
    std::array<AlphaTerms, kMaxPairs> pairTerms{};
    residual(tau, delta, x, a, ax, derivatives ? &pairTerms : nullptr);

    // n d/dn_i of a function of the composition alone: g_i - sum_k x_k g_k.
    auto nDerivative = [&](auto value) {
        Composition r{};
        double s = 0;
        for (int k = 0; k < n; ++k)
            s += x[std::size_t(k)] * value(k);
        for (int k = 0; k < n; ++k)
            r[std::size_t(k)] = value(k) - s;
        return r;
    };
    const Composition aV = nDerivative([&](int k) { return vr.d[std::size_t(k)] / vr.y; });
    const Composition bT = nDerivative([&](int k) { return tr.d[std::size_t(k)] / tr.y; });
    const Composition dAr = nDerivative([&](int k) { return ax[std::size_t(k)].ar; });
    const Composition dArd = nDerivative([&](int k) { return ax[std::size_t(k)].ard; });
    const Composition dArt = nDerivative([&](int k) { return ax[std::size_t(k)].art; });

    MixturePhase ph;
    const double R = gasConstant(x);
    const double rt = R * T;
    const double Z = 1 + a.ard;
    ph.T = T;
    ph.rho = rho;
    ph.p = rho * rt * Z;
    ph.Z = Z;
    ph.dpdrho = rt * (1 + 2 * a.ard + a.ardd);
    // mu_i = n d(n alphar)/dn_i at constant T and V; ln phi_i = mu_i - ln Z.
    Composition muD{}, muT{};  // delta d(mu_i)/d(delta), tau d(mu_i)/d(tau)
    for (int i = 0; i < n; ++i) {
        const auto k = std::size_t(i);
        const double mu = a.ar + (1 + aV[k]) * a.ard + bT[k] * a.art + dAr[k];
        ph.lnPhi[k] = mu - std::log(Z);
        muD[k] = a.ard + (1 + aV[k]) * (a.ard + a.ardd) + bT[k] * a.ardt + dArd[k];
        muT[k] = a.art + (1 + aV[k]) * a.ardt + bT[k] * (a.art + a.artt) + dArt[k];
    }
    if (!derivatives)
        return ph;

    const double dpdT = rho * R * (1 + a.ard - a.ardt);
    Composition pn{};  // n (dp/dn_i) at constant T and V
    for (int i = 0; i < n; ++i) {
        const auto k = std::size_t(i);
        pn[k] = rho * rt * (1 + muD[k]);
        ph.vBar[k] = pn[k] / (rho * rho * ph.dpdrho);
        ph.dlnPhidlnT[k] = -muT[k] + 1 - ph.vBar[k] * dpdT / R;
    }
    // Second n-derivatives of a function of the composition from its (symmetric) matrix of
    // second x-derivatives and its first n-derivatives:
    // n d/dn_j (n dg/dn_i) = g_ij - sum_k x_k (g_jk + g_ik) + sum_km x_k x_m g_km - n dg/dn_j.
    auto secondN = [&](auto matrix, const Composition& first) {
        std::array<Composition, kMaxComponents> r{};
        Composition row{};
        double all = 0;
        for (int i = 0; i < n; ++i) {
            for (int k = 0; k < n; ++k)
                row[std::size_t(i)] += x[std::size_t(k)] * matrix(i, k);
            all += x[std::size_t(i)] * row[std::size_t(i)];
        }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                r[std::size_t(i)][std::size_t(j)] = matrix(i, j) - row[std::size_t(i)] -
                                                    row[std::size_t(j)] + all -
                                                    first[std::size_t(j)];
        return r;
    };
    std::array<Composition, kMaxComponents> arxx{};
    for (std::size_t k = 0; k < pairs_.size(); ++k) {
        const auto i = std::size_t(pairs_[k].i), j = std::size_t(pairs_[k].j);
        arxx[i][j] = arxx[j][i] = pairTerms[k].ar;
    }
    const Composition dV = nDerivative([&](int k) { return vr.d[std::size_t(k)]; });
    const Composition dT = nDerivative([&](int k) { return tr.d[std::size_t(k)]; });
    const auto ddV =
        secondN([&](int i, int k) { return vr.dd[std::size_t(i)][std::size_t(k)]; }, dV);
    const auto ddT =
        secondN([&](int i, int k) { return tr.dd[std::size_t(i)][std::size_t(k)]; }, dT);
    const auto ddAr =
        secondN([&](int i, int k) { return arxx[std::size_t(i)][std::size_t(k)]; }, dAr);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const auto ki = std::size_t(i), kj = std::size_t(j);
            // n d(mu_i)/dn_j at constant T and V, through delta, tau and the composition; daij
            // and dbij are n d/dn_j of the reducing functions' reduced derivatives aV_i, bT_i.
            const double daij = ddV[ki][kj] / vr.y - aV[ki] * aV[kj];
            const double dbij = ddT[ki][kj] / tr.y - bT[ki] * bT[kj];
            const double nF = (1 + aV[kj]) * muD[ki] + bT[kj] * muT[ki] + dAr[kj] + daij * a.ard +
                              (1 + aV[ki]) * dArd[kj] + dbij * a.art + bT[ki] * dArt[kj] +
                              ddAr[ki][kj];
            ph.dlnPhidn[ki][kj] = nF + 1 - pn[ki] * ph.vBar[kj] / rt;
        }
    }
    return ph;
}

HelmholtzModel MixtureModel::atComposition(const Composition& x, const std::string& name) const {
    HelmholtzModel::Constants c;
    c.name = name;
    c.molarMass = molarMass(x);
    c.gasConstant = gasConstant(x);
    c.tRed = reducingTemperature(x);
    c.rhoRed = reducingDensity(x);
    c.tCrit = c.tRed;
    c.rhoCrit = c.rhoRed;
    double dp = 0;
    pressure(c.tRed, c.rhoRed, x, c.pCrit, dp);
    HelmholtzModel m = HelmholtzModel::composed(c);
    for (int i = 0; i < size(); ++i) {
        const double xi = x[std::size_t(i)];
        if (!(xi > 0))
            continue;
        m.addIdealPart(component(i), xi);
        m.addOffset(xi * std::log(xi), 0);
        m.addResidualTerms(component(i).residualTerms(), xi);
    }
    for (const Pair& p : pairs_) {
        if (p.F != 0 && !p.departure.empty())
            m.addResidualTerms(p.departure, p.F * x[std::size_t(p.i)] * x[std::size_t(p.j)]);
    }
    return m;
}

}  // namespace tundrix::datagen
