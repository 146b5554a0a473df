// Cost of a selection run on the sample catalogue: the kind of unit with the most units, every
// brand and level, the condensing temperature found from the ambient by the condenser balance.
// Reported per run (median of the repetitions) and per unit, for all brands together and for
// each brand alone. Skipped with a message when the sample catalogue has not been generated.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "catalogue/catalogue.h"
#include "catalogue/filenames.h"
#include "engine/performance.h"
#include "selection/selectionrun.h"

namespace tundrix {
namespace {

namespace fs = std::filesystem;

const fs::path kSample = TUNDRIX_SAMPLE_DATA;

constexpr std::array<const char*, kBrands + 1> kBrandNames = {
    "all brands", "Bock", "Copeland Scroll", "Bitzer", "Copeland Stream"};

SelectionInputs inputsFor(UnitKind kind, int brand) {
    SelectionInputs in;
    in.kind = kind;
    in.ambientMode = true;
    in.evaporate = "-10";
    in.ambient = "32";
    in.superheat = "8";
    in.subcool = "2";
    in.required = "20";
    in.useEvaporate = true;
    in.levelChoice = 0;
    for (int b = 1; b <= kBrands; ++b)
        in.brandChecked[std::size_t(b)] = brand == 0 || brand == b;
    return in;
}

// The catalogue opened once for R404A/R507; for all brands together and for each brand alone,
// the kind of unit with the most units over every level.
struct Setup {
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
    std::array<UnitKind, kBrands + 1> kind{};
    std::array<int, kBrands + 1> units{};
};

Setup* setup() {
    static Setup* s = []() -> Setup* {
        std::error_code ec;
        if (!fs::is_directory(kSample / "agrdata", ec))
            return nullptr;
        auto* st = new Setup;
        st->cat = std::make_unique<Catalogue>(kSample);
        st->cat->conderlist.load(kSample / "condensators.dat");
        st->cat->preloadtables(0);
        for (int b = 0; b <= kBrands; ++b) {
            for (const UnitKind k :
                 {UnitKind::Out, UnitKind::Agr, UnitKind::Mka, UnitKind::Glco, UnitKind::Glcu,
                  UnitKind::Glcr, UnitKind::Glck, UnitKind::Ov, UnitKind::Os, UnitKind::On}) {
                const SelectionResult r = Tableoperations(*st->cat, st->cycle, inputsFor(k, b));
                if (r.count > st->units[std::size_t(b)]) {
                    st->units[std::size_t(b)] = r.count;
                    st->kind[std::size_t(b)] = k;
                }
            }
        }
        return st;
    }();
    return s;
}

void BM_SelectionRun(benchmark::State& state) {
    Setup* s = setup();
    const int brand = int(state.range(0));
    if (s == nullptr) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    if (s->units[std::size_t(brand)] == 0) {
        state.SkipWithError("the sample catalogue has no units of this brand");
        return;
    }
    const UnitKind kind = s->kind[std::size_t(brand)];
    const SelectionInputs in = inputsFor(kind, brand);
    int units = 0;
    for (auto _ : state) {
        const SelectionResult r = Tableoperations(*s->cat, s->cycle, in);
        units = r.count;
        benchmark::DoNotOptimize(r.cursorRow);
    }
    state.SetLabel(std::string(kindPrefix(kind)) + ", " + kBrandNames[std::size_t(brand)]);
    state.counters["units"] = units;
    // Time per unit: seconds per run divided by the units of the run.
    state.counters["per_unit"] = benchmark::Counter(
        double(units), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SelectionRun)
    ->DenseRange(0, kBrands)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The sample's Bitzer units have no condensers; these runs give its Bitzer racks condensers
// (six of the largest), so that every balance step runs the property routines.
struct BitzerSetup {
    fs::path dir;
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
    int units = 0;
    ~BitzerSetup() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

BitzerSetup* bitzerSetup() {
    static std::unique_ptr<BitzerSetup> s = []() -> std::unique_ptr<BitzerSetup> {
        std::error_code ec;
        if (!fs::exists(kSample / "bitzer.dat", ec))
            return nullptr;
        auto st = std::make_unique<BitzerSetup>();
        st->dir = fs::temp_directory_path() / ("tundrix-bench-" + std::to_string(::getpid()));
        fs::create_directories(st->dir / "agrdata");
        for (const char* f : {"bitzer.dat", "condensators.dat", "mass404a.dat"})
            fs::copy_file(kSample / f, st->dir / f, fs::copy_options::overwrite_existing);
        Condenserprop condensers;
        condensers.load(kSample / "condensators.dat");
        for (int l = 1; l <= kLevels; ++l) {
            UnitListTable t;
            if (!t.load(kSample / "agrdata" / agrfilename(UnitKind::Mka, l, 3, 0)))
                continue;
            for (int i = 1; i <= UnitListTable::kUnitRows && !t.cellEmpty(0, i); ++i) {
                t.setCell(4, i, std::to_string(condensers.count()));
                t.setCell(6, i, "6");
            }
            t.save(st->dir / "agrdata" / agrfilename(UnitKind::Out, l, 3, 0));
        }
        st->cat = std::make_unique<Catalogue>(st->dir);
        st->cat->conderlist = condensers;
        st->cat->preloadtables(0);
        st->units = Tableoperations(*st->cat, st->cycle, inputsFor(UnitKind::Out, 3)).count;
        return st;
    }();
    return s.get();
}

void BM_SelectionRunBitzerCondensers(benchmark::State& state) {
    BitzerSetup* s = bitzerSetup();
    if (s == nullptr || s->units == 0) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const SelectionInputs in = inputsFor(UnitKind::Out, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(Tableoperations(*s->cat, s->cycle, in).cursorRow);
    state.counters["units"] = s->units;
    state.counters["per_unit"] =
        benchmark::Counter(double(s->units), benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}
BENCHMARK(BM_SelectionRunBitzerCondensers)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The balance and the figures of those units as the run computes them, with and without the
// per-run cache (argument 1 and 0); the list as the last run left it.
void BM_BitzerBalance(benchmark::State& state) {
    BitzerSetup* s = bitzerSetup();
    if (s == nullptr || s->units == 0) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const bool cached = state.range(0) != 0;
    for (auto _ : state) {
        PerformanceCache cache;
        const Performance perf(s->cat->agrlist, s->cycle, cached ? &cache : nullptr);
        double sum = 0;
        for (int u = 1; u <= s->units; ++u) {
            const double tc = perf.condensatetemp(-10, 32, u);
            sum += perf.capacity(-10, tc, u) + perf.heat(-10, tc, u);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetLabel(cached ? "per-run cache" : "no cache");
    state.counters["per_unit"] =
        benchmark::Counter(double(s->units), benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}
BENCHMARK(BM_BitzerBalance)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tundrix
