#include "datagen/helmholtz.h"

#include <cmath>
#include <fstream>

#include <nlohmann/json.hpp>

namespace tundrix::datagen {

namespace {

std::vector<double> numbers(const nlohmann::json& j, const char* key) {
    return j.at(key).get<std::vector<double>>();
}

}  // namespace

bool ResidualTerms::read(const nlohmann::json& term, std::string* err) {
    const std::string type = term.at("type").get<std::string>();
    const bool exp2 = type == "power_exp2";
    const bool gauss = type == "gaussian";
    if (type != "power_exp" && !exp2 && !gauss) {
        if (err)
            *err = "unsupported residual term '" + type + "'";
        return false;
    }
    std::vector<const char*> keys = {"n", "d", "t"};
    if (gauss)
        keys.insert(keys.end(), {"eta", "epsilon", "beta", "gamma"});
    else
        keys.insert(keys.end(), exp2 ? std::initializer_list<const char*>{"l", "m"}
                                     : std::initializer_list<const char*>{"l"});
    std::vector<std::vector<double>> v;
    for (const char* key : keys) {
        v.push_back(numbers(term, key));
        if (v.back().size() != v.front().size()) {
            if (err)
                *err = "residual term: arrays differ in length";
            return false;
        }
    }
    for (std::size_t i = 0; i < v[0].size(); ++i) {
        const double n = v[0][i], d = v[1][i], t = v[2][i];
        if (gauss)
            gauss_.push_back({n, t, d, v[3][i], v[4][i], v[5][i], v[6][i]});
        else if (exp2)
            exp2_.push_back({n, t, d, v[3][i], v[4][i]});
        else
            exp_.push_back({n, t, d, v[3][i], int(v[3][i])});
    }
    return true;
}

void ResidualTerms::append(const ResidualTerms& other, double factor) {
    for (auto r : other.exp_) {
        r.n *= factor;
        exp_.push_back(r);
    }
    for (auto r : other.exp2_) {
        r.n *= factor;
        exp2_.push_back(r);
    }
    for (auto r : other.gauss_) {
        r.n *= factor;
        gauss_.push_back(r);
    }
}

void ResidualTerms::clear() {
    exp_.clear();
    exp2_.clear();
    gauss_.clear();
}

void ResidualTerms::evaluate(double tau, double delta, AlphaTerms& a, bool full) const {
    const double lnTau = std::log(tau);
    const double lnDelta = std::log(delta);
    for (const auto& r : exp_) {
        double dl = 0;
        double k = r.d;
        double e = r.d * lnDelta + r.t * lnTau;
        if (r.li > 0) {
            dl = std::exp(r.l * lnDelta);
            k -= r.l * dl;
            e -= dl;
        }
        const double f = r.n * std::exp(e);
        a.ard += k * f;
        a.ardd += (k * (k - 1) - r.l * r.l * dl) * f;
        if (full) {
            a.ar += f;
            a.art += r.t * f;
            a.artt += r.t * (r.t - 1) * f;
            a.ardt += r.t * k * f;
        }
    }
    // As power_exp, with a second damping factor exp(-tau^m); a zero exponent drops its factor.
    for (const auto& r : exp2_) {
        const double dl = r.l > 0 ? std::exp(r.l * lnDelta) : 0;
        const double tm = r.m > 0 ? std::exp(r.m * lnTau) : 0;
        const double k = r.d - r.l * dl;
        const double j = r.t - r.m * tm;
        const double f = r.n * std::exp(r.d * lnDelta + r.t * lnTau - dl - tm);
        a.ard += k * f;
        a.ardd += (k * (k - 1) - r.l * r.l * dl) * f;
        if (full) {
            a.ar += f;
            a.art += j * f;
            a.artt += (j * (j - 1) - r.m * r.m * tm) * f;
            a.ardt += j * k * f;
        }
    }
    for (const auto& r : gauss_) {
        const double dd = delta - r.eps;
        const double dt = tau - r.gamma;
        const double k = r.d - 2 * r.eta * delta * dd;
        const double j = r.t - 2 * r.beta * tau * dt;
        const double f =
            r.n * std::exp(r.d * lnDelta + r.t * lnTau - r.eta * dd * dd - r.beta * dt * dt);
        a.ard += k * f;
        a.ardd += (k * k - r.d - 2 * r.eta * delta * delta) * f;
        if (full) {
            a.ar += f;
            a.art += j * f;
            a.artt += (j * j - r.t - 2 * r.beta * tau * tau) * f;
            a.ardt += j * k * f;
        }
    }
}

bool HelmholtzModel::readFile(const std::filesystem::path& file, std::string* err) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (err)
            *err = "cannot open " + file.string();
        return false;
    }
    nlohmann::json doc = nlohmann::json::parse(in, nullptr, false);
    if (doc.is_discarded()) {
        if (err)
            *err = file.string() + " is not valid JSON";
        return false;
    }
    if (!read(doc, err)) {
        if (err)
            *err = file.string() + ": " + *err;
        return false;
    }
    return true;
}

