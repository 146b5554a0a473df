// The bin method against the published worked example, and the minimum values at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "catalogue/refrigerants.h"
#include "seasonal/climate.h"
#include "seasonal/sepr.h"

namespace tundrix {
namespace {

// The official tool's middle-temperature example of an on/off unit.
const std::array<PointValues, 4> kExample = {
    {{7.00, 2.10}, {7.76, 2.57}, {8.74, 3.27}, {9.61, 4.00}}};

TEST(Sepr, WorkedExampleGivesItsPublishedFigures) {
    const SeprFigures f = seasonalRatio(Application::Middle, kExample);
    EXPECT_NEAR(f.sepr, 3.01, 0.005);
    EXPECT_NEAR(f.demand, 43032, 1);
    EXPECT_NEAR(f.electricity, 14288, 1);

    const SeprBin b = seprBin(Application::Middle, kExample, 25);
    EXPECT_NEAR(b.demand, 6.27, 0.005);
    EXPECT_NEAR(b.ratio, 0.81, 0.005);
    EXPECT_NEAR(b.cyclingCop, 2.45, 0.005);
    const SeprBin d = seprBin(Application::Middle, kExample, 5);
    EXPECT_NEAR(d.demand, 4.20, 0.005);
    EXPECT_NEAR(d.ratio, 0.44, 0.005);
    EXPECT_NEAR(d.cyclingCop, 3.44, 0.005);
}

TEST(Sepr, BinSixDegreesByHand) {
    // PR = 0.6 + 0.4/27; DC and COP one tenth of the way from D (5) to C (15).
    const SeprBin b = seprBin(Application::Middle, kExample, 6);
    const double demand = 7.0 * (0.6 + 0.4 / 27);
    const double capacity = 9.61 + 0.1 * (8.74 - 9.61);
    const double cop = 4.00 + 0.1 * (3.27 - 4.00);
    EXPECT_DOUBLE_EQ(b.demand, demand);
    EXPECT_NEAR(b.capacity, 9.523, 1e-12);
    EXPECT_NEAR(b.cop, 3.927, 1e-12);
    EXPECT_NEAR(b.cyclingCop, cop * (1 - 0.25 * (1 - demand / capacity)), 1e-12);
    EXPECT_NEAR(b.cyclingCop, 3.39, 0.005);
    // Beyond the points: the values of A above 32, of D below 5; full load above 32.
    EXPECT_DOUBLE_EQ(seprBin(Application::Middle, kExample, 38).capacity, 7.00);
    EXPECT_DOUBLE_EQ(seprBin(Application::Middle, kExample, -19).cop, 4.00);
    EXPECT_DOUBLE_EQ(partLoadRatio(Application::Low, 38), 1.0);
    EXPECT_DOUBLE_EQ(partLoadRatio(Application::Low, -19), 0.8);
}

TEST(Sepr, PointWithoutFiguresGivesNoRatio) {
    auto points = kExample;
    points[3].capacity = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(seasonalRatio(Application::Middle, points).sepr));
}

TEST(Sepr, MinimumTableEdges) {
    const int high = 3922;
    // Middle temperature: 5 kW is still rated by COP at A, above it by SEPR.
    EXPECT_EQ(requirement(Application::Middle, 5.0, high).metric, Metric::Cop);
    EXPECT_DOUBLE_EQ(requirement(Application::Middle, 5.0, high).minimum, 1.60);
    EXPECT_EQ(requirement(Application::Middle, 5.001, high).metric, Metric::Sepr);
    EXPECT_DOUBLE_EQ(requirement(Application::Middle, 5.001, high).minimum, 2.55);
    EXPECT_DOUBLE_EQ(requirement(Application::Middle, 50, high).minimum, 2.65);
    EXPECT_EQ(requirement(Application::Middle, 50.01, high).metric, Metric::None);
    EXPECT_EQ(requirement(Application::Middle, 0.19, high).metric, Metric::None);
    // Low temperature: 2 kW is rated by SEPR, below it by COP.
    EXPECT_EQ(requirement(Application::Low, 2.0, high).metric, Metric::Sepr);
    EXPECT_DOUBLE_EQ(requirement(Application::Low, 2.0, high).minimum, 1.60);
    EXPECT_EQ(requirement(Application::Low, 1.999, high).metric, Metric::Cop);
    EXPECT_DOUBLE_EQ(requirement(Application::Low, 1.999, high).minimum, 0.95);
    EXPECT_DOUBLE_EQ(requirement(Application::Low, 20, high).minimum, 1.70);
    EXPECT_EQ(requirement(Application::Low, 20.01, high).metric, Metric::None);
    EXPECT_EQ(requirement(Application::None, 10, high).metric, Metric::None);
    // GWP 148 (R454C) may stay 10 % below; 150 may not.
    const Requirement low = requirement(Application::Middle, 10, 148);
    EXPECT_TRUE(low.lowGwp);
    EXPECT_DOUBLE_EQ(low.minimum2018, 2.55);
    EXPECT_NEAR(low.minimum, 2.295, 1e-12);
    EXPECT_FALSE(requirement(Application::Middle, 10, 150).lowGwp);
    EXPECT_EQ(refrigerantGwp(*refrigerantByName("R454C")), 148);
    EXPECT_EQ(refrigerantGwp(*refrigerantByName("R404A")), 3985);
}

TEST(Climate, ReferenceClimateIsTheTable) {
    const auto ref = referenceClimate();
    ASSERT_EQ(ref.size(), 58u);
    EXPECT_DOUBLE_EQ(ref.front().t, -19);
    EXPECT_DOUBLE_EQ(ref[25].t, 6);
    EXPECT_DOUBLE_EQ(ref[25].hours, 350.48);
    EXPECT_NEAR(climateHours(ref), 8760.0, 1e-9);
}

TEST(Climate, FileIsReadAndChecked) {
    const ClimateFile one = parseClimate("\xEF\xBB\xBFтемпература;часы\n20;1000,5\n");
    ASSERT_TRUE(one.ok()) << one.error;
    ASSERT_EQ(one.bins.size(), 1u);
    EXPECT_EQ(one.bins[0], (ClimateBin{20, 1000.5}));
    EXPECT_TRUE(parseClimate("# comment\n-5;10\n\n5.5;20\n").ok());

    EXPECT_FALSE(parseClimate("").ok());
    EXPECT_FALSE(parseClimate("t;h\n").ok());
    EXPECT_FALSE(parseClimate("20;-1\n").ok());
    EXPECT_FALSE(parseClimate("20;8000\n21;785\n").ok());
    EXPECT_TRUE(parseClimate("20;8000\n21;784\n").ok());
    EXPECT_FALSE(parseClimate("20;1000\nтепло;5\n").ok());
    EXPECT_FALSE(parseClimate("20;1;2\n").ok());
    std::string many;
    for (int i = 0; i < 201; ++i)
        many += std::to_string(i - 100) + ";1\n";
    EXPECT_FALSE(parseClimate(many).ok());
    EXPECT_TRUE(parseClimate("20;x\n").error.starts_with("строка 1:"));
}

}  // namespace
}  // namespace tundrix
