// A scripted stand-in for the Control Library run time, registered in the host sandbox as
// "ControlLib.dll": adapter 0 has the built-in panel and a pipeline of 1D LUT (id 7), 3D LUT
// (id 9, 17 points) and matrix (id 12). Every entry journals the record it was sent (with the
// samples or custom bytes it points to), answers with the scripted result and, on success,
// copies the scripted answer record over the caller's.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "igcl/igcl_api.h"

namespace varnet::test {

struct FakeCall {
    std::string name;
    const void* handle;
    std::vector<uint8_t> record;
    std::vector<uint8_t> payload; // a pipeline block (and samples set), or video custom bytes
};

struct FakeControlLib {
    uint32_t adapterCount = 1;
    std::vector<ctl_pixtx_block_config_t> blocks;
    std::map<std::string, ctl_result_t> results; // absent: success
    std::set<std::string> missing;
    std::map<std::string, std::vector<uint8_t>> answers;
    std::vector<double> oneDSamples;  // written by a current 1D LUT read...
    uint32_t oneDAnswerSamples = 256; // ...which then reports this many per channel
    std::vector<uint8_t> videoCustom; // written into a video get's custom buffer
    std::vector<FakeCall> calls;

    template <class R> void Answer(const char* name, const R& record) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
        answers[name].assign(bytes, bytes + sizeof record);
    }
    // The calls of one entry, oldest first.
    std::vector<const FakeCall*> Calls(const char* name) const;
    // The record of the nth call of an entry (from the end when nth < 0).
    template <class R> R Sent(const char* name, int nth = -1) const {
        const auto list = Calls(name);
        const std::size_t at = nth < 0 ? list.size() + nth : static_cast<std::size_t>(nth);
        R record{};
        EXPECT_LT(at, list.size()) << name;
        if (at < list.size()) {
            std::memcpy(&record, list[at]->record.data(), sizeof record);
        }
        return record;
    }
    // The payload of the last call of an entry from byte skip on, as elements of T.
    template <class T> std::vector<T> Payload(const char* name, std::size_t skip = 0) const {
        const auto list = Calls(name);
        const std::vector<uint8_t> none;
        const auto& bytes = list.empty() ? none : list.back()->payload;
        std::vector<T> out((bytes.size() - std::min(skip, bytes.size())) / sizeof(T));
        if (!out.empty()) {
            std::memcpy(out.data(), bytes.data() + skip, out.size() * sizeof(T));
        }
        return out;
    }
};

FakeControlLib& Fake();
ctl_pixtx_block_config_t FakeBlock(uint32_t id, uint32_t type, uint32_t samples);

// Fresh fake, sandbox root, binding and captures; SetUp may be called again inside a test to
// start a table case afresh.
class FakeControlLibTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static uint32_t Setting(const char* name); // 0xFFFFFFFF when absent

    std::filesystem::path root_;
};

} // namespace varnet::test
