// Physical plausibility of the whole sample catalogue, unit by unit, through the performance
// methods the selection uses: capacity rises with evaporating and falls with condensing
// temperature, the coefficient of performance stays between 1 and 8 inside each compressor's
// envelope, and a Bock unit's rated heat rejection is close to capacity plus power; every
// refrigerant of the table has such units.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "catalogue/catalogue.h"
#include "engine/cyclestate.h"
#include "engine/performance.h"
#include "engine/toolkit.h"
#include "sampledata.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

using testdata::kSampleData;

bool inside(const std::array<double, 12>& e, double to, double tc) {
    return inenvelope(to, tc, e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], e[10],
                      e[11]);
}

TEST(SampleCatalogue, EveryUnitBehavesLikeARefrigerationUnitInsideItsEnvelope) {
    std::error_code ec;
    if (!fs::exists(kSampleData / "condensators.dat", ec))
        FAIL() << "no sample catalogue in " << kSampleData.string();
    auto cat = std::make_unique<Catalogue>(kSampleData);
    cat->conderlist.load(kSampleData / "condensators.dat");
    cat->levelon = {false, true, true, true};
    int units = 0, points = 0, bock = 0;
    for (int r = 0; r < kRefrigerants; ++r) {
        SCOPED_TRACE(refrigerantEntry(r).caption);
        const int unitsBefore = units;
        cat->preloadtables(r);
        CycleState cycle;  // rating conditions: both correction factors 1
        cycle.refrigerant = r;
        ASSERT_TRUE(cycle.loadRefrigerant(r, kSampleData));
        for (const UnitKind kind : kUnitKinds) {
            LoadChoices choices;
            choices.kind = kind;
            choices.refrigerant = r;
            choices.brandChecked = {false, true, true, true, true};
            choices.rackSizeChecked = {true, true, true, true, true, true};
            choices.exchanger = Exchanger::All;
            const int count = cat->loadunits(choices);
            const agregat& a = cat->agrlist;
            const Performance perf(a, cycle);
            for (int k = 1; k <= count; ++k) {
                if (!perf.hasData(k))
                    continue;  // R410A on the brand files: no section, no figures
                ++units;
                const auto e = a.envelope(k);
                int here = 0;
                for (double to = -60; to <= 30; to += 5) {
                    for (double tc = 10; tc <= 75; tc += 5) {
                        if (!inside(e, to, tc) || !inside(e, to + 1, tc) || !inside(e, to, tc + 1))
                            continue;
                        ++here;
                        const double q = perf.capacity(to, tc, k);
                        const double p = perf.power(to, tc, k);
                        ASSERT_GT(q, 0) << a.name[std::size_t(k)] << " at " << to << "/" << tc;
                        EXPECT_GT(perf.capacity(to + 1, tc, k), q) << a.name[std::size_t(k)];
                        EXPECT_LT(perf.capacity(to, tc + 1, k), q) << a.name[std::size_t(k)];
                        const double cop = q / p;
                        EXPECT_TRUE(cop > 1 && cop < 8) << a.name[std::size_t(k)] << " COP " << cop
                                                        << " at " << to << "/" << tc;
                        EXPECT_GT(perf.current(to, tc, k), 0) << a.name[std::size_t(k)];
                        if (a.agrtype[std::size_t(k)] == 1) {
                            ++bock;
                            const double ratio = perf.heat(to, tc, k) / (q + p);
                            EXPECT_TRUE(ratio > 0.9 && ratio < 1.02)
                                << a.name[std::size_t(k)] << " heat / (Q + P) " << ratio;
                        }
                    }
                }
                points += here;
                EXPECT_GT(here, 0) << a.name[std::size_t(k)] << ": no grid point inside";
            }
        }
        EXPECT_GT(units - unitsBefore, 100) << "every refrigerant has units";
    }
    EXPECT_GT(units, 5000);
    EXPECT_GT(bock, 1000);
    RecordProperty("units", units);
    RecordProperty("points", points);
}

}  // namespace
}  // namespace tundrix
