#include "datagen/compressormodel.h"

#include <gtest/gtest.h>

#include "datagen/compressor_testfluid.h"

namespace tundrix::datagen {
namespace {

using testing::IdealRefrigerant;

// A middle-temperature compressor of 30 m3/h on the test refrigerant.
struct Middle {
    IdealRefrigerant fluid;
    Envelope envelope = sampleEnvelope(2, 1);
    CompressorModel model{fluid, levelParams(2, 1), envelope, 30.0};
};

TEST(CompressorModel, CapacityRisesWithEvaporatingAndFallsWithCondensingTemperature) {
    Middle m;
    for (double tc = 30; tc <= 50; tc += 5) {
        for (double to = -20; to < 5; to += 5) {
            const ModelPoint lo = m.model.rate(to, tc), hi = m.model.rate(to + 5, tc);
            EXPECT_GT(hi.capacity, lo.capacity) << to << "/" << tc;
            const ModelPoint hot = m.model.rate(to, tc + 5);
            EXPECT_LT(hot.capacity, lo.capacity) << to << "/" << tc;
            EXPECT_GT(hot.power, lo.power) << to << "/" << tc;
            EXPECT_GT(hot.dischargeT, lo.dischargeT) << to << "/" << tc;
        }
    }
}

TEST(CompressorModel, HeatRejectionIsCapacityPlusPowerLessMotorLosses) {
    Middle m;
    for (const auto& [to, tc] : {std::pair{-20.0, 30.0}, {0.0, 45.0}, {-10.0, 55.0}}) {
        const ModelPoint p = m.model.rate(to, tc);
        EXPECT_NEAR(p.heat, p.capacity + p.shaftPower, 1e-9 * p.heat);
        EXPECT_LT(p.heat, p.capacity + p.power);
        EXPECT_GT(p.power, p.shaftPower);
    }
}

TEST(CompressorModel, EfficienciesFallWithPressureRatioAwayFromDesign) {
    Middle m;
    const ModelPoint easy = m.model.rate(0, 30), hard = m.model.rate(-20, 45);
    EXPECT_GT(hard.pressureRatio, easy.pressureRatio);
    EXPECT_LT(hard.etaV, easy.etaV);
    EXPECT_GT(easy.etaV, 0.8);
    EXPECT_LT(easy.etaV, 0.96);
    EXPECT_GT(hard.etaIs, 0.5);
    EXPECT_LE(hard.etaIs, levelParams(2, 1).etaPeak);
}

TEST(CompressorModel, SizesOfASeriesScaleWithDisplacement) {
    IdealRefrigerant fluid;
    const Envelope e = sampleEnvelope(1, 1);
    const CompressorModel small(fluid, levelParams(1, 1), e, 10.0);
    const CompressorModel big(fluid, levelParams(1, 1), e, 25.0);
    EXPECT_NEAR(big.nominalShaftPower(), 2.5 * small.nominalShaftPower(), 1e-9);
    const ModelPoint a = small.rate(-30, 40), b = big.rate(-30, 40);
    EXPECT_NEAR(b.capacity, 2.5 * a.capacity, 1e-9 * b.capacity);
    EXPECT_NEAR(b.power, 2.5 * a.power, 1e-9 * b.power);
    EXPECT_NEAR(b.current, 2.5 * a.current, 1e-9 * b.current);
    EXPECT_NEAR(b.heat, 2.5 * a.heat, 1e-9 * b.heat);
    EXPECT_DOUBLE_EQ(b.dischargeT, a.dischargeT);
}

TEST(CompressorModel, MotorIsSizedForTheLargestLoadOnTheEnvelopeBoundary) {
    Middle m;
    const Envelope& e = m.envelope;
    double largest = 0;
    for (int k = 0; k < 6; ++k) {
        largest = std::max(largest, m.model.rate(e.to[k], e.tc[k]).shaftPower);
        const int n = (k + 1) % 6;
        largest = std::max(
            largest, m.model.rate(0.5 * (e.to[k] + e.to[n]), 0.5 * (e.tc[k] + e.tc[n])).shaftPower);
    }
    EXPECT_DOUBLE_EQ(m.model.nominalShaftPower(), largest);
    // At that load the motor works at its nominal efficiency.
    const ModelPoint hot = m.model.rate(5, 55);
    EXPECT_NEAR(hot.shaftPower / hot.power, levelParams(2, 1).etaMotor, 0.01);
}

TEST(CompressorModel, CurrentFollowsPowerWithAPowerFactorBelowOne) {
    Middle m;
    const ModelPoint light = m.model.rate(-20, 30), heavy = m.model.rate(5, 55);
    EXPECT_GT(heavy.current, light.current);
    for (const ModelPoint& p : {light, heavy}) {
        const double apparent = std::sqrt(3.0) * 0.4 * p.current;  // kVA at 400 V
        EXPECT_GT(apparent, p.power);
        EXPECT_GT(p.power / apparent, 0.5);  // power factor
    }
}

TEST(CompressorModel, GlideUsesDewForSuctionAndBubbleForCondensing) {
    // With a glide, suction at the same to has a lower pressure: less capacity than without.
    IdealRefrigerant pure, blend(5.0);
    const Envelope e = sampleEnvelope(2, 2);
    const CompressorModel a(pure, levelParams(2, 2), e, 30), b(blend, levelParams(2, 2), e, 30);
    EXPECT_LT(b.rate(-10, 45).capacity, a.rate(-10, 45).capacity);
    EXPECT_GT(b.rate(-10, 45).pressureRatio, a.rate(-10, 45).pressureRatio);
}

}  // namespace
}  // namespace tundrix::datagen
