// The colour maths on the sizes a colour-mode change uses: one ramp, one 17^3 grid.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "backend/color_transform_srgb.h"
#include "backend/gamma_level_curve.h"
#include "backend/packed_3d_lut.h"

namespace {

using namespace varnet;

constexpr float kSaturationMatrix[9] = {1.25f, -0.2f,  -0.05f, -0.1f, 1.2f,
                                        -0.1f, -0.03f, -0.22f, 1.25f};

void BM_ApplyGammaLevel(benchmark::State& state) {
    const auto level = static_cast<uint32_t>(state.range(0));
    uint16_t identity[kGammaRampEntries];
    for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
        identity[k] = static_cast<uint16_t>((k % 256) * 257);
    }
    uint16_t source[kGammaRampEntries];
    uint16_t target[kGammaRampEntries];
    for (auto _ : state) {
        // The source is reduced in place, so every round starts from a full ramp.
        std::memcpy(source, identity, sizeof source);
        ApplyGammaLevelCurve(level, source, target);
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_ApplyGammaLevel)->Arg(0)->Arg(10)->Arg(34);

void BM_ColorTransformSrgbGrid(benchmark::State& state) {
    for (auto _ : state) {
        for (std::size_t r = 0; r < kLutGridPoints; ++r) {
            for (std::size_t g = 0; g < kLutGridPoints; ++g) {
                for (std::size_t b = 0; b < kLutGridPoints; ++b) {
                    RgbDouble out = ColorTransformSrgb(LutGridCoordinate(r), LutGridCoordinate(g),
                                                       LutGridCoordinate(b), kSaturationMatrix);
                    benchmark::DoNotOptimize(out);
                }
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kPacked3DLutWords));
}
BENCHMARK(BM_ColorTransformSrgbGrid);

void BM_Build3DLut(benchmark::State& state) {
    static Packed3DLut table; // 19 KB: kept off the benchmark's stack
    for (auto _ : state) {
        Build3DLutFromMatrix(kSaturationMatrix, table);
        benchmark::DoNotOptimize(table.words);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kPacked3DLutWords));
}
BENCHMARK(BM_Build3DLut);

} // namespace

BENCHMARK_MAIN();
