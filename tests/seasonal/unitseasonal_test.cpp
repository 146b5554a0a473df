// Seasonal figures of catalogue units: a small list of units of constant capacity and power
// (figures worked out by hand), and the sample catalogue's condensing units.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "catalogue/refrigerants.h"
#include "sampledata.h"
#include "seasonal/owning.h"
#include "seasonal/unitseasonal.h"
#include "selection/selectionfixture.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;
using testing::SelectionBench;
using testing::TestUnit;

using testdata::kSampleData;

// Low-temperature Bock units without condenser (their condensing temperature is the outdoor
// temperature), R404A/R507 properties from the sample catalogue for the rating superheat.
class SmallList : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kSampleData / "mass404a.dat"))
            GTEST_SKIP() << "no sample catalogue";
        fs::copy_file(kSampleData / "mass404a.dat", bench.dir / "mass404a.dat");
    }
    void write(const std::vector<TestUnit>& units, const CoefImage::Envelope& first) {
        CoefImage c = testing::brandFile(units);
        c.setEnvelope(0, 1, first);
        c.save(bench.dir / "bock.dat");
        testing::unitFile(units).save(bench.dir / "agrdata/outbocklow404a.dat");
        result = bench.run(SelectionBench::inputs());
    }
    std::vector<SeasonalUnit> all() const {
        std::vector<SeasonalUnit> w;
        for (std::size_t r = 1; r < result.rows.size(); ++r)
            w.push_back({result.rows[r].unit, result.rows[r].price});
        return w;
    }
    SelectionBench bench;
    SelectionResult result;
};

TEST_F(SmallList, PointDOutsideTheEnvelopeGivesNoSepr) {
    // Condensing 10..70 degC: with no floor point D (5 degC) lies below the envelope.
    write({{"U1", 10, 3, 6, "1000"}}, {-50, 10, 20, 10, 20, 35, 20, 70, -50, 70, -50, 35});
    SeasonalSettings st;
    st.floor = 0;
    const auto s = seasonalFigures(bench.cat->agrlist, bench.cycle, all(), {}, st);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].application, Application::Low);
    EXPECT_TRUE(s[0].points[2].valid);
    EXPECT_FALSE(s[0].points[3].valid);
    EXPECT_TRUE(std::isnan(s[0].points[3].capacity));
    EXPECT_EQ(s[0].missing, "нет данных в точке D");
    EXPECT_TRUE(std::isnan(s[0].sepr));
    EXPECT_EQ(s[0].requirement.metric, Metric::Sepr);  // about 10 kW at -35 degC
    EXPECT_FALSE(s[0].passes.has_value());
    // With the default floor of 25 degC every point condenses inside.
    const auto floored =
        seasonalFigures(bench.cat->agrlist, bench.cycle, all(), {}, SeasonalSettings{});
    EXPECT_TRUE(floored[0].missing.empty());
    EXPECT_DOUBLE_EQ(floored[0].points[3].tc, 25);
    EXPECT_TRUE(std::isfinite(floored[0].sepr));
    // The selection's cycle values are put back.
    EXPECT_EQ(bench.cycle.superheat, 10);
}

TEST_F(SmallList, OneBinClimateByHand) {
    write({{"U1", 10, 3, 6, "100"}}, testing::wideEnvelope());
    const ClimateFile f = parseClimate("20;1000\n");
    ASSERT_TRUE(f.ok());
    SeasonalSettings st;
    st.climate = f.bins;
    st.tariff = 0.2;
    OwnConditions own;  // -10 degC, 10 K superheat, no subcooling: the catalogue's 10 kW, 3 kW
    own.ambient = 32;
    own.required = 8;
    auto s = seasonalFigures(bench.cat->agrlist, bench.cycle, all(), own, st)[0];
    // Low level: part load 0.8 + 0.2 (20 - 5) / 27; load 7.289 kW, ratio 0.7289, cycling.
    EXPECT_NEAR(s.annualEnergy, 2345.65, 0.01);
    EXPECT_EQ(s.uncoveredHours, 0);
    EXPECT_NEAR(s.annualCost, 469.13, 0.01);
    EXPECT_NEAR(s.ownershipCost, 100 + 10 * 469.13, 0.1);
    // A load above the capacity: the unit runs all 1000 h and the hours are said.
    own.required = 12;
    s = seasonalFigures(bench.cat->agrlist, bench.cycle, all(), own, st)[0];
    EXPECT_NEAR(s.annualEnergy, 3000, 1e-9);
    EXPECT_EQ(s.uncoveredHours, 1000);
}

