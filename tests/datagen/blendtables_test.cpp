// The property images of the blends of the refrigerant table computed with the mixture model,
// read by the program's own routines over the duty range (evaporating -45..+15 degC, condensing
// +20..+60 degC, superheat 0..30 K, subcooling 0..10 K), against the mixture model evaluated
// directly.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/refrigerants.h"
#include "datagen/blendfluid.h"
#include "datagen/cyclereference.h"
#include "datagen/propertytables.h"
#include "datagen/testnumbers.h"
#include "engine/propertytable.h"
#include "engine/refprop.h"

namespace tundrix::datagen {
namespace {

using testnumbers::range;

class BlendTables : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        std::string err;
        fluid_ = loadEosFluid(GetParam(), {}, &err);
        ASSERT_TRUE(fluid_) << err;
        ASSERT_TRUE(dynamic_cast<const BlendFluid*>(fluid_.get())) << "not the mixture model";
        const auto image = buildPropertyImage(*fluid_);
        ASSERT_TRUE(image);
        table_ = std::make_unique<PropertyTable>(*image);
    }

    const char* name() const { return fluid_->model().name().c_str(); }

    std::unique_ptr<EosFluid> fluid_;
    std::unique_ptr<PropertyTable> table_;
};

TEST_P(BlendTables, SaturationPressuresFollowThePhaseEquilibrium) {
    const SaturationErrors w = saturationErrors(*fluid_, *table_, -45.3, 62, 3.1);
    std::printf("%-6s satprop: pressure %.4f %%, enthalpy %.4f %%\n", name(), 100 * w.p.value,
                100 * w.h.value);
    EXPECT_LT(w.p.value, 0.01e-2);
    EXPECT_LT(w.h.value, 0.01e-2);
}

TEST_P(BlendTables, CycleCorrectionsFollowTheMixtureModel) {
    const CycleErrors w = cycleErrors(*fluid_, *table_, range(-45, 15, 7.5), range(20, 60, 8),
                                      {0.0, 4.0, 10.0, 30.0}, {0.0, 5.0, 10.0});
    std::printf("%-6s refeffect %.4f %%, corrfactor %.4f %%, heatrejection %.4f %%\n", name(),
                100 * w.effect.value, 100 * w.corr.value, 100 * w.heat.value);
    EXPECT_LT(w.effect.value, 0.05e-2);
    EXPECT_LT(w.corr.value, 0.05e-2);
    EXPECT_LT(w.heat.value, 0.05e-2);
}

TEST(BlendTable, IsTheSameOnEveryBuild) {
    auto a = loadBlendFluid("R454C"), b = loadBlendFluid("R454C");
    ASSERT_TRUE(a && b);
    const auto first = buildPropertyImage(*a);
    ASSERT_TRUE(first);
    // A fluid that has answered other questions before builds the same bytes.
    b->pBubble(-31.7);
    b->tDew(12.3);
    const auto second = buildPropertyImage(*b);
    ASSERT_TRUE(second);
    EXPECT_TRUE(*first == *second);
}

// The blends of the refrigerant table.
std::vector<int> tableBlends() {
    std::vector<int> v;
    for (int r = 0; r < kRefrigerants; ++r)
        if (refrigerantEntry(r).model == PropertyModel::Mixture)
            v.push_back(r);
    return v;
}
INSTANTIATE_TEST_SUITE_P(TodaysBlends, BlendTables, ::testing::ValuesIn(tableBlends()));

}  // namespace
}  // namespace tundrix::datagen
