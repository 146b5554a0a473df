// Cost of today's blends in the generator: loading a blend (its phase envelope), one bubble
// point from the envelope's start, and the whole property image of each blend.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "datagen/blendfluid.h"
#include "datagen/propertytables.h"

namespace tundrix::datagen {
namespace {

const char* const kBlends[] = {"R448A", "R449A", "R452A", "R454B", "R454C", "R513A"};

const BlendFluid& blend(int i) {
    static std::unique_ptr<BlendFluid> loaded[6];
    if (!loaded[i])
        loaded[i] = loadBlendFluid(kBlends[i]);
    return *loaded[i];
}

void BM_LoadBlend(benchmark::State& state) {
    state.SetLabel(kBlends[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(loadBlendFluid(kBlends[state.range(0)]));
}
BENCHMARK(BM_LoadBlend)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_BubbleAtPressure(benchmark::State& state) {
    const BlendFluid& f = blend(int(state.range(0)));
    state.SetLabel(kBlends[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(f.bubbleAtP(8.1e5));
}
BENCHMARK(BM_BubbleAtPressure)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_BlendPropertyImage(benchmark::State& state) {
    const BlendFluid& f = blend(int(state.range(0)));
    state.SetLabel(kBlends[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPropertyImage(f));
}
BENCHMARK(BM_BlendPropertyImage)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tundrix::datagen
