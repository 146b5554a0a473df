#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "datagen/compressor_testfluid.h"
#include "datagen/compressorfiles.h"
#include "datagen/pointchoice.h"
#include "engine/tables.h"

namespace tundrix::datagen {
namespace {

// Every envelope a series of the catalogue uses.
std::vector<Envelope> usedEnvelopes() {
    std::vector<Envelope> out;
    for (const SeriesPlan& p : seriesPlans())
        out.push_back(p.envelope);
    return out;
}

TEST(FitPoints, CandidatesAreGridPointsInsideTheEnvelope) {
    const Envelope e = sampleEnvelope(1, 0);
    const auto pts = gridPointsInside(e);
    ASSERT_GE(pts.size(), 10u);
    for (const GridPoint& p : pts) {
        EXPECT_EQ(std::fmod(p.to, 5.0), 0.0);
        EXPECT_EQ(std::fmod(p.tc, 5.0), 0.0);
        EXPECT_TRUE(e.contains(p.to, p.tc));
    }
    // The corners on the grid are candidates too (the test includes the boundary).
    EXPECT_NE(std::find_if(pts.begin(), pts.end(),
                           [](const GridPoint& p) { return p.to == -45 && p.tc == 20; }),
              pts.end());
}

TEST(FitPoints, TenDistinctPointsForEveryEnvelopeOfTheCatalogue) {
    for (const Envelope& e : usedEnvelopes()) {
        std::array<GridPoint, 10> chosen;
        ASSERT_TRUE(chooseFitPoints(e, chosen));
        for (int i = 0; i < 10; ++i) {
            EXPECT_TRUE(e.contains(chosen[i].to, chosen[i].tc));
            for (int j = i + 1; j < 10; ++j)
                EXPECT_FALSE(chosen[i].to == chosen[j].to && chosen[i].tc == chosen[j].tc);
        }
    }
}

TEST(FitPoints, FitInTheirOrderReproducesTheTenValues) {
    // A capacity-like surface with a strong cubic part: the order of the points must keep the
    // elimination clear of tiny pivots, or the fit misses its own points.
    const Poly10 known{25.0, 0.9, -0.31, 0.011, -0.0043, 0.0012, 8e-5, -3e-5, 2e-5, -7e-6};
    for (const Envelope& e : usedEnvelopes()) {
        std::array<GridPoint, 10> at;
        ASSERT_TRUE(chooseFitPoints(e, at));
        FitPoints pts{};
        for (int i = 0; i < 10; ++i)
            pts[i] = {at[i].to, at[i].tc, poly10(known, at[i].to, at[i].tc)};
        const Poly10 c = fitpoly10(pts);
        for (const auto& p : pts)
            EXPECT_NEAR(poly10(c, p.to, p.tc), p.y, 1e-9 * std::abs(p.y));
    }
}

TEST(FitPoints, NotEnoughSeparablePointsIsRefused) {
    std::array<GridPoint, 10> chosen;
    const Envelope e = sampleEnvelope(2, 1);
    // Nine candidates only.
    auto few = gridPointsInside(e);
    few.resize(9);
    EXPECT_FALSE(chooseFitPoints(e, few, chosen));
    // Twelve points on three condensing temperatures: the cubic in tc cannot be separated.
    std::vector<GridPoint> threeRows;
    for (double tc : {30.0, 40.0, 50.0})
        for (double to : {-20.0, -15.0, -10.0, -5.0})
            threeRows.push_back({to, tc});
    EXPECT_FALSE(chooseFitPoints(e, threeRows, chosen));
}

TEST(FitPoints, NoSingleExchangeRaisesTheDeterminant) {
    // The chosen set is a local maximum of |det| of the scaled monomial matrix: no candidate
    // can replace one of the ten points and make the interpolation better conditioned.
    const Envelope e = sampleEnvelope(3, 3);
    const auto cand = gridPointsInside(e);
    std::array<GridPoint, 10> chosen;
    ASSERT_TRUE(chooseFitPoints(e, cand, chosen));
    auto logDet = [&](const std::array<GridPoint, 10>& pts) -> double {
        // log |det| by LU with partial pivoting.
        const double tm = 0.5 * (e.toMin() + e.toMax()), cm = 0.5 * (e.tcMin() + e.tcMax());
        const double s = 0.5 * std::max(e.toMax() - e.toMin(), e.tcMax() - e.tcMin());
        std::array<std::array<double, 10>, 10> a{};
        for (int i = 0; i < 10; ++i) {
            const double u = (pts[i].to - tm) / s, v = (pts[i].tc - cm) / s;
            a[i] = {1, u, v, u * u, u * v, v * v, u * u * u, u * u * v, u * v * v, v * v * v};
        }
        double ld = 0;
        for (int k = 0; k < 10; ++k) {
            int b = k;
            for (int r = k + 1; r < 10; ++r)
                if (std::abs(a[r][k]) > std::abs(a[b][k]))
                    b = r;
            std::swap(a[k], a[b]);
            if (a[k][k] == 0)
                return -INFINITY;
            ld += std::log(std::abs(a[k][k]));
            for (int r = k + 1; r < 10; ++r) {
                const double f = a[r][k] / a[k][k];
                for (int j = k; j < 10; ++j)
                    a[r][j] -= f * a[k][j];
            }
        }
        return ld;
    };
    const double best = logDet(chosen);
    for (int place = 0; place < 10; ++place) {
        for (const GridPoint& c : cand) {
            auto trial = chosen;
            trial[place] = c;
            EXPECT_LE(logDet(trial), best + 1e-9);
        }
    }
}

TEST(CompressorFit, FourthSetDependsOnTheBrand) {
    testing::IdealRefrigerant fluid;
    const Envelope e = sampleEnvelope(2, 1);
    const CompressorModel model(fluid, levelParams(2, 1), e, 30);
    std::array<GridPoint, 10> at;
    ASSERT_TRUE(chooseFitPoints(e, at));
    const FittedCompressor bock = fitCompressor(model, at, fourthSetOf(kBrandBock));
    const FittedCompressor bitzer = fitCompressor(model, at, fourthSetOf(kBrandBitzer));
    const FittedCompressor stream = fitCompressor(model, at, fourthSetOf(kBrandStream));
    const ModelPoint p = model.rate(at[3].to, at[3].tc);
    EXPECT_NEAR(poly10(bock.fourth, at[3].to, at[3].tc), p.heat, 1e-6 * p.heat);
    EXPECT_NEAR(poly10(bitzer.fourth, at[3].to, at[3].tc), p.dischargeT, 1e-6 * p.dischargeT);
    // No fourth set: c1 = 0 tells the program to take capacity + power.
    for (double c : stream.fourth)
        EXPECT_EQ(c, 0.0);
    EXPECT_EQ(bock.capacity, stream.capacity);
}

TEST(ScrollBlocks, AnEnvelopeEndingAtZeroDegreesKeepsThatColumn) {
    // Evaporating keys -20..0: a 0 degC key followed by the end marker would end the key run
    // one column early, so the table carries one more column.
    testing::IdealRefrigerant fluid;
    Envelope e;
    e.to = {-20, 0, 0, 0, -10, -20};
    e.tc = {25, 25, 30, 50, 50, 40};
    const CompressorModel model(fluid, levelParams(2, 1), e, 20);
    auto image = std::make_unique<GridImage>();
    const int rows = writeScrollBlocks(*image, 7, model, e);
    EXPECT_EQ(rows, 1 + 6 + 2);  // keys, tc 25..50, end marker
    for (int c0 : {2, 32, 47, 62}) {
        const TableBlock t = gettable(*image, 7, c0);
        ASSERT_EQ(t.cols, 6) << c0;
        EXPECT_EQ(t.C[4], 0.0);
        EXPECT_EQ(t.C[5], 5.0);
        EXPECT_EQ(t.rows, 6);
    }
    const TableBlock q = gettable(*image, 7, 2);
    EXPECT_NEAR(spline2d(q, 0, 40), model.rate(0, 40).capacity, 1e-9);
    EXPECT_EQ(q.at(0, 0), model.rate(-20, 25).capacity);
    EXPECT_EQ(q.at(5, 0), 0.0);  // -20/50 lies outside
    // A block that would not fit the image is refused.
    EXPECT_EQ(writeScrollBlocks(*image, 495, model, e), 0);
}

TEST(CompressorCatalogueBuild, ARefrigerantWithoutPropertiesIsLeftOut) {
    testing::IdealRefrigerant r22like;
    FluidSet fluids{};
    fluids[1] = &r22like;
    const CompressorFiles files = buildCompressorFiles(fluids);
    // The three brand files exist; only the R22 section is filled.
    ASSERT_EQ(files.brandFiles.size(), 3u);
    for (const auto& [name, img] : files.brandFiles) {
        EXPECT_FALSE(img->isFree(1, 1)) << name;
        for (int r : {0, 2, 3})
            EXPECT_TRUE(img->isFree(r, 1)) << name << " section " << r;
    }
    // Scroll files only for the R22 levels.
    std::vector<std::string> tables;
    for (const auto& t : files.tables)
        tables.push_back(t.first);
    EXPECT_EQ(tables, (std::vector<std::string>{"masszf22.dat", "masszb22.dat", "masszr22.dat"}));
    for (const auto& s : files.catalogue.series)
        EXPECT_EQ(s.refrigerant, 1);
    EXPECT_EQ(files.catalogue.find(kBrandBock, 1, 0), nullptr);
    ASSERT_NE(files.catalogue.find(kBrandBock, 1, 1), nullptr);
    EXPECT_EQ(files.catalogue.find(kBrandBock, 1, 1)->compressors.front().number, 1);
    // The condenser list does not depend on the refrigerants.
    EXPECT_EQ(files.condensers->count(), int(files.catalogue.condensers.size()));
}

}  // namespace
}  // namespace tundrix::datagen
