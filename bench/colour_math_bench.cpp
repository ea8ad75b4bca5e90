// The LUT builders on the sizes a colour-mode change uses (one ramp, one 17^3 grid), each beside
// its plain formula-by-formula reference and its floor: a loop that makes only the
// transcendental calls the algorithm cannot avoid, on the arguments it would make them with.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "backend/color_transform_srgb.h"
#include "backend/gamma_level_curve.h"
#include "backend/packed_3d_lut.h"
#include "igcl/partial_saturation_lut.h"
#include "lut_reference.h"

namespace {

using namespace varnet;
namespace ref = varnet::reference;

constexpr float kSaturationMatrix[9] = {1.25f, -0.2f,  -0.05f, -0.1f, 1.2f,
                                        -0.1f, -0.03f, -0.22f, 1.25f};
// The vivid mode of the example panel: weights 10, 5, 5, 10, 5, 5 as gains.
constexpr double kVividGains[igcl::kHueSectorCount] = {1.2, 1.2, 1.1, 1.1, 1.1, 1.1};

// ---- Gamma level curve ----------------------------------------------------------------------

struct Ramp {
    uint16_t identity[kGammaRampEntries];
    Ramp() {
        for (std::size_t k = 0; k < kGammaRampEntries; ++k) {
            identity[k] = static_cast<uint16_t>((k % 256) * 257);
        }
    }
};

template <void (*Apply)(uint32_t, uint16_t*, uint16_t*)> void GammaLevel(benchmark::State& state) {
    const auto level = static_cast<uint32_t>(state.range(0));
    static const Ramp ramp;
    uint16_t source[kGammaRampEntries];
    uint16_t target[kGammaRampEntries];
    for (auto _ : state) {
        // The source is reduced in place, so every round starts from a full ramp.
        std::memcpy(source, ramp.identity, sizeof source);
        Apply(level, source, target);
        benchmark::DoNotOptimize(target);
    }
}
void BM_GammaLevel(benchmark::State& state) {
    GammaLevel<ApplyGammaLevelCurve>(state);
}
void BM_GammaLevelReference(benchmark::State& state) {
    GammaLevel<ref::ApplyGammaLevel>(state);
}
// The powers below T + 64 (T = the curve's entry 8), which the join cannot do without.
void BM_GammaLevelFloor(benchmark::State& state) {
    const auto level = static_cast<int32_t>(state.range(0));
    const double x = level < 5 ? (level - 5.0) / 12.0 : (level - 5.0) / 30.0;
    const double e = 1.0 / static_cast<double>(static_cast<float>(1.0 - x));
    const int t = static_cast<int>(
        static_cast<float>(std::pow(8.0, e) * (255.0 / std::pow(255.0, e)))); // entry 8
    for (auto _ : state) {
        double sum = std::pow(255.0, e);
        for (int i = 0; i < t + 64 && i < 256; ++i) {
            sum += std::pow(static_cast<double>(i), e);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_GammaLevel)->Arg(0)->Arg(10)->Arg(34);
BENCHMARK(BM_GammaLevelReference)->Arg(0)->Arg(10)->Arg(34);
BENCHMARK(BM_GammaLevelFloor)->Arg(0)->Arg(10)->Arg(34);

// ---- Tables from a colour matrix (CUI Build3DLut, both back-ends' Set3DLutParams) -----------

void BM_Build3DLut(benchmark::State& state) {
    static Packed3DLut table; // 19 KB: kept off the benchmark's stack
    for (auto _ : state) {
        Build3DLutFromMatrix(kSaturationMatrix, table);
        benchmark::DoNotOptimize(table.words);
        benchmark::ClobberMemory();
    }
}
void BM_Build3DLutReference(benchmark::State& state) {
    static uint32_t words[ref::kPoints];
    for (auto _ : state) {
        ref::Build3DLut(kSaturationMatrix, words);
        benchmark::DoNotOptimize(words);
        benchmark::ClobberMemory();
    }
}
void BM_IgclMatrixLut(benchmark::State& state) {
    static std::vector<ctl_pixtx_3dlut_sample_t> grid(ref::kPoints);
    for (auto _ : state) {
        ColorTransformSrgbGrid(kSaturationMatrix, ref::kAxis,
                               [&](std::size_t e, const RgbDouble& out) {
                                   grid[e] = {out.red, out.green, out.blue};
                               });
        benchmark::DoNotOptimize(grid.data());
        benchmark::ClobberMemory();
    }
}
void BM_IgclMatrixLutReference(benchmark::State& state) {
    static std::vector<ref::Rgb> grid(ref::kPoints);
    for (auto _ : state) {
        ref::Set3DLutGrid(kSaturationMatrix, ref::kAxis, grid.data());
        benchmark::DoNotOptimize(grid.data());
        benchmark::ClobberMemory();
    }
}
// The encode powers of the Control Library table: one per row whose linear value is on the
// curved part (above 0.0031308, and not so far above 1 that the result is 1 whatever the
// power). The decode has 17 results in all. The CUI table's 10-bit codes need none of these.
void BM_MatrixLutFloor(benchmark::State& state) {
    std::vector<double> rows;
    SrgbLinearRowsGrid(kSaturationMatrix, ref::kAxis,
                       [&](std::size_t, double red, double green, double blue) {
                           for (double v : {red, green, blue}) {
                               if (v > 0.0031308 && v <= 1.0 + 1e-9) {
                                   rows.push_back(v);
                               }
                           }
                       });
    for (auto _ : state) {
        double sum = 0.0;
        for (double v : rows) {
            sum += std::pow(v, 0.417);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["powers"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_Build3DLut);
BENCHMARK(BM_Build3DLutReference);
BENCHMARK(BM_IgclMatrixLut);
BENCHMARK(BM_IgclMatrixLutReference);
BENCHMARK(BM_MatrixLutFloor);

// ---- Partial-saturation table (IGCL SetDisplayTcc) ------------------------------------------

std::vector<ctl_pixtx_3dlut_sample_t> IdentityGrid() {
    std::vector<ctl_pixtx_3dlut_sample_t> grid(ref::kPoints);
    for (std::size_t e = 0; e < ref::kPoints; ++e) {
        grid[e] = {(e / 289) / 16.0, (e / 17 % 17) / 16.0, (e % 17) / 16.0};
    }
    return grid;
}

void BM_PartialSaturation(benchmark::State& state) {
    const std::vector<ctl_pixtx_3dlut_sample_t> grid = IdentityGrid();
    std::vector<ctl_pixtx_3dlut_sample_t> work(ref::kPoints);
    for (auto _ : state) {
        // SetDisplayTcc starts every table from a copy of the object's grid.
        std::memcpy(work.data(), grid.data(), work.size() * sizeof work[0]);
        benchmark::DoNotOptimize(igcl::GeneratePartialSaturationLut(work.data(), 17, kVividGains));
        benchmark::ClobberMemory();
    }
}
void BM_PartialSaturationReference(benchmark::State& state) {
    std::vector<ref::Rgb> table(ref::kPoints);
    for (auto _ : state) {
        ref::PartialSaturationLut(ref::kAxis, kVividGains, table.data());
        benchmark::DoNotOptimize(table.data());
        benchmark::ClobberMemory();
    }
}
// Three cube roots and an arctangent a point; the linearisation has 17 results in all.
void BM_PartialSaturationFloor(benchmark::State& state) {
    std::vector<double> args;
    for (std::size_t e = 0; e < ref::kPoints; ++e) {
        args.push_back(0.2 + (e % 97) / 100.0);
    }
    for (auto _ : state) {
        double sum = 0.0;
        for (double q : args) {
            sum += std::cbrt(q) + std::cbrt(q + 0.1) + std::cbrt(q + 0.2) + std::atan2(q, 0.3);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_PartialSaturation);
BENCHMARK(BM_PartialSaturationReference);
BENCHMARK(BM_PartialSaturationFloor);

} // namespace

int main(int argc, char** argv) {
    // The first table of a process also works out the grid's hues, once: timed here, since
    // no benchmark loop can see it again.
    {
        std::vector<ctl_pixtx_3dlut_sample_t> work = IdentityGrid();
        const std::clock_t start = std::clock(); // processor time, as the benchmarks report
        igcl::GeneratePartialSaturationLut(work.data(), 17, kVividGains);
        const double took = 1e6 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        benchmark::AddCustomContext("partial_saturation_first_table_us", std::to_string(took));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
