// SetColorMode end to end on the simulated laptop, on each back-end, for four kinds of mode, and
// its parts timed alone: opening the session (both back-ends' InitLib, the panel ID), the three
// configuration reads, and the LUT the mode builds. What is left of the whole is the back-end's
// driver calls and the simulator answering them. Every export also reports its heap use per
// call: a counting operator new stands in for an allocator profiler.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "api/backend_session.h"
#include "backend/color_transform_srgb.h"
#include "backend/packed_3d_lut.h"
#include "config/color_mode_readers.h"
#include "config/color_mode_setting.h"
#include "igcl/partial_saturation_lut.h"
#include "machine/simulated_machine.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"
#include "varnet/varnet.h"

// ---- Heap counting --------------------------------------------------------------------------

namespace {
std::atomic<long> gAllocations{0};
std::atomic<long> gLiveBytes{0};
std::atomic<long> gPeakBytes{0};

void* Allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    const long live = gLiveBytes.fetch_add(static_cast<long>(malloc_usable_size(p))) +
                      static_cast<long>(malloc_usable_size(p));
    long peak = gPeakBytes.load();
    while (live > peak && !gPeakBytes.compare_exchange_weak(peak, live)) {
    }
    return p;
}

void Release(void* p) {
    if (p != nullptr) {
        gLiveBytes.fetch_sub(static_cast<long>(malloc_usable_size(p)));
        std::free(p);
    }
}
} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

using namespace varnet;

struct Mode {
    const char* name;
    int32_t number;
};
// On the example panel: vivid has display TCC weights, pro a 3D-LUT matrix, RPG a .cube file,
// movie none of them.
constexpr Mode kModes[] = {{"tcc", 1}, {"matrix", 6}, {"cube", 13}, {"plain", 3}};
constexpr const char* kBackends[] = {"igcl", "cui"};

std::filesystem::path Root() {
    return std::filesystem::temp_directory_path() / "varnet-set-color-mode-bench";
}

// Installs the laptop afresh for a back-end: with "cui" its Control Library refuses to start.
void UseBackend(const std::string& backend) {
    static std::string current;
    if (current == backend) {
        return;
    }
    current = backend;
    sim::UninstallSimulatedMachine();
    std::string scenario;
    if (backend == "cui") {
        scenario = (Root() / "cui-scenario.json").string();
        std::ofstream(scenario) << R"({"faults": [{"call": "ctlInit", "result": "0x40000026"}]})";
    }
    std::string error;
    if (!sim::InstallSimulatedMachine({scenario, (Root() / (backend + "-state.json")).string(), ""},
                                      &error)) {
        std::fprintf(stderr, "cannot install the simulated laptop: %s\n", error.c_str());
        std::exit(1);
    }
}

void Setup(const char* sourceDir) {
    std::filesystem::remove_all(Root());
    std::filesystem::create_directories(Root());
    platform::host::SetRoot((Root() / "sandbox").string());
    platform::CreateDirectory("C:\\ProgramData\\ColorMode");
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(sourceDir) /
                                                                 "examples/config")) {
        std::filesystem::copy_file(
            entry.path(),
            platform::host::HostPath(
                ("C:\\ProgramData\\ColorMode\\" + entry.path().filename().string()).c_str()));
    }
    platform::ComInitializeThread();
}

struct HeapUse {
    long allocations;
    long peakBytes;
};

template <typename Call> HeapUse MeasureHeap(Call call) {
    call(); // caches that fill once per process are not per call
    const long before = gAllocations.load();
    gPeakBytes.store(gLiveBytes.load());
    const long base = gLiveBytes.load();
    call();
    return {gAllocations.load() - before, gPeakBytes.load() - base};
}

void Report(benchmark::State& state, const HeapUse& heap) {
    state.counters["allocs"] = static_cast<double>(heap.allocations);
    state.counters["peak_kb"] = static_cast<double>(heap.peakBytes) / 1024.0;
}

void BM_SetColorMode(benchmark::State& state, const std::string& backend, int32_t mode) {
    UseBackend(backend);
    Report(state, MeasureHeap([&] { SetColorMode(mode, 2, false, 5); }));
    for (auto _ : state) {
        SetColorMode(mode, 2, false, 5);
    }
}

