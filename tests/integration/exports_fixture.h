// A test of the exports against the simulated laptop: a fresh machine, the library loaded afresh,
// captures of the debugger and standard output channels.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/capture.h"
#include "support/test_machine.h"
#include "support/varnet_library.h"

namespace varnet::test {

class ExportsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(machine.Installed()) << machine.InstallError();
        std::string error;
        ASSERT_TRUE(LoadVarnet(&lib, &error)) << error;
        StartCapture();
        ClearCaptures();
    }
    void TearDown() override { UnloadVarnet(); }

    // Changes the default laptop and hands it to the simulators.
    template <class Change> void Scenario(Change change) {
        nlohmann::json scenario = TestMachine::DefaultScenario();
        change(scenario);
        machine.SetScenario(scenario);
    }

    std::size_t CallsOf(const std::string& sim) const {
        std::size_t n = 0;
        for (const auto& entry : machine.Journal()) {
            n += entry.value("sim", "") == sim;
        }
        return n;
    }

    std::string Edid() {
        char buffer[255];
        std::fill(std::begin(buffer), std::end(buffer), '\x7f');
        const int32_t length = lib.GetEDID(buffer);
        EXPECT_EQ(static_cast<std::size_t>(length), std::string(buffer).size());
        return buffer;
    }

    TestMachine machine;
    VarnetExports lib;
};

// The run time refuses to start, so sessions fall back to the CUI SDK object.
inline void RefuseControlLib(nlohmann::json& scenario) {
    scenario["faults"].push_back({{"call", "ctlInit"}, {"result", "0x40000026"}});
}

inline std::string SourceText(const std::string& relative) {
    std::ifstream in(TestMachine::SourcePath(relative), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The AMOLED photo file holding text, beside the program registered the way the installer does.
inline void InstallAmoledFile(const char* text) {
    platform::CreateDirectory("C:\\Program Files");
    platform::CreateDirectory("C:\\Program Files\\Tintwell");
    std::fclose(platform::OpenFile("C:\\Program Files\\Tintwell\\Tintwell.exe", "w"));
    std::FILE* file = platform::OpenFile("C:\\Program Files\\Tintwell\\IntelAmoledMode.ini", "w");
    ASSERT_NE(file, nullptr);
    std::fputs(text, file);
    std::fclose(file);
    platform::RegKey key = nullptr;
    ASSERT_EQ(platform::RegCreateKeyEx(platform::RegRoot::LocalMachine,
                                       "SOFTWARE\\Norvane\\CurrentPath", platform::kKeyAllAccess,
                                       &key),
              platform::kErrorSuccess);
    const char value[] = "\"C:\\Program Files\\Tintwell\\Tintwell.exe\"";
    platform::RegSetValueEx(key, "90000", platform::kRegSz, reinterpret_cast<const uint8_t*>(value),
                            sizeof value);
    platform::RegCloseKey(key);
}

} // namespace varnet::test
