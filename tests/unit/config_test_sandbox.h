// A fresh sandbox root per test, for the host tests of the configuration store and the sandbox.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/host/sandbox.h"

namespace varnet::test {

class ConfigSandboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::path(::testing::TempDir()) /
                (std::string("varnet-config-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(root_);
        previousRoot_ = platform::host::Root();
        platform::host::SetRoot(root_.string());
        platform::host::ResetState();
    }
    void TearDown() override {
        platform::host::ResetState();
        platform::host::SetRoot(previousRoot_);
        std::filesystem::remove_all(root_);
    }

    // Writes a file at a Windows path; the configuration folder is where the store looks first.
    static void WriteFile(const std::string& windowsPath, const std::string& text) {
        const std::filesystem::path path = platform::host::HostPath(windowsPath.c_str());
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static void WriteConfig(const std::string& fileName, const std::string& text) {
        WriteFile("C:\\ProgramData\\ColorMode\\" + fileName, text);
    }

    std::filesystem::path root_;
    std::string previousRoot_;
};

} // namespace varnet::test
