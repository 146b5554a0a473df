// What the sample catalogue derives per refrigerant from the equations of state: the condenser
// factor, the re-expansion exponent, R32's discharge-temperature cut and the larger displacement
// of R1234ze(E).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "catalogue/refrigerants.h"
#include "datagen/compressorfiles.h"
#include "datagen/condenserfactor.h"
#include "datagen/refrigerantdesign.h"

namespace tundrix::datagen {
namespace {

constexpr int kR404a = refrigerantIndex("404a"), kR22 = refrigerantIndex("22"),
              kR134a = refrigerantIndex("134a"), kR410a = refrigerantIndex("410a"),
              kR32 = refrigerantIndex("32"), kR1234ze = refrigerantIndex("1234ze");

std::unique_ptr<EosFluid> fluid(int r) {
    std::string err;
    auto f = loadEosFluid(r, {}, &err);
    EXPECT_TRUE(f) << err;
    return f;
}

TEST(RefrigerantDesign, CondenserFactorsOfTheTableFollowTheCondenserModel) {
    const auto r404a = fluid(kR404a), r22 = fluid(kR22), r134a = fluid(kR134a);
    const CondenserModel m = fitCondenserModel(*r404a, {{r22.get(), 0.96}, {r134a.get(), 0.93}});
    std::printf("condenser model: p_r(R404A) %.4f, m %.4f\n", m.referencePr, m.exponent);
    EXPECT_NEAR(m.exponent, 0.103, 0.002);
    // The five's own factors are met within a hundredth; R410A condenses at R404A's reduced
    // pressure.
    EXPECT_NEAR(condenserFactor(m, *r22), 0.96, 0.01);
    EXPECT_NEAR(condenserFactor(m, *r134a), 0.93, 0.01);
    EXPECT_NEAR(condenserFactor(m, *fluid(kR410a)), 1.0, 0.005);
    for (int r = 0; r < kRefrigerants; ++r) {
        if (refrigerantEntry(r).scheme != FileScheme::ByCode)
            continue;
        const double f = condenserFactor(m, *fluid(r));
        std::printf("%-10s p_r %.4f condfactor %.4f\n",
                    std::string(refrigerantEntry(r).caption).c_str(),
                    reducedCondensingPressure(*fluid(r)), f);
        EXPECT_EQ(std::round(f * 100) / 100, refrigerantEntry(r).condfactor);
    }
}

TEST(RefrigerantDesign, ReexpansionExponentIsTheSuctionGasIsentropicExponent) {
    for (int r = 0; r < kRefrigerants; ++r) {
        const auto f = fluid(r);
        const double kappa = isentropicExponent(*f, -35, 10);
        const double n = resolvedParams(levelParams(1, r), *f).n;
        std::printf("%-10s kappa %.4f n %.2f\n", f->name().c_str(), kappa, n);
        EXPECT_NEAR(n, kappa, 0.025);  // the five's fixed exponents too
        if (refrigerantDesign(r).n == 0) {
            EXPECT_EQ(n, std::round(kappa * 100) / 100);
        }
    }
}

TEST(RefrigerantDesign, R32EnvelopesAreCutAlongItsDischargeTemperature) {
    const auto r32 = fluid(kR32);
    for (int level : {2, 3}) {
        const Envelope e = sampleEnvelope(level, kR32);
        const CompressorModel model(*r32, resolvedParams(levelParams(level, kR32), *r32), e, 20);
        // The upper left corners (5 and 6) lie on the cut: hot, but below 140 degC.
        for (int k : {4, 5}) {
            const double td = model.rate(e.to[std::size_t(k)], e.tc[std::size_t(k)]).dischargeT;
            EXPECT_GT(td, 115.0) << level << " corner " << k + 1;
            EXPECT_LT(td, 140.0) << level << " corner " << k + 1;
        }
        // R410A's high envelope reaches 10 K higher at its coldest evaporation, where R32 would
        // pass 140 degC.
        if (level == 3) {
            EXPECT_GT(model.rate(-10, 50).dischargeT, 130.0);
            EXPECT_LT(e.tc[5], sampleEnvelope(3, kR410a).tc[5]);
        }
    }
}

TEST(RefrigerantDesign, R1234zeSeriesHaveMoreDisplacementForTheCapacityOfR134a) {
    std::array<std::unique_ptr<EosFluid>, kRefrigerants> store;
    FluidSet fluids{};
    for (int r : {kR134a, kR1234ze}) {
        store[std::size_t(r)] = fluid(r);
        fluids[std::size_t(r)] = store[std::size_t(r)].get();
    }
    const CompressorCatalogue cat = buildCompressorCatalogue(fluids);
    const CompressorSeries* ze = cat.find(kBrandBitzer, 3, kR1234ze);
    const CompressorSeries* a = cat.find(kBrandBitzer, 3, kR134a);
    ASSERT_TRUE(ze && a);
    ASSERT_EQ(ze->compressors.size(), a->compressors.size());
    for (std::size_t k = 0; k < a->compressors.size(); ++k) {
        const auto& z = ze->compressors[k];
        const auto& b = a->compressors[k];
        EXPECT_GT(z.displacement / b.displacement, 1.25) << z.name;
        EXPECT_LT(z.displacement / b.displacement, 1.45) << z.name;
        EXPECT_NEAR(z.ratedCapacity / b.ratedCapacity, 1.0, 0.06) << z.name;
    }
}

}  // namespace
}  // namespace tundrix::datagen
