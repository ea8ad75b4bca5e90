#include "tool_run.h"

#include "../support/run_process_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace varnet::test {

namespace fs = std::filesystem;

ToolSandbox::ToolSandbox() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::temp_directory_path() /
            (std::string("varnet-report-test-") + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir / "sandbox");
}

ToolSandbox::~ToolSandbox() {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
}

ToolRun ToolSandbox::Tool(const std::string& arguments) const {
    const fs::path err = m_dir / "stderr.txt";
    const std::string command = std::string(VARNET_TOOL) + " --root " +
                                (m_dir / "sandbox").string() + " " + arguments + " 2>" +
                                err.string();
    ToolRun run;
    run.status = RunProcess(command, &run.out);
    run.err = ReadFile(err);
    return run;
}

nlohmann::json ToolSandbox::Json(const ToolRun& run) {
    nlohmann::json document = nlohmann::json::parse(run.out, nullptr, false);
    EXPECT_FALSE(document.is_discarded()) << run.out << run.err;
    return document;
}

fs::path ToolSandbox::Write(const std::string& name, const std::string& content) const {
    const fs::path path = m_dir / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string Source(const std::string& relative) {
    return std::string(VARNET_SOURCE_DIR) + "/" + relative;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string EdidHexWithPrimaries(const double xy[8]) {
    std::string hex = ReadFile(Source("tests/data/edids/PANDA-NCP0000-2B474B276330.hex"));
    std::vector<unsigned> e;
    std::istringstream in(hex);
    std::string byte;
    while (in >> byte) {
        e.push_back(std::stoul(byte, nullptr, 16));
    }
    unsigned v[8];
    for (int i = 0; i < 8; ++i) {
        v[i] = static_cast<unsigned>(std::lround(xy[i] * 1024)) & 0x3FF;
        e[27 + i] = v[i] >> 2;
    }
    e[25] = (v[0] & 3) << 6 | (v[1] & 3) << 4 | (v[2] & 3) << 2 | (v[3] & 3);
    e[26] = (v[4] & 3) << 6 | (v[5] & 3) << 4 | (v[6] & 3) << 2 | (v[7] & 3);
    unsigned sum = 0;
    for (int i = 0; i < 127; ++i) {
        sum += e[i];
    }
    e[127] = (256 - sum % 256) % 256;
    std::string out;
    char text[4];
    for (std::size_t i = 0; i < 128; ++i) {
        std::snprintf(text, sizeof text, "%02x%c", e[i], i % 16 == 15 ? '\n' : ' ');
        out += text;
    }
    return out;
}

std::size_t CountOf(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size())) {
        ++n;
    }
    return n;
}

} // namespace varnet::test
