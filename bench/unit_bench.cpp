// Cost of the engine per unit: the figures a selection run computes for every unit of its list
// (condensing temperature from the ambient, capacity, power, heat rejection, current), for every
// kind of unit and brand of the sample catalogue; and a run over 1000 units of mixed brands.
// Skipped with a message when the sample catalogue has not been generated.
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

constexpr std::array<UnitKind, 10> kKinds = {
    UnitKind::Out,  UnitKind::Agr,  UnitKind::Mka, UnitKind::Glco, UnitKind::Glcu,
    UnitKind::Glcr, UnitKind::Glck, UnitKind::Ov,  UnitKind::Os,   UnitKind::On};
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

// One catalogue opened for R404A/R507 in a folder; the run of Tableoperations sets the cycle
// state and loads the unit list.
struct Opened {
    std::unique_ptr<Catalogue> cat;
    CycleState cycle;
};

std::unique_ptr<Opened> open(const fs::path& dir) {
    auto o = std::make_unique<Opened>();
    o->cat = std::make_unique<Catalogue>(dir);
    o->cat->conderlist.load(dir / "condensators.dat");
    o->cat->preloadtables(0);
    return o;
}

// What a run computes per unit once the list is loaded, as Tableoperations computes it.
double engineLoop(Opened& o, int count) {
    PerformanceCache cache;
    o.cycle.tables.beginRun();
    cache.tables = &o.cycle.tables;
    const Performance perf(o.cat->agrlist, o.cycle, &cache);
    double sum = 0;
    for (int u = 1; u <= count; ++u) {
        const double tc = perf.condensatetemp(-10, 32, u);
        sum += perf.capacity(-10, tc, u);
        sum += perf.power(-10, tc, u) + perf.heat(-10, tc, u) + perf.current(-10, tc, u);
    }
    return sum;
}

Opened* sample() {
    static std::unique_ptr<Opened> s = []() -> std::unique_ptr<Opened> {
        std::error_code ec;
        if (!fs::is_directory(kSample / "agrdata", ec))
            return nullptr;
        return open(kSample);
    }();
    return s.get();
}

// Engine time per unit for one kind (argument 0: index in kKinds) and brand (argument 1, 0 all).
void BM_EnginePerUnit(benchmark::State& state) {
    Opened* o = sample();
    if (o == nullptr) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const UnitKind kind = kKinds[std::size_t(state.range(0))];
    const int brand = int(state.range(1));
    const int count = Tableoperations(*o->cat, o->cycle, inputsFor(kind, brand)).count;
    state.SetLabel(std::string(kindPrefix(kind)) + ", " + kBrandNames[std::size_t(brand)]);
    if (count == 0) {
        state.SkipWithError("no units of this kind and brand");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(engineLoop(*o, count));
    state.counters["units"] = count;
    state.counters["per_unit"] = benchmark::Counter(
        double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_EnginePerUnit)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 9, 1),
                   benchmark::CreateDenseRange(0, kBrands, 1)})
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.05);

// A catalogue copy whose condensing-unit lists also hold the units of the other kinds of their
// brand and level (as many as a list holds), so that one run covers 1000 units of every brand.
struct Mixed {
    fs::path dir;
    std::unique_ptr<Opened> opened;
    int units = 0;
    ~Mixed() {
        opened.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Mixed* mixed() {
    static std::unique_ptr<Mixed> s = []() -> std::unique_ptr<Mixed> {
        std::error_code ec;
        if (!fs::is_directory(kSample / "agrdata", ec))
            return nullptr;
        auto m = std::make_unique<Mixed>();
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
                for (std::size_t n = 1; n < kKinds.size(); ++n) {
                    const UnitKind k = kKinds[n];
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
        m->opened = open(m->dir);
        m->units =
            Tableoperations(*m->opened->cat, m->opened->cycle, inputsFor(UnitKind::Out, 0)).count;
        return m;
    }();
    return s.get();
}

// Argument 0: the engine alone over the loaded list; 1: the whole run (refrigerant table and
// unit lists read, every figure, the sort and the grid texts).
void BM_MixedUnits(benchmark::State& state) {
    Mixed* m = mixed();
    if (m == nullptr || m->units == 0) {
        state.SkipWithError("no sample catalogue: generate it with tundrix-datagen first");
        return;
    }
    const bool whole = state.range(0) != 0;
    const SelectionInputs in = inputsFor(UnitKind::Out, 0);
    Opened& o = *m->opened;
    for (auto _ : state) {
        if (whole)
            benchmark::DoNotOptimize(Tableoperations(*o.cat, o.cycle, in).cursorRow);
        else
            benchmark::DoNotOptimize(engineLoop(o, m->units));
    }
    state.SetLabel(whole ? "whole run" : "engine");
    state.counters["units"] = m->units;
    state.counters["per_unit"] =
        benchmark::Counter(double(m->units), benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixedUnits)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(0.5);

}  // namespace
}  // namespace tundrix