bool HelmholtzModel::read(const nlohmann::json& doc, std::string* err) {
    std::string local;
    if (!err)
        err = &local;
    try {
        name_ = doc.at("fluid").get<std::string>();
        const std::string kind = doc.at("kind").get<std::string>();
        if (kind == "pure") {
            kind_ = Kind::Pure;
        } else if (kind == "pseudo_pure_blend") {
            kind_ = Kind::PseudoPureBlend;
        } else {
            *err = "unknown kind '" + kind + "'";
            return false;
        }
        const auto& c = doc.at("constants");
        molarMass_ = c.at("molar_mass_kg_per_mol").get<double>();
        R_ = c.at("gas_constant_J_per_mol_K").get<double>();
        const auto& red = doc.at("reducing_state");
        tRed_ = red.at("T_K").get<double>();
        rhoRed_ = red.at("rho_mol_per_m3").get<double>();
        const auto& crit = doc.at("critical_point");
        tCrit_ = crit.at("T_K").get<double>();
        pCrit_ = crit.at("p_Pa").get<double>();
        rhoCrit_ = crit.at("rho_mol_per_m3").get<double>();

        a1_ = a2_ = aLog_ = 0;
        powN_.clear();
        powT_.clear();
        peM_.clear();
        peTheta_.clear();
        res_.clear();
        int leads = 0;
        const auto& ig = doc.at("ideal_gas_part");
        for (const auto& term : ig.at("terms")) {
            const std::string type = term.at("type").get<std::string>();
            if (type == "lead") {
                a1_ += term.at("a1").get<double>();
                a2_ += term.at("a2").get<double>();
                ++leads;
            } else if (type == "log_tau") {
                aLog_ += term.at("a").get<double>();
            } else if (type == "power") {
                auto n = numbers(term, "n");
                auto t = numbers(term, "t");
                if (n.size() != t.size()) {
                    *err = "ideal power term: n and t differ in length";
                    return false;
                }
                powN_.insert(powN_.end(), n.begin(), n.end());
                powT_.insert(powT_.end(), t.begin(), t.end());
            } else if (type == "planck_einstein") {
                auto m = numbers(term, "m");
                auto th = numbers(term, "theta");
                if (m.size() != th.size()) {
                    *err = "Planck-Einstein term: m and theta differ in length";
                    return false;
                }
                peM_.insert(peM_.end(), m.begin(), m.end());
                peTheta_.insert(peTheta_.end(), th.begin(), th.end());
            } else {
                *err = "unknown ideal-gas term '" + type + "'";
                return false;
            }
        }
        if (leads != 1) {
            *err = "the ideal-gas part needs exactly one lead term";
            return false;
        }
        // The offset moves h and s to the common reference state; it is a further a1 + a2*tau.
        if (ig.contains("reference_offset") && !ig.at("reference_offset").is_null()) {
            a1_ += ig.at("reference_offset").at("a1").get<double>();
            a2_ += ig.at("reference_offset").at("a2").get<double>();
        }

        for (const auto& term : doc.at("residual_part").at("terms")) {
            if (!res_.read(term, err))
                return false;
        }

        const auto& anc = doc.at("ancillaries");
        auto take = [&](const char* key, Ancillary& a) {
            if (!anc.contains(key))
                return true;
            return a.read(anc.at(key), err);
        };
        if (!take("p_sat", pSat_) || !take("p_bubble", pBubble_) || !take("p_dew", pDew_) ||
            !take("rho_liquid", rhoLiquid_) || !take("rho_vapor", rhoVapour_)) {
            return false;
        }
    } catch (const nlohmann::json::exception& e) {
        *err = e.what();
        return false;
    }
    const bool pure = kind_ == Kind::Pure;
    if ((pure && !pSat_.valid()) || (!pure && (!pBubble_.valid() || !pDew_.valid())) ||
        !rhoLiquid_.valid() || !rhoVapour_.valid()) {
        *err = "missing ancillary equations";
        return false;
    }
    if (!(molarMass_ > 0 && R_ > 0 && tRed_ > 0 && rhoRed_ > 0)) {
        *err = "constants or reducing state missing";
        return false;
    }
    return true;
}

