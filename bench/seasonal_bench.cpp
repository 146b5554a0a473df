// Seasonal figures of every condensing unit of the sample catalogue's largest tab (every brand
// and level, R404A/R507): rating points, SEPR and verdict, and the year at the engineer's
// conditions over the reference climate. 0 computes the year at nodes (what the program does),
// 1 at every bin (for comparison). Skipped when the sample catalogue has not been generated.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "catalogue/catalogue.h"
#include "catalogue/refrigerants.h"
#include "seasonal/unitseasonal.h"
#include "selection/selectionrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

struct SeasonalSetup {
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
    std::vector<SeasonalUnit> units;
};

SeasonalSetup* seasonalSetup() {
    static SeasonalSetup* s = []() -> SeasonalSetup* {
        const fs::path data = TUNDRIX_SAMPLE_DATA;
        std::error_code ec;
        if (!fs::is_directory(data / "agrdata", ec))
            return nullptr;
        auto* st = new SeasonalSetup;
        st->cat = std::make_unique<Catalogue>(data);
        st->cat->conderlist.load(data / "condensators.dat");
        st->cat->preloadtables(kDefaultRefrigerant);
        SelectionInputs in;
        in.kind = UnitKind::Out;
        in.evaporate = "-10";
        in.ambient = "32";
        in.levelChoice = 0;
        in.brandChecked = {false, true, true, true, true};
        const SelectionResult r = Tableoperations(*st->cat, st->cycle, in);
        for (std::size_t i = 1; i < r.rows.size(); ++i)
            st->units.push_back({r.rows[i].unit, r.rows[i].price});
        return st;
    }();
    return s;
}

void BM_SeasonalFigures(benchmark::State& state) {
    SeasonalSetup* s = seasonalSetup();
    if (s == nullptr) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    OwnConditions own;
    own.to = -10;
    own.ambient = 32;
    own.required = 10;
    SeasonalSettings st;
    st.everyBin = state.range(0) == 1;
    for (auto _ : state) {
        const auto f = seasonalFigures(s->cat->agrlist, s->cycle, s->units, own, st);
        benchmark::DoNotOptimize(f.data());
    }
    state.counters["units"] = double(s->units.size());
    state.counters["per_unit"] =
        benchmark::Counter(double(s->units.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_SeasonalFigures)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tundrix
