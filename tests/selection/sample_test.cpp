// Selections of every kind of unit on the generated sample catalogue (skipped when it has not
// been generated).
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "sampledata.h"
#include "selection/calculator.h"
#include "selection/numbers.h"
#include "selection/selectionrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

using testdata::kSampleData;

bool sampleAvailable() {
    std::error_code ec;
    return fs::is_directory(kSampleData / "agrdata", ec) &&
           fs::exists(kSampleData / "condensators.dat", ec);
}

struct KindCase {
    UnitKind kind;
    bool ambientMode;
    const char* evaporate;
};

class SampleSelection : public ::testing::TestWithParam<KindCase> {
protected:
    void SetUp() override {
        if (!sampleAvailable())
            FAIL() << "no sample catalogue in " << kSampleData.string();
    }
};

TEST_P(SampleSelection, EveryRefrigerantListsSortedComputableUnits) {
    const KindCase kc = GetParam();
    auto cat = std::make_unique<Catalogue>(kSampleData);
    cat->conderlist.load(kSampleData / "condensators.dat");
    CycleState cycle;
    int listedAnywhere = 0;
    for (int refrigerant = 0; refrigerant < kRefrigerants; ++refrigerant) {
        SCOPED_TRACE(refrigerant);
        cat->preloadtables(refrigerant);
        SelectionInputs in;
        in.kind = kc.kind;
        in.ambientMode = kc.ambientMode;
        in.evaporate = kc.evaporate;
        in.useEvaporate = true;
        in.refrigerant = refrigerant;
        in.brandChecked = {false, true, true, true, true};
        in.levelChoice = 0;
        in.superheat = "8";
        in.subcool = "2";
        const SelectionResult r = Tableoperations(*cat, cycle, in);
        if (r.pagesHidden)
            continue;
        ASSERT_EQ(int(r.rows.size()), std::max(r.count, 1) + 1);
        EXPECT_EQ(r.progressLabel, "Всего установок:" + std::to_string(r.count));
        // Every unit once; capacities ascending; texts are numbers or empty, never "nan".
        std::set<int> units;
        double last = -INFINITY;
        int withValues = 0;
        for (int row = 1; row <= r.count; ++row) {
            const SelectionRow& s = r.rows[std::size_t(row)];
            units.insert(s.unit);
            for (int c = 1; c <= 5; ++c) {
                const std::string& t = s.cells[std::size_t(c)];
                EXPECT_TRUE(t.empty() || parseNumber(t, ',').has_value()) << t;
            }
            if (std::isfinite(s.capacity)) {
                ++withValues;
                EXPECT_LE(last, s.capacity);
                last = s.capacity;
                EXPECT_TRUE(std::isfinite(s.power) && std::isfinite(s.current)) << s.cells[0];
                EXPECT_GT(s.capacity, 0) << s.cells[0];
                EXPECT_GE(s.tc, s.to) << s.cells[0];
            }
        }
        EXPECT_EQ(int(units.size()), r.count);
        listedAnywhere += withValues;
        if (withValues == 0)
            continue;
        // A requirement in the middle of the list finds a unit with values that reaches it, or
        // the nearest one with values.
        in.required = formatGeneral(last / 2, ',');
        const SelectionResult again = Tableoperations(*cat, cycle, in);
        const SelectionRow& picked = again.rows[std::size_t(again.cursorRow)];
        EXPECT_FALSE(picked.cells[1].empty());
        EXPECT_EQ(again.modelLabel, picked.cells[0]);
    }
    EXPECT_GT(listedAnywhere, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SampleSelection,
    ::testing::Values(KindCase{UnitKind::Out, true, "-10"}, KindCase{UnitKind::Agr, false, "-10"},
                      KindCase{UnitKind::Mka, false, "-10"}, KindCase{UnitKind::Glco, true, "5"},
                      KindCase{UnitKind::Glcu, true, "5"}, KindCase{UnitKind::Glcr, true, "5"},
                      KindCase{UnitKind::Glck, true, "5"}, KindCase{UnitKind::Ov, true, "5"},
                      KindCase{UnitKind::Os, true, "-5"}, KindCase{UnitKind::On, true, "-20"}));

// The calculator on every brand, level and refrigerant of the sample catalogue: the first listed
// compressor with one condenser, from the ambient temperature.
TEST(SampleCalculator, FirstCompressorOfEveryListComputes) {
    if (!sampleAvailable())
        FAIL() << "no sample catalogue in " << kSampleData.string();
    auto cat = std::make_unique<Catalogue>(kSampleData);
    CycleState cycle;
    const std::array<const char*, 4> evaporating = {"", "-35", "-10", "5"};
    int computed = 0;
    for (int refrigerant = 0; refrigerant < kRefrigerants; ++refrigerant) {
        for (int brand = 1; brand <= kBrands; ++brand) {
            for (int level = 1; level <= kLevels; ++level) {
                SCOPED_TRACE(std::to_string(refrigerant) + " " + std::to_string(brand) + " " +
                             std::to_string(level));
                const CalculatorLists lists = cat->FullDataUpdate(level, brand, refrigerant);
                if (lists.noCompressors || lists.selectcompr.items.empty() ||
                    (coefSection(refrigerant) < 0 && brand != kScrollBrand))
                    continue;
                CalculatorInputs in;
                in.brand = brand;
                in.level = level;
                in.refrigerant = refrigerant;
                in.condenser = int(lists.condensator.items.size()) - 1;  // the largest
                in.evaporate = evaporating[std::size_t(level)];
                in.ambient = "30";
                in.superheat = "8";
                in.subcool = "2";
                const CalculatorResult r = Action3Execute(*cat, cycle, in);
                ASSERT_TRUE(r.computed);
                EXPECT_GT(r.tc, 30.0);
                EXPECT_GT(r.capacity, 0.0);
                EXPECT_GT(r.power, 0.0);
                EXPECT_GT(r.current, 0.0);
                // The condenser rejects the cooling capacity and most of the power input.
                EXPECT_GT(r.heat, r.capacity);
                EXPECT_FALSE(r.solution.empty());
                ++computed;
            }
        }
    }
    EXPECT_GT(computed, 20);
}

}  // namespace
}  // namespace tundrix
