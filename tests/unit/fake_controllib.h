// A scripted stand-in for the Control Library run time, registered in the host sandbox as
// "ControlLib.dll": adapter 0 has the built-in panel and a pipeline of 1D LUT (id 7), 3D LUT
// (id 9, 17 points) and matrix (id 12). Every entry keeps the record it was sent, answers with
// the scripted result, and on success copies the scripted answer record over the caller's.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "igcl/igcl_api.h"

namespace varnet::test {

struct FakeControlLib {
    uint32_t adapterCount = 1;
    std::vector<ctl_pixtx_block_config_t> blocks;
    std::map<std::string, ctl_result_t> results; // absent: success
    std::set<std::string> missing;               // entries the run time lacks
    std::map<std::string, std::vector<uint8_t>> answers;
    std::vector<double> oneDSamples;           // written by a current 1D LUT read
    uint32_t oneDAnswerSamples = 256;          // NumSamplesPerChannel after it
    std::vector<ctl_pixtx_3dlut_sample_t> lut; // written by a current 3D LUT read
    std::vector<uint8_t> videoCustom;          // written into a video get's custom buffer

    std::vector<std::pair<std::string, std::vector<uint8_t>>> sent; // name, record bytes
    struct PixSet {
        uint32_t opType;
        uint32_t flags;
        ctl_pixtx_block_config_t block;
        std::vector<double> samples;
        std::vector<ctl_pixtx_3dlut_sample_t> lut;
    };
    std::vector<PixSet> pixSets;
    std::vector<ctl_pixtx_block_config_t> pixGets; // blocks of current-state reads
    std::vector<std::vector<uint8_t>> videoCustomSent;
    std::vector<ctl_device_adapter_handle_t> videoAdapters;

    template <class R> void Answer(const char* name, const R& record) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
        answers[name].assign(bytes, bytes + sizeof record);
    }
    // The nth record (from the end when nth < 0) sent to an entry.
    template <class R> R Sent(const char* name, int nth = -1) const {
        std::vector<const std::vector<uint8_t>*> matching;
        for (const auto& [entry, bytes] : sent) {
            if (entry == name) {
                matching.push_back(&bytes);
            }
        }
        R record;
        std::memset(&record, 0, sizeof record);
        const std::size_t at = nth < 0 ? matching.size() + nth : static_cast<std::size_t>(nth);
        EXPECT_LT(at, matching.size()) << name;
        if (at < matching.size()) {
            std::memcpy(&record, matching[at]->data(), sizeof record);
        }
        return record;
    }
    std::size_t Count(const char* name) const;
};

FakeControlLib& Fake();
ctl_pixtx_block_config_t FakeBlock(uint32_t id, uint32_t type, uint32_t samples);
ctl_device_adapter_handle_t FakeAdapter(uint32_t index);

// Fresh fake, sandbox root, binding and captures for every test; SetUp may be called again
// inside a table-driven test to start a case afresh.
class FakeControlLibTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A settings value, or 0xFFFFFFFF when absent.
    static uint32_t Setting(const char* name);

    std::filesystem::path root_;
};

} // namespace varnet::test
