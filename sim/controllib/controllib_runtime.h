// The run time's objects. Every ctlInit opens an instance holding the machine as the scenario
// described it at that moment; API, adapter and display handles are the addresses of these
// objects. A handle is only ever looked up, never dereferenced, until it is known to be ours.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "common/scenario.h"
#include "igcl/igcl_api.h"

namespace varnet::sim::controllib {

// Results the public API defines beyond the ones the library itself names.
inline constexpr ctl_result_t kResultInvalidAuxAccessFlag = 0x48000001;
inline constexpr ctl_result_t kResultInvalidSharpnessFilterFlag = 0x48000002;
inline constexpr ctl_result_t kResultInvalidPowerFeatureFlag = 0x48000005;
inline constexpr ctl_result_t kResultInvalidPixTxQueryType = 0x48000007;
inline constexpr ctl_result_t kResultInvalidPixTxSetOperationType = 0x48000008;
inline constexpr ctl_result_t kResultInvalidNumberOfSamples = 0x48000009;
inline constexpr ctl_result_t kResultInvalidPixTxBlockId = 0x4800000a;
inline constexpr ctl_result_t kResultInvalidPixTxBlockType = 0x4800000b;
inline constexpr ctl_result_t kResultInvalidPixTxBlockNumber = 0x4800000c;
inline constexpr ctl_result_t kResultInsufficientBlockMemory = 0x4800000d;
inline constexpr ctl_result_t kResult3dLutInvalidData = 0x4800000f;
inline constexpr ctl_result_t kResultI2cAuxUnsuccessful = 0x48000017;

struct Instance;
struct SimAdapter;

struct SimDisplay {
    const DisplaySpec* desc = nullptr;
    SimAdapter* adapter = nullptr;
    uint32_t index = 0;
};

struct SimAdapter {
    Instance* instance = nullptr;
    uint32_t index = 0;
    std::vector<std::unique_ptr<SimDisplay>> displays;
};

struct Instance {
    std::shared_ptr<const Scenario> scenario;
    std::vector<std::unique_ptr<SimAdapter>> adapters;
};

class Runtime {
public:
    static Runtime& Get();

    Instance* Open(std::shared_ptr<const Scenario> scenario);
    void Close(Instance* instance);
    std::size_t OpenCount() const { return m_instances.size(); }

    // Null when the handle is not a live object of that kind.
    Instance* FindInstance(const void* handle) const;
    SimAdapter* FindAdapter(const void* handle) const;
    SimDisplay* FindDisplay(const void* handle) const;

private:
    std::vector<std::unique_ptr<Instance>> m_instances;
    std::unordered_map<const void*, SimAdapter*> m_adapters;
    std::unordered_map<const void*, SimDisplay*> m_displays;
};

// The result for a handle that is not ours: null, or not a live object.
inline ctl_result_t BadHandle(const void* handle, ctl_result_t invalid) {
    return handle ? invalid : CTL_RESULT_ERROR_INVALID_NULL_HANDLE;
}

} // namespace varnet::sim::controllib