void BM_SessionOpen(benchmark::State& state, const std::string& backend) {
    UseBackend(backend);
    auto open = [] {
        BackendSession session;
        session.FillPanelIdCache();
        benchmark::DoNotOptimize(session.UsesIgcl());
    };
    Report(state, MeasureHeap(open));
    for (auto _ : state) {
        open();
    }
}

void BM_ConfigReads(benchmark::State& state, int32_t mode) {
    auto read = [mode] {
        auto setting = std::make_unique<ColorModeSetting>();
        InitColorModeSetting(*setting);
        ReadColorModeSetting(*setting, "VN156FHD01", mode, false);
        ReadZelmoTable(*setting, "VN156FHD01", mode);
        ReadToneCurve(*setting, "VN156FHD01", mode, false);
        benchmark::DoNotOptimize(setting->toneCurve);
    };
    Report(state, MeasureHeap(read));
    for (auto _ : state) {
        read();
    }
}

// The table the mode's LUT step builds on each back-end (the IGCL back-end has no .cube
// reader: its cube mode falls back to the mode's matrix, here the identity).
void BM_LutBuild(benchmark::State& state, const std::string& backend, const std::string& kind) {
    static const float kPro[9] = {0.84f, 0.16f, 0.0f, 0.03f, 0.97f, 0.0f, 0.0f, 0.05f, 0.95f};
    static const float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    static std::vector<ctl_pixtx_3dlut_sample_t> grid(igcl::kMaxLutEntries);
    static Packed3DLut table;
    const double gains[6] = {1.2, 1.2, 1.1, 1.1, 1.1, 1.1};
    CIntelGraphic cui;
    for (auto _ : state) {
        if (backend == "igcl" && kind == "tcc") {
            for (std::size_t e = 0; e < grid.size(); ++e) {
                grid[e] = {(e / 289) / 16.0, (e / 17 % 17) / 16.0, (e % 17) / 16.0};
            }
            igcl::GeneratePartialSaturationLut(grid.data(), 17, gains);
        } else if (backend == "igcl" && (kind == "matrix" || kind == "cube")) {
            ColorTransformSrgbGrid(kind == "matrix" ? kPro : kIdentity, 17,
                                   [](std::size_t e, const RgbDouble& out) {
                                       grid[e] = {out.red, out.green, out.blue};
                                   });
        } else if (backend == "cui" && kind == "matrix") {
            Build3DLutFromMatrix(kPro, table);
        } else if (backend == "cui" && kind == "cube") {
            cui.LoadCubeFile("VN156FHD01_warm", &table); // needs no connection
        }
        benchmark::ClobberMemory();
    }
}

void BM_CapabilityExports(benchmark::State& state) {
    UseBackend("igcl");
    auto ask = [] {
        char id[255];
        benchmark::DoNotOptimize(GetEDID(id));
        benchmark::DoNotOptimize(IsColorModeSupport(1));
        benchmark::DoNotOptimize(IsDPSTSupport());
        benchmark::DoNotOptimize(IsICCProfileSupport(6, false));
    };
    Report(state, MeasureHeap(ask));
    for (auto _ : state) {
        ask();
    }
}

} // namespace

int main(int argc, char** argv) {
    const char* source = std::getenv("VARNET_SOURCE_DIR");
    Setup(source != nullptr ? source : ".");
    for (const char* backend : kBackends) {
        benchmark::RegisterBenchmark((std::string("BM_SessionOpen/") + backend).c_str(),
                                     BM_SessionOpen, std::string(backend));
        for (const Mode& mode : kModes) {
            const std::string suffix = std::string(backend) + "/" + mode.name;
            benchmark::RegisterBenchmark(("BM_SetColorMode/" + suffix).c_str(), BM_SetColorMode,
                                         std::string(backend), mode.number);
            benchmark::RegisterBenchmark(("BM_LutBuild/" + suffix).c_str(), BM_LutBuild,
                                         std::string(backend), std::string(mode.name));
        }
    }
    for (const Mode& mode : kModes) {
        benchmark::RegisterBenchmark((std::string("BM_ConfigReads/") + mode.name).c_str(),
                                     BM_ConfigReads, mode.number);
    }
    benchmark::RegisterBenchmark("BM_CapabilityExports", BM_CapabilityExports);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sim::UninstallSimulatedMachine();
    std::filesystem::remove_all(Root());
    return 0;
}
