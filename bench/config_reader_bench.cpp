// How the configuration reads grow with the files: configuration folders of 10 to 10,000 panels,
// the panel asked about listed last, and the questions the exports ask (the capability queries,
// and SetColorMode's three reads). A plain std::chrono program, so that the same source runs on
// the host's profile-string reader and, built for Windows, on Windows' own reader under Wine.
// Prints one line a figure: "config <reader> <panels> <question> <microseconds a call>".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "config/color_mode_readers.h"
#include "config/color_mode_setting.h"
#include "config/support_lookup.h"
#include "platform/platform.h"
#ifndef _WIN32
#include <filesystem>

#include "platform/host/sandbox.h"
#endif

namespace {

using namespace varnet;

constexpr const char* kModeSections[] = {
    "MODE_VIVID", "MODE_STANDARD", "MODE_MOVIE",    "MODE_EBOOK",    "MODE_NATURAL",
    "MODE_PRO",   "MODE_GAME_FPS", "MODE_GAME_RTS", "MODE_GAME_AOS", "MODE_GAME_RPG"};
constexpr int kModes[] = {1, 2, 3, 4, 5, 6, 10, 11, 12, 13};
constexpr const char* kOptions[] = {"OPTION_DPST", "OPTION_COLORTONE", "QLED_DISPLAY",
                                    "AMOLED_DISPLAY"};
constexpr char kPanel[] = "VN156FHD01";
constexpr char kParameters[] =
    "N/N/N/N/N/N/N/N/N/0/20/A/A/D/N/C/NOLUT/1/10/5/5/10/5/5/N/0/20/11400/-1000/-400/-500/11000/"
    "-500/-400/-1000/11400 ; richer colours";

std::string OtherPanel(int i) {
    char id[32];
    std::snprintf(id, sizeof id, "P%04X_%05d", i & 0xFFFF, i);
    return id;
}

bool WriteFile(const char* name, const std::string& text) {
    const std::string path = std::string("C:\\ProgramData\\ColorMode\\") + name;
    std::FILE* out = platform::OpenFile(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return true;
}

// Every section lists panels - 1 other panels (with a short value, as most panels' entries
// are), then the one asked about, then DEFAULT.
std::string IniFile(int panels, const std::string& value, const char* other,
                    const char* optionValue = nullptr) {
    std::string text;
    auto section = [&](const char* name, const std::string& entry) {
        text += std::string("[") + name + "]\r\n";
        for (int i = 0; i < panels - 1; ++i) {
            text += OtherPanel(i) + "=" + other + "\r\n";
        }
        text += std::string(kPanel) + "=" + entry + "\r\nDEFAULT=" + entry + "\r\n";
    };
    for (const char* name : kModeSections) {
        section(name, value);
    }
    if (optionValue != nullptr) {
        for (const char* name : kOptions) {
            section(name, optionValue);
        }
    }
    return text;
}

std::string ToneCurve() {
    std::string text = "{";
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < 256; ++i) {
            text += std::to_string(i) + (i < 255 ? "," : "},{");
        }
    }
    text.resize(text.size() - 2);
    return text;
}

bool WriteConfig(int panels) {
    platform::CreateDirectory("C:\\ProgramData");
    platform::CreateDirectory("C:\\ProgramData\\ColorMode");
    return WriteFile("IntelColorMode.ini", IniFile(panels, kParameters, "NOTSUPPORT", "SUPPORT")) &&
           WriteFile("IntelColorToneCurve.ini", IniFile(panels, ToneCurve(), "{0,128,255}")) &&
           WriteFile("Zelmo.ini", IniFile(panels, "1A,0x20/1B,20/10", "1A,0x20"));
}

template <typename Call> double MicrosecondsPerCall(Call call) {
    using Clock = std::chrono::steady_clock;
    call(); // the first read of a file may fill a cache: measured apart from the rest
    long calls = 0;
    const auto start = Clock::now();
    auto now = start;
    while (calls < 3 || now - start < std::chrono::milliseconds(300)) {
        call();
        ++calls;
        now = Clock::now();
    }
    return std::chrono::duration<double, std::micro>(now - start).count() / calls;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    const char* reader = "windows";
#else
    const char* reader = "host";
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / "varnet-config-reader-bench";
    std::filesystem::remove_all(root);
    platform::host::SetRoot(root.string());
#endif
    int largest = argc > 1 ? std::atoi(argv[1]) : 10000;
    for (int panels = 10; panels <= largest; panels *= 10) {
        if (!WriteConfig(panels)) {
            std::fprintf(stderr, "cannot write the configuration files\n");
            return 1;
        }
        // Configuration files are old when they are read: a reader may treat a file written
        // this very moment as one that can still change unseen, and read it again.
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        const double capability = MicrosecondsPerCall([] {
            for (int mode : kModes) {
                CheckColorModeSupport(kPanel, mode);
            }
            for (const char* option : kOptions) {
                CheckOptionSupport(kPanel, option);
            }
        });
        const double reads = MicrosecondsPerCall([] {
            auto setting = std::make_unique<ColorModeSetting>();
            InitColorModeSetting(*setting);
            ReadColorModeSetting(*setting, kPanel, 1, false);
            ReadZelmoTable(*setting, kPanel, 1);
            ReadToneCurve(*setting, kPanel, 1, false);
        });
        // A reader that gave up on a large file would answer fast and wrong: say so.
        bool right = CheckOptionSupport(kPanel, "OPTION_DPST");
        for (int mode : kModes) {
            right = right && CheckColorModeSupport(kPanel, mode);
        }
        if (!right) {
            std::printf("config %s %d wrong_answers 1\n", reader, panels);
        }
        const int queries = static_cast<int>(std::size(kModes) + std::size(kOptions));
        std::printf("config %s %d query %.2f\n", reader, panels, capability / queries);
        std::printf("config %s %d setcolormode_reads %.2f\n", reader, panels, reads);
        std::fflush(stdout);
    }
#ifndef _WIN32
    std::filesystem::remove_all(root);
#endif
    return 0;
}
