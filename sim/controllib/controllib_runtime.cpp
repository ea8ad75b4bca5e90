#include "controllib/controllib_runtime.h"

#include <algorithm>

namespace varnet::sim::controllib {

Runtime& Runtime::Get() {
    static Runtime runtime;
    return runtime;
}

Instance* Runtime::Open(std::shared_ptr<const Scenario> scenario) {
    auto instance = std::make_unique<Instance>();
    instance->scenario = std::move(scenario);
    for (const AdapterSpec& adapterSpec : instance->scenario->adapters) {
        auto adapter = std::make_unique<SimAdapter>();
        adapter->instance = instance.get();
        adapter->index = static_cast<uint32_t>(instance->adapters.size());
        for (const DisplaySpec& displaySpec : adapterSpec.displays) {
            auto display = std::make_unique<SimDisplay>();
            display->desc = &displaySpec;
            display->adapter = adapter.get();
            display->index = static_cast<uint32_t>(adapter->displays.size());
            m_displays[display.get()] = display.get();
            adapter->displays.push_back(std::move(display));
        }
        m_adapters[adapter.get()] = adapter.get();
        instance->adapters.push_back(std::move(adapter));
    }
    m_instances.push_back(std::move(instance));
    return m_instances.back().get();
}

void Runtime::Close(Instance* instance) {
    auto it = std::find_if(m_instances.begin(), m_instances.end(),
                           [&](const auto& owned) { return owned.get() == instance; });
    if (it == m_instances.end())
        return;
    for (const auto& adapter : instance->adapters) {
        for (const auto& display : adapter->displays)
            m_displays.erase(display.get());
        m_adapters.erase(adapter.get());
    }
    m_instances.erase(it);
}

Instance* Runtime::FindInstance(const void* handle) const {
    for (const auto& instance : m_instances)
        if (instance.get() == handle)
            return instance.get();
    return nullptr;
}

SimAdapter* Runtime::FindAdapter(const void* handle) const {
    auto it = m_adapters.find(handle);
    return it == m_adapters.end() ? nullptr : it->second;
}

SimDisplay* Runtime::FindDisplay(const void* handle) const {
    auto it = m_displays.find(handle);
    return it == m_displays.end() ? nullptr : it->second;
}

} // namespace varnet::sim::controllib
