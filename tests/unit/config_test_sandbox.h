// A fresh sandbox per test for the configuration store's host tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "config/config_paths.h"
#include "platform/host/sandbox.h"
#include "platform/platform.h"

namespace varnet::test {

class ConfigSandboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("varnet-config-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(root_);
        platform::host::SetRoot(root_.string());
        platform::host::ResetState();
    }
    void TearDown() override {
        platform::host::ResetState();
        std::filesystem::remove_all(root_);
    }

    // Writes (or with remove, deletes) a file at a Windows path.
    static void WriteFile(const std::string& windowsPath, const std::string& text,
                          bool remove = false) {
        const std::filesystem::path path = platform::host::HostPath(windowsPath.c_str());
        std::filesystem::create_directories(path.parent_path());
        if (remove) {
            std::filesystem::remove(path);
        } else {
            std::ofstream(path, std::ios::binary) << text;
        }
    }
    // A file of the ProgramData configuration folder, where the store looks first.
    static void WriteConfig(const std::string& fileName, const std::string& text,
                            bool remove = false) {
        WriteFile("C:\\ProgramData\\ColorMode\\" + fileName, text, remove);
    }
    // The registry value that names the settings program.
    static void SetProgramPath(uint32_t type, const std::string& data) {
        platform::RegKey key = nullptr;
        ASSERT_EQ(platform::RegCreateKeyEx(platform::RegRoot::LocalMachine, kCurrentPathKey,
                                           platform::kKeyAllAccess, &key),
                  platform::kErrorSuccess);
        platform::RegSetValueEx(key, kCurrentPathValue, type,
                                reinterpret_cast<const uint8_t*>(data.c_str()),
                                static_cast<uint32_t>(data.size() + 1));
        platform::RegCloseKey(key);
    }

    std::filesystem::path root_;
};

} // namespace varnet::test
