// Refrigerant property lookups and cycle corrections, checked on property images built from
// model fluids with closed-form answers, and against the straightforward versions of the same
// routines that copy the image and solve every spline densely.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "catalogue/tempfolder.h"
#include "catalogue/refrigerants.h"
#include "engine/cyclestate.h"
#include "engine/propertytable.h"
#include "engine/refprop.h"
#include "literalengine.h"
#include "propertyfixture.h"

namespace tundrix {
namespace {

using fixture::LinearFluid;
using fixture::SmoothFluid;

const GridImage& linearImage() {
    static const GridImage image = fixture::buildImage(LinearFluid::model());
    return image;
}
const GridImage& smoothImage() {
    static const GridImage image = fixture::buildImage(SmoothFluid::model());
    return image;
}

double rel(double a, double b) {
    return std::fabs(a - b) / std::max(std::fabs(b), 1e-300);
}

TEST(PropertyTable, FindsTheSaturatedRowsAndTheBlockLayout) {
    const PropertyTable t(linearImage());
    // 35 rows from -70 to 100 degC; the 0 degC row inside does not end the table.
    EXPECT_EQ(t.satCount(), fixture::kSatRows);
    EXPECT_EQ(t.satColumn(1)[14], 0.0);
    EXPECT_EQ(t.satColumn(1)[34], 100.0);
    for (int k = 0; k < PropertyTable::kBlocks; ++k) {
        EXPECT_EQ(t.blockLength(k, 2), fixture::kGridRows) << k;
        EXPECT_EQ(t.blockEnthalpies()[k], 250.0 + 16.0 * k);
    }
    EXPECT_EQ(t.blockColumn(3, 2)[0], 0.4);
    EXPECT_TRUE(t.satColumn(8).empty());
    EXPECT_TRUE(t.blockColumn(26, 1).empty());
    EXPECT_TRUE(t.blockColumn(0, 7).empty());
}

TEST(PropertyTable, SaturatedTableNeverRunsIntoTheBlocks) {
    GridImage g = linearImage();
    for (int r = 39; r <= 40; ++r)
        g.set(r, 1, 120.0 + r);
    EXPECT_EQ(PropertyTable(g).satCount(), 37);  // rows 4..40
    // Two exact zeros from row 5 on end it, even right at the start.
    g.set(5, 1, 0.0);
    g.set(6, 1, 0.0);
    EXPECT_EQ(PropertyTable(g).satCount(), 1);
}

TEST(Satprop, InterpolatesTheSaturatedColumns) {
    const PropertyTable t(linearImage());
    for (double x : {-40.0, -12.5, 0.0, 33.3, 60.0}) {
        EXPECT_NEAR(satprop(1, 2, t, x), LinearFluid::bubbleP(x), 1e-12);
        EXPECT_NEAR(satprop(1, 3, t, x), LinearFluid::dewP(x), 1e-12);
        EXPECT_NEAR(satprop(1, 6, t, x), LinearFluid::liquidH(x), 1e-10);
        EXPECT_NEAR(satprop(1, 7, t, x), LinearFluid::vapourH(x), 1e-10);
    }
    EXPECT_NEAR(satprop(2, 1, t, 25.0), 20.0, 1e-12);  // and the other way round
    EXPECT_TRUE(std::isnan(satprop(0, 2, t, 10.0)));
}

TEST(Shprop, TemperatureAndDensityAtPressureAndEnthalpy) {
    const PropertyTable t(linearImage());
    for (double p : {1.0, 9.5, 17.0, 30.0})
        for (double h : {300.0, 411.0, 560.0, 640.0}) {
            EXPECT_NEAR(shprop(2, 1, t, p, h), LinearFluid::temp(p, h), 1e-9) << p << " " << h;
            EXPECT_NEAR(shprop(2, 3, t, p, h), LinearFluid::density(p, h), 1e-10);
        }
}

TEST(Shinverse, FindsTheEnthalpyOfATemperature) {
    const PropertyTable t(linearImage());
    for (double p : {5.0, 17.0, 30.0})
        for (double target : {20.0, 100.0, 150.0})
            EXPECT_NEAR(shinverse(2, 1, t, p, target, 500.0), LinearFluid::enthalpy(p, target),
                        1e-9);
}

// t = h - 300 everywhere: every lookup is exact in binary, so the first secant step lands on
// the target exactly and the next would divide 0 by 0.
GridImage landingImage() {
    fixture::ModelFluid f = LinearFluid::model();
    f.temp = [](double, double h) { return h - 300.0; };
    f.hFirst = 150.0;
    f.hStep = 14.0;
    return fixture::buildImage(f);
}

TEST(Shinverse, AStepLandingExactlyOnTheTargetEndsThere) {
    const GridImage g = landingImage();
    const PropertyTable t(g);
    ASSERT_EQ(shprop(2, 1, t, 5.0, 350.0), 50.0);
    ASSERT_EQ(shprop(2, 1, t, 5.0, 325.0), 25.0);
    EXPECT_EQ(shinverse(2, 1, t, 5.0, 25.0, 350.0), 325.0);
    // Running all five steps regardless would make it 0/0 and the result NaN.
    EXPECT_TRUE(std::isnan(literal::shinverse(2, 1, g, 5.0, 25.0, 350.0, false)));
    // A start already on the target is kept.
    EXPECT_EQ(shinverse(2, 1, t, 5.0, 25.0, 325.0), 325.0);
}

TEST(Shinverse, StopsOnlyWhenTheStepLeavesTheEnthalpyUnchanged) {
    // On a curved table the steps keep going; the result matches five full secant steps.
    const GridImage& g = smoothImage();
    const PropertyTable t(g);
    const double p = SmoothFluid::dewP(-10.0);
    const double h = shinverse(2, 1, t, p, 5.0, SmoothFluid::vapourH(-10.0));
    EXPECT_NEAR(h, literal::shinverse(2, 1, g, p, 5.0, SmoothFluid::vapourH(-10.0), false),
                1e-9 * h);
    EXPECT_NEAR(h, SmoothFluid::enthalpy(p, 5.0), 0.02);
}

TEST(Refeffect, SuctionGasLessLiquidEnthalpy) {
    const PropertyTable t(linearImage());
    const double to = -10, tc = 40, sh = 10;
    const double hs = LinearFluid::enthalpy(LinearFluid::dewP(to), to + sh);
    const double h1 = LinearFluid::liquidH(tc);
    const double h20 = LinearFluid::enthalpy(LinearFluid::bubbleP(tc), tc - 20);
    EXPECT_NEAR(refeffect(t, to, tc, sh, 0), hs - h1, 1e-9);
    EXPECT_NEAR(refeffect(t, to, tc, sh, 0), 160.0, 1e-9);
    // Linear in the subcooling between the saturated liquid and the liquid 20 K colder.
    EXPECT_NEAR(refeffect(t, to, tc, sh, 5), hs - (h1 - 5 * (h1 - h20) / 20), 1e-9);
    EXPECT_NEAR(refeffect(t, to, tc, sh, 20), hs - h20, 1e-9);
}

TEST(Refeffect, TwentyKelvinSubcoolingUsesTheLiquidEnthalpyTwentyKelvinBelow) {
    const PropertyTable t(smoothImage());
    const double to = -25, tc = 45, sh = 8;
    const double hs = shinverse(2, 1, t, satprop(1, 3, t, to), to + sh, satprop(1, 7, t, to));
    const double h20 = shinverse(2, 1, t, satprop(1, 2, t, tc), tc - 20, satprop(1, 6, t, tc));
    EXPECT_NEAR(refeffect(t, to, tc, sh, 20), hs - h20, 1e-12 * hs);
    EXPECT_NEAR(h20, SmoothFluid::enthalpy(SmoothFluid::bubbleP(tc), tc - 20), 0.02);
}

TEST(Capcorrection, RatingConditionsReturnTheValueWithoutReadingTheTable) {
    GridImage g;
    for (int r = 1; r <= 500; ++r)
        for (int c = 1; c <= 200; ++c)
            g.set(r, c, std::numeric_limits<double>::quiet_NaN());
    const PropertyTable broken(g);
    EXPECT_EQ(capcorrection(broken, 3.7, -10, 40, 10, 0), 3.7);
    EXPECT_EQ(capcorrection(PropertyTable(), 1.0, 5, 30, 10, 0), 1.0);
    // Anything else does read it.
    EXPECT_TRUE(std::isnan(capcorrection(broken, 3.7, -10, 40, 12, 0)));
}

TEST(Capcorrection, SubcoolingAtRatedSuperheatScalesByTheRefrigeratingEffectOnly) {
    const PropertyTable t(smoothImage());
    const double to = -10, tc = 40;
    const double ratio = refeffect(t, to, tc, 10, 4) / refeffect(t, to, tc, 10, 0);
    EXPECT_GT(ratio, 1.0);
    EXPECT_NEAR(capcorrection(t, 2.0, to, tc, 10, 4), 2.0 * ratio, 1e-14);
}

TEST(Capcorrection, RatioOfEffectsTimesRatioOfSuctionDensities) {
    const PropertyTable t(linearImage());
    const double to = -15, tc = 35, sh = 25, sc = 3;
    const double po = LinearFluid::dewP(to);
    const double ha = LinearFluid::enthalpy(po, to + sh);
    const double h10 = LinearFluid::enthalpy(po, to + 10);
    const double h1 = LinearFluid::liquidH(tc);
    const double h20 = LinearFluid::enthalpy(LinearFluid::bubbleP(tc), tc - 20);
    const double hl = h1 - sc * (h1 - h20) / 20;
    const double want =
        1.5 * (ha - hl) / (h10 - h1) * LinearFluid::density(po, ha) / LinearFluid::density(po, h10);
    EXPECT_NEAR(capcorrection(t, 1.5, to, tc, sh, sc), want, 1e-12);
}

TEST(Massflow, CapacityOverRefrigeratingEffect) {
    const PropertyTable t(linearImage());
    EXPECT_NEAR(massflow(t, 32.0, -10, 40, 10, 0), 32.0 / 160.0, 1e-14);
}

TEST(Heatrejection, MassFlowTimesDischargeLessLiquidEnthalpy) {
    const PropertyTable t(linearImage());
    const double to = -10, tc = 40, sh = 10, sc = 2, Q = 32;
    const double pc = LinearFluid::bubbleP(tc);
    const double h1 = LinearFluid::liquidH(tc);
    const double hl = h1 - sc * (h1 - LinearFluid::enthalpy(pc, tc - 20)) / 20;
    const double flow = Q / (LinearFluid::enthalpy(LinearFluid::dewP(to), to + sh) - hl);
    EXPECT_NEAR(heatrejection(t, 70, Q, to, tc, sh, sc),
                flow * (LinearFluid::enthalpy(pc, 70) - hl), 1e-10);
    EXPECT_NEAR(heatrejection(t, 70, Q, to, tc, sh, sc),
                massflow(t, Q, to, tc, sh, sc) * (LinearFluid::enthalpy(pc, 70) - hl), 1e-10);
}

TEST(Heatrejection, DischargeAbove80IsTakenAs80) {
    const PropertyTable t(smoothImage());
    EXPECT_EQ(heatrejection(t, 95, 20, -10, 40, 10, 0), heatrejection(t, 80, 20, -10, 40, 10, 0));
    EXPECT_EQ(heatrejection(t, 80.5, 20, -10, 40, 10, 3), heatrejection(t, 80, 20, -10, 40, 10, 3));
    EXPECT_LT(heatrejection(t, 70, 20, -10, 40, 10, 0), heatrejection(t, 80, 20, -10, 40, 10, 0));
}

TEST(SmoothFluid, LookupsFollowTheModelWithinItsSplineError) {
    const PropertyTable t(smoothImage());
    double worstT = 0, worstRho = 0, worstH = 0, worstSuperheatedH = 0;
    for (double to = -40; to <= 10; to += 5)
        for (double sh = 0; sh <= 30; sh += 5) {
            const double p = SmoothFluid::dewP(to);
            const double h = SmoothFluid::enthalpy(p, to + sh);
            worstT = std::max(worstT, std::fabs(shprop(2, 1, t, p, h) - (to + sh)));
            worstRho = std::max(worstRho, rel(shprop(2, 3, t, p, h), SmoothFluid::density(p, h)));
            const double err = std::fabs(shinverse(2, 1, t, p, to + sh, satprop(1, 7, t, to)) - h);
            worstH = std::max(worstH, err);
            if (sh >= 10)
                worstSuperheatedH = std::max(worstSuperheatedH, err);
        }
    EXPECT_LT(worstT, 0.01);
    EXPECT_LT(worstRho, 1e-4);
    // Where the temperature is flat (0.1 K per unit) its spline error weighs ten times more.
    EXPECT_LT(worstH, 0.1);
    EXPECT_LT(worstSuperheatedH, 0.01);
    EXPECT_LT(rel(satprop(1, 2, t, 12.5), SmoothFluid::bubbleP(12.5)), 1e-6);
}

// The fast routines against the straightforward ones on random operating points: equal to
// 1e-9 relative.
void compareWithLiteral(const GridImage& g, unsigned seed) {
    const PropertyTable t(g);
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> uto(-40, 10), utc(20, 60), ush(0, 30), usc(0, 10),
        uh(200, 480), utd(50, 100);
    for (int i = 0; i < 5; ++i) {
        const double to = uto(rng), tc = utc(rng), sh = ush(rng), sc = usc(rng);
        const double p = satprop(1, 3, t, to), h = uh(rng);
        EXPECT_LT(rel(satprop(1, 3, t, to), literal::satprop(1, 3, g, to)), 1e-9);
        EXPECT_LT(rel(shprop(2, 1, t, p, h), literal::shprop(2, 1, g, p, h)), 1e-9);
        EXPECT_LT(rel(shprop(2, 3, t, p, h), literal::shprop(2, 3, g, p, h)), 1e-9);
        EXPECT_LT(
            rel(shinverse(2, 1, t, p, to + sh, 400), literal::shinverse(2, 1, g, p, to + sh, 400)),
            1e-9);
        EXPECT_LT(rel(refeffect(t, to, tc, sh, sc), literal::refeffect(g, to, tc, sh, sc)), 1e-9);
        EXPECT_LT(rel(capcorrection(t, 1.0, to, tc, sh, sc),
                      literal::capcorrection(g, 1.0, to, tc, sh, sc)),
                  1e-9);
        const double td = utd(rng);
        EXPECT_LT(rel(heatrejection(t, td, 25, to, tc, sh, sc),
                      literal::heatrejection(g, td, 25, to, tc, sh, sc)),
                  1e-9);
    }
}

TEST(AgainstLiteral, PropertyRoutinesEqualTheLongWayRound) {
    compareWithLiteral(smoothImage(), 777);
    // On the linear table the secant steps land on their targets exactly now and then.
    compareWithLiteral(linearImage(), 778);
}

// The refrigerant tables of the generated sample catalogue, when the build has made them.
TEST(AgainstLiteral, GeneratedRefrigerantTables) {
    int found = 0;
    for (int r = 0; r < 5; ++r) {
        GridImage g;
        if (!loadref(r, TUNDRIX_SAMPLE_DATA, g))
            continue;
        ++found;
        SCOPED_TRACE(std::string(refFileName(r)));
        compareWithLiteral(g, 900 + unsigned(r));
    }
    if (found == 0)
        FAIL() << "no generated refrigerant tables";
}

// The curves a table prepares follow what it was last rebuilt from: another image with the same
// layout gives its own values, the first image again gives the first values.
TEST(PropertyTable, PreparedCurvesFollowARebuild) {
    PropertyTable t(smoothImage());
    const double to = -10, tc = 40;
    const double p = satprop(1, 3, t, to), h = satprop(1, 7, t, to) + 10;
    const double before = shprop(2, 1, t, p, h), rejected = heatrejection(t, 70, 20, to, tc, 5, 3);
    EXPECT_EQ(satprop(1, 2, t, tc), spline(t.satColumn(1), t.satColumn(2), t.satCount() - 1, tc));
    t.rebuild(linearImage());
    EXPECT_LT(rel(shprop(2, 1, t, p, h), literal::shprop(2, 1, linearImage(), p, h)), 1e-9);
    EXPECT_NE(shprop(2, 1, t, p, h), before);
    t.rebuild(smoothImage());
    EXPECT_EQ(shprop(2, 1, t, p, h), before);
    EXPECT_EQ(heatrejection(t, 70, 20, to, tc, 5, 3), rejected);
    const PropertyTable copy = t;
    EXPECT_EQ(heatrejection(copy, 70, 20, to, tc, 5, 3), rejected);
}

TEST(Loadref, ReadsTheRefrigerantsFileAndKeepsTheOldTableWhenItIsMissing) {
    testing::TempFolder dir;
    ASSERT_TRUE(smoothImage().save(dir / "mass22.dat"));
    GridImage buffer;
    EXPECT_TRUE(loadref(1, dir.path(), buffer));
    EXPECT_TRUE(buffer == smoothImage());
    EXPECT_FALSE(loadref(2, dir.path(), buffer));  // no mass407c.dat
    EXPECT_TRUE(buffer == smoothImage());
    EXPECT_FALSE(loadref(5, dir.path(), buffer));
    EXPECT_FALSE(loadref(-1, dir.path(), buffer));
    EXPECT_TRUE(buffer == smoothImage());
    EXPECT_EQ(refFileName(0), "mass404a.dat");
    EXPECT_EQ(refFileName(3), "mass134a.dat");
    EXPECT_EQ(refFileName(4), "mass410a.dat");
}

TEST(CycleState, SelectingARefrigerantWithoutAFileKeepsThePreviousTable) {
    testing::TempFolder dir;
    ASSERT_TRUE(linearImage().save(dir / "mass404a.dat"));
    CycleState state;
    EXPECT_TRUE(state.loadRefrigerant(0, dir.path()));
    const double before = satprop(1, 2, state.table, 10.0);
    EXPECT_NEAR(before, LinearFluid::bubbleP(10.0), 1e-12);
    EXPECT_FALSE(state.loadRefrigerant(3, dir.path()));
    EXPECT_EQ(state.refrigerant, 3);
    EXPECT_EQ(satprop(1, 2, state.table, 10.0), before);
    EXPECT_TRUE(state.refimage == linearImage());
}

TEST(CycleState, APropertyFileIsReadAgainOnlyWhenItChangedOnDisk) {
    testing::TempFolder dir;
    ASSERT_TRUE(linearImage().save(dir / "mass404a.dat"));
    CycleState state;
    ASSERT_TRUE(state.loadRefrigerant(0, dir.path()));
    // Unchanged on disk: the table in use stays, whatever was done to the image in memory.
    state.refimage = smoothImage();
    EXPECT_TRUE(state.loadRefrigerant(0, dir.path()));
    EXPECT_TRUE(state.refimage == smoothImage());
    // Replaced on disk (another file renamed over it): read again.
    ASSERT_TRUE(smoothImage().save(dir / "new.dat"));
    std::filesystem::rename(dir / "new.dat", dir / "mass404a.dat");
    EXPECT_TRUE(state.loadRefrigerant(0, dir.path()));
    EXPECT_TRUE(state.refimage == smoothImage());
    EXPECT_NE(satprop(1, 2, state.table, 10.0), LinearFluid::bubbleP(10.0));
    // An image filled by other means is no file's: the next load reads.
    state.refimage = linearImage();
    state.refreshTable();
    EXPECT_TRUE(state.loadRefrigerant(0, dir.path()));
    EXPECT_TRUE(state.refimage == smoothImage());
}

TEST(CycleState, CorrectionsFollowTheSuperheatAndSubcooling) {
    CycleState state;
    state.refimage = linearImage();
    state.refreshTable();
    updateCorrections(state, -10, 40);
    EXPECT_EQ(state.corrfactor, 1.0);
    EXPECT_EQ(state.shfactor, 1.0);
    state.superheat = 20;
    state.subcooling = 4;
    updateCorrections(state, -10, 40);
    EXPECT_DOUBLE_EQ(state.corrfactor, capcorrection(state.table, 1, -10, 40, 20, 4));
    EXPECT_DOUBLE_EQ(state.shfactor, capcorrection(state.table, 1, -10, 40, 20, 0));
    EXPECT_GT(state.corrfactor, state.shfactor);  // subcooling adds refrigerating effect
}

TEST(CycleState, CondenserFactorFollowsTheRefrigerant) {
    CycleState state;
    const double want[] = {1.0, 0.96, 0.87, 0.93, 1.0};
    for (int i = 0; i < 5; ++i) {
        state.refrigerant = i;
        setCondfactor(state);
        EXPECT_EQ(state.condfactor, want[i]);
    }
    EXPECT_EQ(condfactorFor(kRefrigerants), 1.0);
    EXPECT_EQ(state.superheat, 10.0);
    EXPECT_EQ(state.subcooling, 0.0);
}

}  // namespace
}  // namespace tundrix
