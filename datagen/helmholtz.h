// A reference equation of state in the reduced Helmholtz energy, read from one refrigerant file
// of datagen/refrigerants. Molar units inside (K, Pa, mol/m3, J/mol, J/(mol K)).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "datagen/ancillary.h"

namespace tundrix::datagen {

// Reduced Helmholtz energy and its reduced derivatives at one (tau, delta):
// a0t = tau*da0/dtau, a0tt = tau^2*d2a0/dtau2, ard = delta*dar/ddelta, and so on.
struct AlphaTerms {
    double a0 = 0, a0t = 0, a0tt = 0;
    double ar = 0, ard = 0, ardd = 0, art = 0, artt = 0, ardt = 0;
};

// Properties of one (T, rho) state, molar.
struct MolarState {
    double T = 0;       // K
    double rho = 0;     // mol/m3
    double p = 0;       // Pa
    double h = 0;       // J/mol
    double s = 0;       // J/(mol K)
    double g = 0;       // J/mol
    double cv = 0;      // J/(mol K)
    double cp = 0;      // J/(mol K)
    double w = 0;       // m/s
    double dpdrho = 0;  // (dp/drho)_T, Pa m3/mol
    // Derivatives in (ln T, ln rho) for the Newton solvers.
    double dpdlnT = 0, dpdlnrho = 0;
    double dhdlnT = 0, dhdlnrho = 0;
    double dsdlnT = 0, dsdlnrho = 0;
};

// The residual part of an equation of state: power terms with exponential damping in delta
// (`power_exp`), in delta and tau (`power_exp2`) and Gaussian bells (`gaussian`).
class ResidualTerms {
public:
    // Appends the terms of one entry of a file's residual part; false (and why) when the entry
    // is of an unknown type or its arrays differ in length.
    bool read(const nlohmann::json& term, std::string* err);
    void clear();
    bool empty() const { return exp_.empty() && exp2_.empty() && gauss_.empty(); }
    // Appends the terms of `other` with every coefficient n multiplied by `factor`.
    void append(const ResidualTerms& other, double factor);

    // Adds alphar and its reduced derivatives at (tau, delta) to `a`; with `full` false only
    // ard and ardd (what the pressure needs).
    void evaluate(double tau, double delta, AlphaTerms& a, bool full) const;

private:
    struct PowerExp {
        double n, t, d, l;
        int li;
    };
    struct PowerExp2 {
        double n, t, d, l, m;
    };
    struct Gaussian {
        double n, t, d, eta, eps, beta, gamma;
    };
    std::vector<PowerExp> exp_;
    std::vector<PowerExp2> exp2_;
    std::vector<Gaussian> gauss_;
};

class HelmholtzModel {
public:
    // Mixture: a blend of fixed composition put together from its components (see composed).
    enum class Kind { Pure, PseudoPureBlend, Mixture };

    // Reads a refrigerant file; false (and why in err) when it cannot be used.
    bool read(const nlohmann::json& doc, std::string* err);
    bool readFile(const std::filesystem::path& file, std::string* err);

    // A model put together from others, as the mixture model is at a fixed composition: the
    // constants and reducing state of the whole, then weighted parts. It has no ancillaries.
    struct Constants {
        std::string name;
        double molarMass = 0, gasConstant = 0, tRed = 0, rhoRed = 0;
        double tCrit = 0, pCrit = 0, rhoCrit = 0;
    };
    static HelmholtzModel composed(const Constants& c);
    // Adds weight * alpha0 of `other` at its own reduced variables (T_red,other / T and
    // rho / rho_red,other), rewritten in this model's tau and delta. The ln(delta) of every part
    // is this model's one, so the weights must sum to 1.
    void addIdealPart(const HelmholtzModel& other, double weight);
    void addResidualTerms(const ResidualTerms& terms, double weight);
    // a1 + a2*tau added to alpha0: moves h by R*T_red*a2 and s by -R*a1.
    void addOffset(double a1, double a2);
    const ResidualTerms& residualTerms() const { return res_; }

    const std::string& name() const { return name_; }
    Kind kind() const { return kind_; }
    double molarMass() const { return molarMass_; }  // kg/mol
    double gasConstant() const { return R_; }        // J/(mol K)
    double reducingTemperature() const { return tRed_; }
    double reducingDensity() const { return rhoRed_; }
    double criticalTemperature() const { return tCrit_; }
    double criticalPressure() const { return pCrit_; }
    double criticalDensity() const { return rhoCrit_; }

    AlphaTerms alpha(double T, double rho) const;
    MolarState state(double T, double rho) const;
    // Pressure and its density derivative only (the density solver's inner loop).
    void pressure(double T, double rho, double& p, double& dpdrho) const;

    // The file's ancillaries: pSat for pure fluids, pBubble/pDew for the blends.
    const Ancillary& pSat() const { return pSat_; }
    const Ancillary& pBubble() const { return pBubble_; }
    const Ancillary& pDew() const { return pDew_; }
    const Ancillary& rhoLiquid() const { return rhoLiquid_; }
    const Ancillary& rhoVapour() const { return rhoVapour_; }

private:
    void ideal(double tau, double delta, AlphaTerms& a) const;
    void residual(double tau, double delta, AlphaTerms& a, bool full) const;

    std::string name_;
    Kind kind_ = Kind::Pure;
    double molarMass_ = 0, R_ = 0, tRed_ = 0, rhoRed_ = 0;
    double tCrit_ = 0, pCrit_ = 0, rhoCrit_ = 0;

    // Ideal part: ln(delta) + a1 + a2*tau + aLog*ln(tau) + sum n tau^t + sum m ln(1-exp(-theta
    // tau)).
    double a1_ = 0, a2_ = 0, aLog_ = 0;
    std::vector<double> powN_, powT_;
    std::vector<double> peM_, peTheta_;
    ResidualTerms res_;

    Ancillary pSat_, pBubble_, pDew_, rhoLiquid_, rhoVapour_;
};

}  // namespace tundrix::datagen
