// Cost of the property corrections and the spline: the routines as the engine runs them
// against the long way round (a copy of the image per lookup, every spline solved densely).
// Uses the generated R404A/R507 table when the sample catalogue has been built, otherwise a
// model-fluid table of the same layout.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "catalogue/byteimage.h"
#include "engine/propertytable.h"
#include "engine/refprop.h"
#include "engine/spline.h"
#include "tests/engine/literalengine.h"
#include "tests/engine/propertyfixture.h"

namespace tundrix {
namespace {

struct BenchTable {
    GridImage image;
    const char* source;
};

const BenchTable& benchSource() {
    static const BenchTable table = [] {
        BenchTable t{GridImage{}, "mass404a.dat"};
        const auto file = std::filesystem::path(TUNDRIX_SAMPLE_DATA) / "mass404a.dat";
        if (std::filesystem::exists(file) && t.image.load(file))
            return t;
        return BenchTable{fixture::buildImage(fixture::SmoothFluid::model()), "model fluid"};
    }();
    return table;
}

const GridImage& benchImage() {
    return benchSource().image;
}

const PropertyTable& benchTable() {
    static const PropertyTable table(benchImage());
    return table;
}

// A typical medium-temperature duty: -10 degC evaporating, 40 degC condensing, 5 K superheat,
// 3 K subcooling.
constexpr double kTo = -10, kTc = 40, kSh = 5, kSc = 3;

void BM_Capcorrection(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const PropertyTable& t = benchTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(capcorrection(t, 1.0, kTo, kTc, kSh, kSc));
}
BENCHMARK(BM_Capcorrection)->Unit(benchmark::kMicrosecond);

void BM_CapcorrectionLiteral(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const GridImage& g = benchImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(literal::capcorrection(g, 1.0, kTo, kTc, kSh, kSc));
}
BENCHMARK(BM_CapcorrectionLiteral)->Unit(benchmark::kMillisecond);

void BM_Heatrejection(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const PropertyTable& t = benchTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(heatrejection(t, 75, 20, kTo, kTc, kSh, kSc));
}
BENCHMARK(BM_Heatrejection)->Unit(benchmark::kMicrosecond);

// The long way round: a balance step of a unit rated by discharge temperature costs one of these,
// and the condenser balance runs five.
void BM_HeatrejectionLiteral(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const GridImage& g = benchImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(literal::heatrejection(g, 75, 20, kTo, kTc, kSh, kSc));
}
BENCHMARK(BM_HeatrejectionLiteral)->Unit(benchmark::kMillisecond);

void BM_Shprop(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const PropertyTable& t = benchTable();
    const double p = satprop(1, 3, t, kTo), h = satprop(1, 7, t, kTo) + 10;
    for (auto _ : state)
        benchmark::DoNotOptimize(shprop(2, 1, t, p, h));
}
BENCHMARK(BM_Shprop)->Unit(benchmark::kMicrosecond);

void BM_ShpropLiteral(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const GridImage& g = benchImage();
    const PropertyTable& t = benchTable();
    const double p = satprop(1, 3, t, kTo), h = satprop(1, 7, t, kTo) + 10;
    for (auto _ : state)
        benchmark::DoNotOptimize(literal::shprop(2, 1, g, p, h));
}
BENCHMARK(BM_ShpropLiteral)->Unit(benchmark::kMicrosecond);

void BM_Shinverse(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const PropertyTable& t = benchTable();
    const double p = satprop(1, 3, t, kTo), hv = satprop(1, 7, t, kTo);
    for (auto _ : state)
        benchmark::DoNotOptimize(shinverse(2, 1, t, p, kTo + kSh, hv));
}
BENCHMARK(BM_Shinverse)->Unit(benchmark::kMicrosecond);

void BM_ShinverseLiteral(benchmark::State& state) {
    state.SetLabel(benchSource().source);
    const GridImage& g = benchImage();
    const PropertyTable& t = benchTable();
    const double p = satprop(1, 3, t, kTo), hv = satprop(1, 7, t, kTo);
    for (auto _ : state)
        benchmark::DoNotOptimize(literal::shinverse(2, 1, g, p, kTo + kSh, hv, false));
}
BENCHMARK(BM_ShinverseLiteral)->Unit(benchmark::kMillisecond);

// Spline through n + 1 points of a smooth curve, evaluated once.
std::array<std::array<double, kMaxSplinePoints>, 2> curve(int n) {
    std::array<std::array<double, kMaxSplinePoints>, 2> xy{};
    for (int i = 0; i <= n; ++i) {
        xy[0][i] = -40.0 + 1.5 * i + 0.01 * i * i;
        xy[1][i] = 100.0 + 20.0 * std::sin(0.1 * i);
    }
    return xy;
}

void BM_Spline(benchmark::State& state) {
    const int n = int(state.range(0));
    const auto xy = curve(n);
    double x = xy[0][n / 3] + 0.3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(spline(xy[0], xy[1], n, x));
    }
}
BENCHMARK(BM_Spline)->Arg(4)->Arg(25)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_SplineReference(benchmark::State& state) {
    const int n = int(state.range(0));
    const auto xy = curve(n);
    double x = xy[0][n / 3] + 0.3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(splineReference(xy[0], xy[1], n, x));
    }
}
BENCHMARK(BM_SplineReference)->Arg(4)->Arg(25)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tundrix
