// Cost of today's blends in the generator: loading a blend (its phase envelope), one bubble
// point from the envelope's start, the whole property image of each blend, and one rating point
// of the compressor model on a blend against the same on the pseudo-pure R407C.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "datagen/blendfluid.h"
#include "datagen/compressormodel.h"
#include "datagen/envelope.h"
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
    // Two pressures in turn: the blend remembers only its latest answer.
    bool other = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.bubbleAtP(other ? 8.2e5 : 8.1e5));
        other = !other;
    }
}
BENCHMARK(BM_BubbleAtPressure)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_BlendPropertyImage(benchmark::State& state) {
    const BlendFluid& f = blend(int(state.range(0)));
    state.SetLabel(kBlends[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(buildPropertyImage(f));
}
BENCHMARK(BM_BlendPropertyImage)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Medium temperature, as the sample R407C compressors: a sweep over the envelope's box.
void ratingSweep(benchmark::State& state, const Fluid& fluid) {
    const CompressorModel model(fluid, levelParams(2, 2), sampleEnvelope(2, 2), 30);
    for (auto _ : state) {
        for (double to = -20; to <= 5; to += 5)
            for (double tc = 25; tc <= 55; tc += 5)
                benchmark::DoNotOptimize(model.rate(to, tc));
    }
    state.SetItemsProcessed(state.iterations() * 42);
}

void BM_RatingPointBlend(benchmark::State& state) {
    state.SetLabel("R448A");
    ratingSweep(state, blend(0));
}
BENCHMARK(BM_RatingPointBlend)->Unit(benchmark::kMillisecond);

void BM_RatingPointPseudoPure(benchmark::State& state) {
    static const auto fluid = loadEosFluid("R407C");
    state.SetLabel("R407C");
    ratingSweep(state, *fluid);
}
BENCHMARK(BM_RatingPointPseudoPure)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tundrix::datagen
