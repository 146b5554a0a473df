// The equation of state against the test states stored with each refrigerant file, and the
// solvers built on it (phase equilibrium, density at (T, p), states at (p, h) and (p, s)).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "catalogue/refrigerants.h"
#include "datagen/blendfluid.h"
#include "datagen/eosfluid.h"
#include "datagen/testnumbers.h"

namespace tundrix::datagen {
namespace {

using testnumbers::rel;

const char* const kFluids[] = {"R404A", "R22", "R407C", "R134a", "R410A"};
// Every file of the folder: the catalogue's five, the further pure refrigerants and the blend
// components (which need the Gaussian and doubly damped residual terms).
const char* const kFiles[] = {"R404A", "R22",     "R407C",      "R134a", "R410A", "R290",
                              "R32",   "R1234yf", "R1234ze(E)", "R125",  "R143a"};

nlohmann::json readDoc(const std::string& fluid) {
    std::ifstream in(defaultRefrigerantDir() / (fluid + ".json"));
    return nlohmann::json::parse(in);
}

std::unique_ptr<EosFluid> load(const std::string& name) {
    std::string err;
    auto f = loadEosFluid(name, {}, &err);
    EXPECT_TRUE(f) << err;
    return f;
}

// A refrigerant file read directly, whether or not the catalogue offers the fluid.
std::unique_ptr<EosFluid> loadFile(const std::string& name) {
    HelmholtzModel model;
    std::string err;
    const bool ok = model.readFile(defaultRefrigerantDir() / (name + ".json"), &err);
    EXPECT_TRUE(ok) << err;
    return ok ? std::make_unique<EosFluid>(std::move(model)) : nullptr;
}

// The catalogue's five and two blends of the mixture model, whose phase follows from their phase
// equilibrium: the fluids whose single-phase solvers are checked.
std::vector<std::unique_ptr<EosFluid>> solverFluids() {
    std::vector<std::unique_ptr<EosFluid>> fluids;
    for (const char* name : kFluids)
        fluids.push_back(load(name));
    for (const char* name : {"R448A", "R513A"})
        fluids.push_back(loadBlendFluid(name));
    return fluids;
}

TEST(EquationOfState, ReproducesTheStoredSinglePhaseStates) {
    for (const char* name : kFiles) {
        auto fluid = loadFile(name);
        ASSERT_TRUE(fluid);
        const auto doc = readDoc(name);
        int n = 0;
        for (const auto& pt : doc.at("verification_points")) {
            const double T = pt.at("T_K").get<double>();
            const double rho = pt.at("rho_mol_per_m3").get<double>();
            const MolarState st = fluid->model().state(T, rho);
            SCOPED_TRACE(std::string(name) + " T=" + std::to_string(T));
            EXPECT_LT(rel(st.p, pt.at("p_Pa").get<double>()), 1e-9);
            EXPECT_LT(rel(st.h, pt.at("h_J_per_mol").get<double>()), 1e-9);
            EXPECT_LT(rel(st.s, pt.at("s_J_per_mol_K").get<double>()), 1e-9);
            EXPECT_LT(rel(st.cv, pt.at("cv_J_per_mol_K").get<double>()), 1e-9);
            EXPECT_LT(rel(st.cp, pt.at("cp_J_per_mol_K").get<double>()), 1e-9);
            EXPECT_LT(rel(st.w, pt.at("w_m_per_s").get<double>()), 1e-9);
            ++n;
        }
        EXPECT_EQ(n, 5) << name;
    }
}

TEST(EquationOfState, PhaseEquilibriumOfThePureFluidsMatchesTheStoredStates) {
    for (const char* name : kFiles) {
        auto fluid = loadFile(name);
        ASSERT_TRUE(fluid);
        if (!fluid->isPure())
            continue;
        const auto doc = readDoc(name);
        int n = 0;
        for (const auto& pt : doc.at("vle_check_points")) {
            const double T = pt.at("T_K").get<double>();
            SCOPED_TRACE(std::string(name) + " T=" + std::to_string(T));
            const auto sat = fluid->saturationAtT(T);
            ASSERT_TRUE(sat.ok);
            // Solved in extended precision; a double-precision Newton gets within 1e-10.
            EXPECT_LT(rel(sat.vapour.p, pt.at("p_Pa").get<double>()), 1e-10);
            EXPECT_LT(rel(sat.liquid.rho, pt.at("rho_liquid_mol_per_m3").get<double>()), 1e-10);
            EXPECT_LT(rel(sat.vapour.rho, pt.at("rho_vapor_mol_per_m3").get<double>()), 1e-10);
            // The same state found from its pressure.
            const auto back = fluid->saturationAtP(pt.at("p_Pa").get<double>());
            ASSERT_TRUE(back.ok);
            EXPECT_LT(std::abs(back.vapour.T - T), 1e-8);
            ++n;
        }
        EXPECT_EQ(n, 3) << name;
    }
}

TEST(EquationOfState, ReferenceStateIsTwoHundredAndOneAtZeroDegreesLiquid) {
    for (const char* name : kFiles) {
        auto fluid = loadFile(name);
        ASSERT_TRUE(fluid);
        const auto ref = readDoc(name)
                             .at("ideal_gas_part")
                             .at("reference_state")
                             .at("computed_at_reference_point");
        const FluidState l = fluid->bubbleLiquid(0.0);
        SCOPED_TRACE(name);
        EXPECT_LT(rel(l.h, ref.at("h_kJ_per_kg").get<double>()), 1e-9);
        EXPECT_LT(rel(l.s, ref.at("s_kJ_per_kg_K").get<double>()), 1e-9);
        EXPECT_LT(rel(l.rho, ref.at("rho_kg_per_m3").get<double>()), 1e-9);
        EXPECT_LT(rel(l.p * 1e5, ref.at("p_Pa").get<double>()), 1e-9);
        EXPECT_NEAR(l.h, 200.0, 2e-4);
        EXPECT_NEAR(l.s, 1.0, 5e-6);
    }
}

TEST(EquationOfState, IdealGasHeatCapacityOfR22FollowsItsCorrelation) {
    auto fluid = load("R22");
    ASSERT_TRUE(fluid);
    const auto c = readDoc("R22").at("ideal_gas_part").at("cp0_correlation");
    const auto thetas = c.at("theta_K").get<std::vector<double>>();
    const auto m = c.at("m").get<std::vector<double>>();
    for (double T : {180.0, 250.0, 300.0, 400.0, 500.0}) {
        double cp0 = c.at("c0").get<double>() + c.at("c_k")[0].get<double>() * T;
        for (std::size_t i = 0; i < thetas.size(); ++i) {
            const double u = thetas[i] / T;
            cp0 += m[i] * u * u * std::exp(u) / std::pow(std::exp(u) - 1, 2);
        }
        const AlphaTerms a = fluid->model().alpha(T, 1.0);
        EXPECT_LT(rel(1 - a.a0tt, cp0), 1e-12) << T;
    }
}

TEST(EquationOfState, BlendsShowTheirTemperatureGlide) {
    struct Case {
        const char* name;
        double pBubble0, pDew0;  // kPa at 0 degC
        double tBubbleAtDew0;    // degC at the dew pressure of 0 degC
    };
    for (const Case& c : {Case{"R404A", 610.2, 600.3, -0.52}, Case{"R407C", 567.9, 460.7, -6.27},
                          Case{"R410A", 800.7, 798.1, -0.10}}) {
        auto fluid = load(c.name);
        ASSERT_TRUE(fluid);
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(fluid->pBubble(0) * 100, c.pBubble0, 0.05);
        EXPECT_NEAR(fluid->pDew(0) * 100, c.pDew0, 0.05);
        const double p = fluid->pDew(0);
        EXPECT_NEAR(fluid->tDew(p), 0.0, 1e-9);
        EXPECT_NEAR(fluid->tBubble(p), c.tBubbleAtDew0, 0.005);
        const FluidState l = fluid->bubbleLiquid(0), v = fluid->dewVapour(0);
        EXPECT_NEAR(l.p, fluid->pBubble(0), 1e-9);
        EXPECT_GT(l.rho, 20 * v.rho);
        EXPECT_GT(v.h - l.h, 100);
    }
}

TEST(EquationOfState, PureFluidsHaveOneSaturationPressure) {
    for (const char* name : {"R22", "R134a"}) {
        auto fluid = load(name);
        ASSERT_TRUE(fluid);
        for (double t : {-70.0, -40.0, 0.0, 40.0, 70.0}) {
            const double p = fluid->pBubble(t);
            EXPECT_EQ(p, fluid->pDew(t));
            EXPECT_NEAR(fluid->tBubble(p), t, 1e-9) << name << " " << t;
            EXPECT_NEAR(fluid->tDew(p), t, 1e-9) << name << " " << t;
            // Equal Gibbs energy of the two phases, in kJ/kg: g = h - T s.
            const FluidState l = fluid->bubbleLiquid(t), v = fluid->dewVapour(t);
            const double T = t + 273.15;
            EXPECT_NEAR(l.h - T * l.s, v.h - T * v.s, 1e-9);
        }
    }
}

TEST(EquationOfState, SinglePhaseStatesRoundTripThroughEnthalpyAndEntropy) {
    struct Point {
        double t, p;
    };
    for (const auto& fluid : solverFluids()) {
        ASSERT_TRUE(fluid);
        const std::string name = fluid->name();
        const double pLow = fluid->pDew(-30), pHigh = fluid->pBubble(45);
        // Superheated suction and discharge gas, compressed liquid.
        for (const Point& pt : {Point{-20, pLow}, Point{10, pLow}, Point{60, pHigh},
                                Point{80, pHigh}, Point{20, pHigh}, Point{-10, pHigh}}) {
            SCOPED_TRACE(name + " t=" + std::to_string(pt.t));
            const FluidState a = fluid->atTP(pt.t, pt.p);
            ASSERT_TRUE(std::isfinite(a.rho));
            const FluidState b = fluid->atPH(pt.p, a.h);
            EXPECT_NEAR(b.t, pt.t, 1e-8);
            EXPECT_LT(rel(b.rho, a.rho), 1e-9);
            const FluidState c = fluid->atPS(pt.p, a.s);
            EXPECT_NEAR(c.t, pt.t, 1e-8);
            EXPECT_NEAR(c.h, a.h, 1e-8);
        }
    }
}

TEST(EquationOfState, TemperatureAndPressureSelectTheMatchingPhase) {
    for (const auto& fluid : solverFluids()) {
        ASSERT_TRUE(fluid);
        SCOPED_TRACE(fluid->name());
        const FluidState sl = fluid->bubbleLiquid(20), sv = fluid->dewVapour(20);
        const FluidState liquid = fluid->atTP(20, sl.p * 1.01);
        const FluidState vapour = fluid->atTP(20, sv.p * 0.99);
        EXPECT_NEAR(liquid.rho, sl.rho, 0.01 * sl.rho);
        EXPECT_NEAR(vapour.rho, sv.rho, 0.05 * sv.rho);
        EXPECT_LT(vapour.rho, sv.rho);
        EXPECT_GT(liquid.rho, sl.rho);
        // Exactly on the dew line (the pressure as returned in bar) the state is the vapour.
        EXPECT_NEAR(fluid->atTP(-24, fluid->pDew(-24)).h, fluid->dewVapour(-24).h, 1e-9);
    }
}

TEST(EquationOfState, TwoPhaseEnthalpyGivesTheQualityWeightedMix) {
    auto fluid = load("R134a");
    ASSERT_TRUE(fluid);
    const FluidState l = fluid->bubbleLiquid(0), v = fluid->dewVapour(0);
    const FluidState m = fluid->atPH(l.p, 0.25 * l.h + 0.75 * v.h);
    EXPECT_NEAR(m.t, 0.0, 1e-9);
    EXPECT_NEAR(1 / m.rho, 0.25 / l.rho + 0.75 / v.rho, 1e-12);
    EXPECT_NEAR(m.s, 0.25 * l.s + 0.75 * v.s, 1e-9);
}

TEST(EquationOfState, LoadsBySelectorIndexNameOrFolder) {
    // Each entry of the table loads the fluid its model source names.
    for (int i = 0; i < kRefrigerants; ++i) {
        auto f = loadFluid(i);
        ASSERT_TRUE(f) << i;
        std::string source(refrigerantEntry(i).modelSource);
        if (source.ends_with(".json"))
            source.resize(source.size() - 5);
        EXPECT_EQ(f->name(), source);
    }
    EXPECT_EQ(loadFluid("R404A/R507")->name(), "R404A");
    EXPECT_EQ(loadFluid("R507A")->name(), "R404A");
    EXPECT_EQ(loadFluid("r-134a")->name(), "R134a");
    EXPECT_EQ(loadFluid("r1234ze(e)")->name(), "R1234ze(E)");
    EXPECT_EQ(loadFluid("r-454b")->name(), "R454B");  // a blend of the mixture model
    EXPECT_EQ(loadFluid("R22", defaultRefrigerantDir())->name(), "R22");

    std::string err;
    EXPECT_FALSE(loadFluid(kRefrigerants, {}, &err));
    EXPECT_FALSE(err.empty());
    err.clear();
    EXPECT_FALSE(loadFluid("R717", {}, &err));
    EXPECT_NE(err.find("R717"), std::string::npos);
    err.clear();
    EXPECT_FALSE(loadFluid("R22", std::filesystem::path("no-such-folder"), &err));
    EXPECT_FALSE(err.empty());
}

}  // namespace
}  // namespace tundrix::datagen
