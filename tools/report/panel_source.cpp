#include "panel_source.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver_pipeline.h"
#include "edid_chromaticity.h"

namespace varnet::report {

namespace {

// Far more than any EDID with all its extensions; a bigger file is not one.
constexpr std::uintmax_t kLargestEdidFile = 64 * 1024;

} // namespace

bool ReadPanelColour(const std::string& edidFile, const std::string& scenarioPath,
                     colour::Chromaticity* panel, std::string* source, std::string* error) {
    std::vector<uint8_t> edid;
    std::string reason;
    if (edidFile.empty()) {
        try {
            const DriverPicture picture = ReadDriverPicture("", scenarioPath);
            edid = picture.edid;
            *source = "the EDID of the simulated panel " + picture.display;
        } catch (const std::exception& e) {
            *error = e.what();
            return false;
        }
    } else {
        std::error_code ec;
        const auto size = std::filesystem::file_size(edidFile, ec);
        if (ec) {
            *error = edidFile + ": cannot read the EDID file: " + ec.message();
            return false;
        }
        if (size > kLargestEdidFile) {
            *error = edidFile + ": not an EDID (" + std::to_string(size) + " bytes)";
            return false;
        }
        std::ifstream in(edidFile, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            *error = edidFile + ": cannot read the EDID file";
            return false;
        }
        const auto bytes = colour::DecodeEdidFile(text.str(), &reason);
        if (!bytes) {
            *error = edidFile + ": " + reason;
            return false;
        }
        edid = *bytes;
        *source = edidFile;
    }
    const auto chromaticity = colour::ReadEdidChromaticity(edid, &reason);
    if (!chromaticity) {
        *error = (edidFile.empty() ? std::string("the simulated panel") : edidFile) + ": " + reason;
        return false;
    }
    *panel = *chromaticity;
    return true;
}

const std::vector<ModeName>& ModeNames() {
    static const std::vector<ModeName> names = {
        {1, "vivid"}, {2, "standard"},  {3, "movie"},     {4, "e-book"},    {5, "natural"},
        {6, "pro"},   {10, "game FPS"}, {11, "game RTS"}, {12, "game AOS"}, {13, "game RPG"}};
    return names;
}

std::string ModeLabel(int32_t mode) {
    for (const ModeName& m : ModeNames()) {
        if (m.mode == mode) {
            return m.name;
        }
    }
    return "mode " + std::to_string(mode);
}

} // namespace varnet::report