HelmholtzModel HelmholtzModel::composed(const Constants& c) {
    HelmholtzModel m;
    m.name_ = c.name;
    m.kind_ = Kind::Mixture;
    m.molarMass_ = c.molarMass;
    m.R_ = c.gasConstant;
    m.tRed_ = c.tRed;
    m.rhoRed_ = c.rhoRed;
    m.tCrit_ = c.tCrit;
    m.pCrit_ = c.pCrit;
    m.rhoCrit_ = c.rhoCrit;
    return m;
}

void HelmholtzModel::addIdealPart(const HelmholtzModel& other, double weight) {
    // The other's tau is c*tau and its delta is s*delta here.
    const double c = other.tRed_ / tRed_;
    const double lnC = std::log(c);
    const double lnS = std::log(rhoRed_ / other.rhoRed_);
    a1_ += weight * (other.a1_ + lnS + other.aLog_ * lnC);
    a2_ += weight * other.a2_ * c;
    aLog_ += weight * other.aLog_;
    for (std::size_t i = 0; i < other.powN_.size(); ++i) {
        powN_.push_back(weight * other.powN_[i] * std::exp(other.powT_[i] * lnC));
        powT_.push_back(other.powT_[i]);
    }
    for (std::size_t k = 0; k < other.peM_.size(); ++k) {
        peM_.push_back(weight * other.peM_[k]);
        peTheta_.push_back(other.peTheta_[k] * c);
    }
}

void HelmholtzModel::addResidualTerms(const ResidualTerms& terms, double weight) {
    res_.append(terms, weight);
}

void HelmholtzModel::addOffset(double a1, double a2) {
    a1_ += a1;
    a2_ += a2;
}

void HelmholtzModel::ideal(double tau, double delta, AlphaTerms& a) const {
    const double lnTau = std::log(tau);
    a.a0 = std::log(delta) + a1_ + a2_ * tau + aLog_ * lnTau;
    a.a0t = a2_ * tau + aLog_;
    a.a0tt = -aLog_;
    for (std::size_t i = 0; i < powN_.size(); ++i) {
        const double v = powN_[i] * std::exp(powT_[i] * lnTau);
        a.a0 += v;
        a.a0t += powT_[i] * v;
        a.a0tt += powT_[i] * (powT_[i] - 1) * v;
    }
    for (std::size_t k = 0; k < peM_.size(); ++k) {
        const double x = peTheta_[k] * tau;
        const double e = std::exp(-x);
        const double one = 1 - e;
        a.a0 += peM_[k] * std::log1p(-e);
        a.a0t += peM_[k] * x * e / one;
        a.a0tt -= peM_[k] * x * x * e / (one * one);
    }
}

void HelmholtzModel::residual(double tau, double delta, AlphaTerms& a, bool full) const {
    res_.evaluate(tau, delta, a, full);
}

AlphaTerms HelmholtzModel::alpha(double T, double rho) const {
    AlphaTerms a;
    const double tau = tRed_ / T;
    const double delta = rho / rhoRed_;
    ideal(tau, delta, a);
    residual(tau, delta, a, true);
    return a;
}

void HelmholtzModel::pressure(double T, double rho, double& p, double& dpdrho) const {
    AlphaTerms a;
    residual(tRed_ / T, rho / rhoRed_, a, false);
    const double rt = R_ * T;
    p = rho * rt * (1 + a.ard);
    dpdrho = rt * (1 + 2 * a.ard + a.ardd);
}

MolarState HelmholtzModel::state(double T, double rho) const {
    const AlphaTerms a = alpha(T, rho);
    MolarState st;
    st.T = T;
    st.rho = rho;
    const double rt = R_ * T;
    const double dd = 1 + 2 * a.ard + a.ardd;
    const double dt = 1 + a.ard - a.ardt;
    const double tt = a.a0tt + a.artt;
    st.p = rho * rt * (1 + a.ard);
    st.h = rt * (1 + a.a0t + a.art + a.ard);
    st.s = R_ * (a.a0t + a.art - a.a0 - a.ar);
    st.g = rt * (1 + a.a0 + a.ar + a.ard);
    st.cv = -R_ * tt;
    st.cp = st.cv + R_ * dt * dt / dd;
    const double w2 = rt / molarMass_ * (dd - dt * dt / tt);
    st.w = w2 > 0 ? std::sqrt(w2) : std::nan("");
    st.dpdrho = rt * dd;
    st.dpdlnrho = rho * rt * dd;
    st.dpdlnT = rho * rt * dt;
    st.dhdlnT = rt * (1 + a.ard - tt - a.ardt);
    st.dhdlnrho = rt * (a.ard + a.ardd + a.ardt);
    st.dsdlnT = st.cv;
    st.dsdlnrho = -R_ * dt;
    return st;
}

}  // namespace tundrix::datagen