TEST(OwningCursor, LowestCostInTheBandByHand) {
    // M = 10 kW: 9.4 and 13.1 lie outside the band, row 3 outside its envelope.
    std::vector<SelectionRow> rows(6);
    const double caps[] = {0, 9.4, 9.6, 11.0, 12.9, 13.1};
    for (std::size_t r = 1; r < rows.size(); ++r) {
        rows[r].capacity = caps[r];
        rows[r].inside = r != 3;
    }
    const std::vector<int> c = owningCandidates(rows, 10);
    EXPECT_EQ(c, (std::vector<int>{2, 4}));
    EXPECT_EQ(lowestCostRow(c, std::vector<double>{5200, 4900}), 4);
    EXPECT_EQ(lowestCostRow(c, std::vector<double>{4900, 4900}), 2);  // first of equal costs
    EXPECT_EQ(lowestCostRow(c, std::vector<double>{NAN, 7000}), 4);   // no figures: no pick
    EXPECT_EQ(lowestCostRow(c, std::vector<double>{NAN, NAN}), 0);
    EXPECT_TRUE(owningCandidates(rows, 0).empty());
}

// The condensing units of the sample catalogue, every brand and level, R404A/R507.
class SampleUnits : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kSampleData / "agrdata"))
            GTEST_SKIP() << "no sample catalogue";
        cat = std::make_unique<Catalogue>(kSampleData);
        cat->conderlist.load(kSampleData / "condensators.dat");
        cat->preloadtables(kDefaultRefrigerant);
    }
    SelectionResult run(int level, const char* ambient, const char* superheat) {
        SelectionInputs in = SelectionBench::inputs();
        in.levelChoice = level;
        in.evaporate = level == 1 ? "-35" : "-10";
        in.ambient = ambient;
        in.superheat = superheat;
        in.decimalSeparator = '.';
        in.brandChecked = {false, true, true, true, true};
        return Tableoperations(*cat, cycle, in);
    }
    static std::vector<SeasonalUnit> units(const SelectionResult& r) {
        std::vector<SeasonalUnit> w;
        for (std::size_t i = 1; i < r.rows.size(); ++i)
            w.push_back({r.rows[i].unit, r.rows[i].price});
        return w;
    }
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
};

TEST_F(SampleUnits, PointAIsTheResultTableAtItsConditions) {
    // At 32 degC the balance condenses above the floor: point A is what the result table shows
    // for the rating evaporating temperature and suction gas of 20 degC.
    for (const int level : {1, 2}) {
        const SelectionResult r = run(level, "32", level == 1 ? "55" : "30");
        const auto s = seasonalFigures(cat->agrlist, cycle, units(r), {}, {});
        int compared = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const SelectionRow& row = r.rows[i + 1];
            ASSERT_EQ(s[i].application, level == 1 ? Application::Low : Application::Middle);
            if (row.tc < 25)
                continue;
            EXPECT_EQ(s[i].points[0].valid, row.inside) << row.cells[0];
            if (!s[i].points[0].valid)
                continue;
            EXPECT_DOUBLE_EQ(s[i].points[0].capacity, row.capacity) << row.cells[0];
            EXPECT_DOUBLE_EQ(s[i].points[0].power, row.power) << row.cells[0];
            ++compared;
        }
        EXPECT_GT(compared, 50);
    }
}

TEST_F(SampleUnits, NodesGiveTheYearOfEveryBin) {
    const SelectionResult r = run(0, "32", "10");
    OwnConditions own;
    own.to = -10;
    SeasonalSettings nodes, bins;
    bins.everyBin = true;
    const auto a = seasonalFigures(cat->agrlist, cycle, units(r), own, nodes);
    const auto b = seasonalFigures(cat->agrlist, cycle, units(r), own, bins);
    ASSERT_GT(a.size(), 700u);
    double worst = 0;
    int compared = 0, differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        // Only a unit whose envelope edge falls between two nodes may be judged differently.
        if (std::isfinite(a[i].annualEnergy) != std::isfinite(b[i].annualEnergy))
            ++differ;
        if (!std::isfinite(a[i].annualEnergy) || !std::isfinite(b[i].annualEnergy))
            continue;
        worst = std::max(worst, std::abs(a[i].annualEnergy / b[i].annualEnergy - 1));
        ++compared;
    }
    EXPECT_GT(compared, 300);
    EXPECT_LE(differ, 2);
    EXPECT_LT(worst, 0.002) << worst;
}

}  // namespace
}  // namespace tundrix
