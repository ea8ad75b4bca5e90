// The tool run as a process, as an engineer runs it, in a sandbox of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/run_process_host.h"

namespace varnet_tool_test {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out; // standard output, with standard error unless asked otherwise
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("varnet-tool-test-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "sandbox");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Standard error goes with standard output unless the arguments redirect it themselves.
    ToolRun Tool(const std::string& arguments, bool withStderr = true) const {
        const std::string command = std::string(VARNET_TOOL) + " --root " +
                                    (m_dir / "sandbox").string() + " " + arguments +
                                    (withStderr ? " 2>&1" : "");
        ToolRun run;
        run.status = varnet::test::RunProcess(command, &run.out);
        return run;
    }

    fs::path Folder(const std::string& name) const {
        fs::create_directories(m_dir / name);
        return m_dir / name;
    }

    fs::path m_dir;
};

inline std::string Source(const std::string& relative) {
    return std::string(VARNET_SOURCE_DIR) + "/" + relative;
}

inline std::vector<std::string> Lines(const std::string& text, const std::string& containing) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end;
        const std::string line = text.substr(at, end - at);
        if (line.find(containing) != std::string::npos) {
            lines.push_back(line);
        }
        at = end + 1;
    }
    return lines;
}

} // namespace varnet_tool_test
