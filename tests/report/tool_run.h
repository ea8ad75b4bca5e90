// Runs the varnet tool as an engineer does, in a sandbox of its own per test.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace varnet::test {

struct ToolRun {
    int status = -1;
    std::string out; // standard output
    std::string err; // standard error
};

class ToolSandbox {
public:
    ToolSandbox();
    ~ToolSandbox();
    ToolSandbox(const ToolSandbox&) = delete;
    ToolSandbox& operator=(const ToolSandbox&) = delete;

    ToolRun Tool(const std::string& arguments) const;
    // The JSON the tool printed; a failed test when it printed none.
    static nlohmann::json Json(const ToolRun& run);
    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path Write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path m_dir;
};

std::string Source(const std::string& relative);
std::string ReadFile(const std::filesystem::path& path);
// A real panel's EDID (hex) with its chromaticity bytes set to the given points.
std::string EdidHexWithPrimaries(const double xy[8]);
std::size_t CountOf(const std::string& text, const std::string& what);

} // namespace varnet::test
