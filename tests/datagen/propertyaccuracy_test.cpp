// The program's own property routines, run on the generated images of every refrigerant of the
// table that has an equation of state of its own, against that equation evaluated directly over
// the duty range: evaporating -50..+15 degC, superheat 0..40 K, condensing 20..65 degC,
// subcooling 0..10 K, discharge up to 80 degC. Each case prints its worst deviations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "catalogue/refrigerants.h"
#include "datagen/cyclereference.h"
#include "datagen/propertytables.h"
#include "datagen/testnumbers.h"
#include "engine/propertytable.h"
#include "engine/refprop.h"

namespace tundrix::datagen {
namespace {

using testnumbers::range;

// Block columns as the routines are called: t, p, rho.
constexpr int kBT = 1, kBP = 2, kBRho = 3;

// Grids that fall between the table's rows and knots rather than on them.
const std::vector<double> kEvap = range(-50, 15, 6.5);
const std::vector<double> kCond = range(20, 65, 7.5);
const std::vector<double> kSuperheat = {0, 3, 10, 22, 40};
const std::vector<double> kSubcool = {0, 4, 10};

class PropertyAccuracy : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        fluid_ = loadEosFluid(GetParam());
        ASSERT_TRUE(fluid_);
        const auto image = buildPropertyImage(*fluid_);
        ASSERT_TRUE(image);
        table_ = std::make_unique<PropertyTable>(*image);
    }
    const char* name() const { return fluid_->model().name().c_str(); }

    std::unique_ptr<EosFluid> fluid_;
    std::unique_ptr<PropertyTable> table_;
};

TEST_P(PropertyAccuracy, SaturatedLookupsFollowTheEquationOfState) {
    const SaturationErrors w = saturationErrors(*fluid_, *table_, -50.3, 65, 2.3);
    std::printf("%-6s satprop: pressure %.4f %%, enthalpy %.4f %%\n", name(), 100 * w.p.value,
                100 * w.h.value);
    EXPECT_LT(w.p.value, 0.005e-2);
    EXPECT_LT(w.h.value, 0.005e-2);
}

TEST_P(PropertyAccuracy, BlockLookupsFollowTheEquationOfState) {
    Worst t, rho, hInv;
    const CycleReference ref{*fluid_};
    // Suction gas: temperature and density at the dew pressure of to, enthalpy back from t.
    for (double to : kEvap) {
        const double p = fluid_->pDew(to);
        const double hv = fluid_->dewVapour(to).h;
        for (double sh : kSuperheat) {
            const FluidState s = ref.suction(to, sh);
            t.add(shprop(kBP, kBT, *table_, p, s.h) - s.t);
            rho.add((shprop(kBP, kBRho, *table_, p, s.h) - s.rho) / s.rho);
            hInv.add(shinverse(kBP, kBT, *table_, p, to + sh, hv) - s.h);
        }
    }
    // Discharge gas up to 80 degC and the liquid 20 K below tc (what the subcooling rule looks
    // up), at the bubble pressure of tc.
    for (double tc : kCond) {
        const double p = fluid_->pBubble(tc);
        const double hv = fluid_->dewVapour(tc).h;
        const double hl = fluid_->bubbleLiquid(tc).h;
        const FluidState l = fluid_->atTP(tc - 20, p);
        t.add(shprop(kBP, kBT, *table_, p, l.h) - l.t);
        hInv.add(shinverse(kBP, kBT, *table_, p, tc - 20, hl) - l.h);
        for (double td = fluid_->tDew(p) + 2; td <= 80; td += 9.7) {
            const FluidState d = fluid_->atTP(td, p);
            t.add(shprop(kBP, kBT, *table_, p, d.h) - d.t);
            hInv.add(shinverse(kBP, kBT, *table_, p, td, hv) - d.h);
        }
    }
    std::printf("%-6s shprop: t %.4f K, rho %.4f %%; shinverse: h %.4f kJ/kg\n", name(), t.value,
                100 * rho.value, hInv.value);
    EXPECT_LT(t.value, 0.02);
    EXPECT_LT(rho.value, 0.05e-2);
    EXPECT_LT(hInv.value, 0.05);
}

TEST_P(PropertyAccuracy, CycleCorrectionsFollowTheEquationOfState) {
    const CycleErrors w = cycleErrors(*fluid_, *table_, kEvap, kCond, kSuperheat, kSubcool);
    std::printf("%-6s refeffect %.4f %%, corrfactor %.4f %%, heatrejection %.4f %%\n", name(),
                100 * w.effect.value, 100 * w.corr.value, 100 * w.heat.value);
    EXPECT_LT(w.effect.value, 0.05e-2);
    EXPECT_LT(w.corr.value, 0.05e-2);
    EXPECT_LT(w.heat.value, 0.05e-2);
}

// Every refrigerant of the table computed from an equation of state of its own (the blends of
// the mixture model have a test of their own).
std::vector<int> ownEquations() {
    std::vector<int> v;
    for (int r = 0; r < kRefrigerants; ++r)
        if (refrigerantEntry(r).model != PropertyModel::Mixture)
            v.push_back(r);
    return v;
}
INSTANTIATE_TEST_SUITE_P(AllRefrigerants, PropertyAccuracy, ::testing::ValuesIn(ownEquations()));

}  // namespace
}  // namespace tundrix::datagen
