// The tool run as a process, as an engineer runs it, in a sandbox of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "../support/run_process_host.h"

namespace varnet_tool_test {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out; // standard output, with standard error unless kept apart
    std::string err; // standard error, when kept apart
};

inline std::string Source(const std::string& relative) {
    return std::string(VARNET_SOURCE_DIR) + "/" + relative;
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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

    // Standard error goes with standard output, or apart into err.
    ToolRun Tool(const std::string& arguments, bool apart = false) const {
        const fs::path err = m_dir / "stderr.txt";
        const std::string command = std::string(VARNET_TOOL) + " --root " +
                                    (m_dir / "sandbox").string() + " " + arguments +
                                    (apart ? " 2>" + err.string() : " 2>&1");
        ToolRun run;
        run.status = varnet::test::RunProcess(command, &run.out);
        run.err = apart ? ReadFile(err) : "";
        return run;
    }

    fs::path Folder(const std::string& name) const {
        fs::create_directories(m_dir / name);
        return m_dir / name;
    }
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(m_dir / name, std::ios::binary) << content;
        return (m_dir / name).string();
    }

    fs::path m_dir;
};

// The JSON the tool printed; a failed test when it printed none.
inline nlohmann::json Json(const ToolRun& run) {
    nlohmann::json document = nlohmann::json::parse(run.out, nullptr, false);
    EXPECT_FALSE(document.is_discarded()) << run.out << run.err;
    return document;
}

inline std::vector<std::string> Lines(const std::string& text, const std::string& containing) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.find(containing) != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

inline std::size_t CountOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size())) {
        ++n;
    }
    return n;
}

} // namespace varnet_tool_test
