// Cost of a selection run on the sample catalogue: the kind of unit with the most units, every
// brand and level, the condensing temperature found from the ambient by the condenser balance.
// Reported per run (median of the repetitions) and per unit, for all brands together and for
// each brand alone; the engine's part of a run per unit for every kind and brand; a run over 1000
// units of mixed brands. Skipped with a message when the sample catalogue has not been generated.
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

// Time per unit: seconds per run divided by the units of the run.
benchmark::Counter perUnit(int units) {
    return benchmark::Counter(
        double(units), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void countUnits(benchmark::State& state, int units) {
    state.counters["units"] = units;
    state.counters["per_unit"] = perUnit(units);
}

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
            for (const UnitKind k : kUnitKinds) {
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
    countUnits(state, units);
}
BENCHMARK(BM_SelectionRun)
    ->DenseRange(0, kBrands)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A catalogue written into a temporary folder for a benchmark, removed at the end.
struct CatalogueCopy {
    fs::path dir;
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
    int units = 0;
    ~CatalogueCopy() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

// The sample's Bitzer units have no condensers; these runs give its Bitzer racks condensers
// (six of the largest), so that every balance step runs the property routines.
CatalogueCopy* bitzerSetup() {
    static std::unique_ptr<CatalogueCopy> s = []() -> std::unique_ptr<CatalogueCopy> {
        std::error_code ec;
        if (!fs::exists(kSample / "bitzer.dat", ec))
            return nullptr;
        auto st = std::make_unique<CatalogueCopy>();
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
    CatalogueCopy* s = bitzerSetup();
    if (s == nullptr || s->units == 0) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const SelectionInputs in = inputsFor(UnitKind::Out, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(Tableoperations(*s->cat, s->cycle, in).cursorRow);
    countUnits(state, s->units);
}
BENCHMARK(BM_SelectionRunBitzerCondensers)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The balance and the figures of those units as the run computes them, with and without the
// per-run cache (argument 1 and 0); the list as the last run left it.
void BM_BitzerBalance(benchmark::State& state) {
    CatalogueCopy* s = bitzerSetup();
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
    state.counters["per_unit"] = perUnit(s->units);
}
BENCHMARK(BM_BitzerBalance)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What a run computes per unit once the list is loaded, as Tableoperations computes it.
double engineLoop(Catalogue& cat, CycleState& cycle, int count) {
    PerformanceCache cache;
    cycle.tables.beginRun();
    cache.tables = &cycle.tables;
    const Performance perf(cat.agrlist, cycle, &cache);
    double sum = 0;
    for (int u = 1; u <= count; ++u) {
        const double tc = perf.condensatetemp(-10, 32, u);
        sum += perf.capacity(-10, tc, u);
        sum += perf.power(-10, tc, u) + perf.heat(-10, tc, u) + perf.current(-10, tc, u);
    }
    return sum;
}

// Engine time per unit for one kind (argument 0: index in kUnitKinds) and brand (argument 1, 0
// all).
void BM_EnginePerUnit(benchmark::State& state) {
    Setup* o = setup();
    if (o == nullptr) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const UnitKind kind = kUnitKinds[std::size_t(state.range(0))];
    const int brand = int(state.range(1));
    const int count = Tableoperations(*o->cat, o->cycle, inputsFor(kind, brand)).count;
    state.SetLabel(std::string(kindPrefix(kind)) + ", " + kBrandNames[std::size_t(brand)]);
    if (count == 0) {
        state.SkipWithError("no units of this kind and brand");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(engineLoop(*o->cat, o->cycle, count));
    countUnits(state, count);
}
BENCHMARK(BM_EnginePerUnit)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 9, 1),
                   benchmark::CreateDenseRange(0, kBrands, 1)})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.05);

// A catalogue copy whose condensing-unit lists also hold the units of the other kinds of their
// brand and level (as many as a list holds), so that one run covers 1000 units of every brand.
CatalogueCopy* mixed() {
    static std::unique_ptr<CatalogueCopy> s = []() -> std::unique_ptr<CatalogueCopy> {
        std::error_code ec;
        if (!fs::is_directory(kSample / "agrdata", ec))
            return nullptr;
        auto m = std::make_unique<CatalogueCopy>();
        m->dir = fs::temp_directory_path() / ("tundrix-bench-mixed-" + std::to_string(::getpid()));
        fs::create_directories(m->dir / "agrdata");
        for (const auto& e : fs::directory_iterator(kSample))
            if (e.is_regular_file())
                fs::copy_file(e.path(), m->dir / e.path().filename(),
                              fs::copy_options::overwrite_existing);
        for (int l = 1; l <= kLevels; ++l) {
            for (int b = 1; b <= kBrands; ++b) {
                UnitListTable out;
                // Without a list of its own the first list taken in gives the headings.
                bool headed = out.load(kSample / "agrdata" / agrfilename(UnitKind::Out, l, b, 0));
                int row = 1;
                while (row <= UnitListTable::kUnitRows && !out.cellEmpty(0, row))
                    ++row;
                for (std::size_t n = 1; n < kUnitKinds.size(); ++n) {
                    const UnitKind k = kUnitKinds[n];
                    UnitListTable more;
                    if (!more.load(kSample / "agrdata" / agrfilename(k, l, b, 0)))
                        continue;
                    for (int c = 0; c < UnitListTable::kColumns && !headed; ++c)
                        out.setCell(c, 0, more.cell(c, 0));
                    headed = true;
                    for (int i = 1; i <= UnitListTable::kUnitRows && !more.cellEmpty(0, i) &&
                                    row <= UnitListTable::kUnitRows;
                         ++i, ++row)
                        for (int c = 0; c < UnitListTable::kColumns; ++c)
                            out.setCell(c, row, more.cell(c, i));
                }
                if (row > 1)
                    out.save(m->dir / "agrdata" / agrfilename(UnitKind::Out, l, b, 0));
            }
        }
        m->cat = std::make_unique<Catalogue>(m->dir);
        m->cat->conderlist.load(m->dir / "condensators.dat");
        m->cat->preloadtables(0);
        m->units = Tableoperations(*m->cat, m->cycle, inputsFor(UnitKind::Out, 0)).count;
        return m;
    }();
    return s.get();
}

// Argument 0: the engine alone over the loaded list; 1: the whole run (refrigerant table and
// unit lists read, every figure, the sort and the grid texts).
void BM_MixedUnits(benchmark::State& state) {
    CatalogueCopy* m = mixed();
    if (m == nullptr || m->units == 0) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const bool whole = state.range(0) != 0;
    const SelectionInputs in = inputsFor(UnitKind::Out, 0);
    for (auto _ : state) {
        if (whole)
            benchmark::DoNotOptimize(Tableoperations(*m->cat, m->cycle, in).cursorRow);
        else
            benchmark::DoNotOptimize(engineLoop(*m->cat, m->cycle, m->units));
    }
    state.SetLabel(whole ? "whole run" : "engine");
    countUnits(state, m->units);
}
BENCHMARK(BM_MixedUnits)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace
}  // namespace tundrix
