// The report as a browser shows it: headless Chromium lays the page out and takes a screenshot.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdlib>
#include <set>

#include "../tool/tool_run_host.h"

namespace {

using namespace varnet_tool_test;
using ReportRender = ToolTest;

constexpr char kChromium[] = "/usr/bin/chromium";

// Chromium with no network, no first-run work and a profile of its own.
std::string Chromium(const fs::path& dir, const std::string& what, const fs::path& page) {
    fs::create_directories(dir / "profile");
    return std::string("timeout 150 ") + kChromium +
           " --headless --no-sandbox --disable-gpu --disable-dev-shm-usage --disable-quic "
           "--no-first-run"
           " --disable-background-networking --disable-component-update --disable-sync"
           " --user-data-dir=" +
           (dir / "profile").string() + " " + what + " file://" + page.string();
}

TEST_F(ReportRender, ChromiumShowsOneChartOfPatchesAndADiagramPerMode) {
    if (!fs::exists(kChromium)) {
        GTEST_SKIP() << "no " << kChromium << " (scripts/setup installs it)";
    }
    const fs::path page = m_dir / "report.html";
    const ToolRun run =
        Tool("--config " + Source("examples/config") + " report 1 2 4 -o " + page.string());
    ASSERT_EQ(run.status, 0) << run.out;

    const fs::path dom = m_dir / "dom.html";
    ASSERT_EQ(
        std::system(
            (Chromium(m_dir, "--dump-dom", page) + " > " + dom.string() + " 2>/dev/null").c_str()),
        0);
    const std::string laidOut = ReadFile(dom);
    std::size_t sections = 0;
    for (std::size_t at = laidOut.find("<section class=\"mode\""); at != std::string::npos;
         at = laidOut.find("<section class=\"mode\"", at + 1)) {
        const std::size_t end = laidOut.find("</section>", at);
        const std::string section = laidOut.substr(at, end - at);
        EXPECT_EQ(CountOf(section, "<svg class=\"chart\""), 1u);
        EXPECT_EQ(CountOf(section, "<g class=\"patch\""), 24u);
        EXPECT_EQ(CountOf(section, "<g class=\"grey\""), 11u);
        EXPECT_EQ(CountOf(section, "<svg class=\"diagram\""), 1u);
        ++sections;
    }
    EXPECT_EQ(sections, 3u);

    const fs::path png = m_dir / "report.png";
    ASSERT_EQ(
        std::system((Chromium(m_dir, "--window-size=1280,1600 --screenshot=" + png.string(), page) +
                     " > /dev/null 2>&1")
                        .c_str()),
        0);
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(png.string().c_str(), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr) << stbi_failure_reason();
    EXPECT_EQ(width, 1280);
    std::set<uint32_t> colours;
    for (int i = 0; i < width * height; ++i) {
        const unsigned char* p = pixels + 3 * i;
        colours.insert(static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]);
    }
    stbi_image_free(pixels);
    // Patches, curves and text: a blank or unstyled page has a handful.
    EXPECT_GT(colours.size(), 200u);
}

} // namespace
