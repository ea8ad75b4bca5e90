// varnet lut: LUTs from colour tools into the library's .cube form (import), and library .cube
// files back out as standard ones (export).
#include "commands.h"

#include <cstdio>
#include <string>

#include "report_stream.h"

#ifdef VARNET_HAVE_LUT

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "library_cube_text.h"
#include "lut_import.h"
#include "platform/platform.h"
#include "standard_cube_export.h"

namespace varnet::tool {

namespace {

constexpr char kCubeExtension[] = ".cube";

// A mode names its file without the extension; a name given with it is taken the same.
std::string CubeFileName(std::string name) {
    if (name.ends_with(kCubeExtension) && name.size() > sizeof kCubeExtension - 1) {
        name.resize(name.size() - (sizeof kCubeExtension - 1));
    }
    return name + kCubeExtension;
}

bool ValidName(const std::string& name) {
    return !name.empty() && name.find_first_of("/\\:") == std::string::npos;
}

// The folder the library reads its configuration and .cube files from, through the platform
// (on the host: inside the sandbox).
std::string LibraryFolder() {
    std::string folder;
    if (!platform::GetProgramDataFolder(folder)) {
        folder = "C:\\ProgramData";
    }
    return folder + "\\ColorMode";
}

std::string Target(const LutOptions& lut) {
    const std::string file = CubeFileName(lut.name);
    return lut.folder.empty() ? LibraryFolder() + "\\" + file
                              : (std::filesystem::path(lut.folder) / file).string();
}

bool WriteTarget(const LutOptions& lut, const std::string& path, const std::string& text) {
    if (!lut.folder.empty()) {
        std::ofstream out(path, std::ios::binary);
        out << text;
        return static_cast<bool>(out.flush());
    }
    std::string folder;
    if (platform::GetProgramDataFolder(folder)) {
        platform::CreateDirectory(folder.c_str());
    }
    platform::CreateDirectory(LibraryFolder().c_str());
    std::FILE* out = platform::OpenFile(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
}

bool ReadSource(const LutOptions& lut, const std::string& path, std::string& text) {
    if (!lut.folder.empty()) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        text = bytes.str();
        return static_cast<bool>(in);
    }
    std::FILE* in = platform::OpenFile(path.c_str(), "rb");
    if (in == nullptr) {
        return false;
    }
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        text.append(chunk, got);
    }
    const bool ok = std::ferror(in) == 0;
    std::fclose(in);
    return ok;
}

int Fail(const std::string& what, const std::string& why) {
    std::fprintf(stderr, "varnet: %s: %s\n", what.c_str(), why.c_str());
    return 1;
}

} // namespace

int RunLutImport(const LutOptions& lut) {
    if (!ValidName(lut.name)) {
        return Fail(lut.name, "a name without folders is needed (the mode's field 38)");
    }
    auto imported = std::make_unique<lut::ImportResult>();
    std::string error;
    if (!lut::ImportLut(lut.file, *imported, error)) {
        return Fail(lut.file, error);
    }
    const std::string target = Target(lut);
    if (!WriteTarget(lut, target, lut::LibraryCubeText(imported->table))) {
        return Fail(target, "cannot write the file");
    }
    const lut::ImportResult& r = *imported;
    std::FILE* out = Report();
    std::fprintf(out, "Read %s: %s, domain %g %g %g to %g %g %g\n", lut.file.c_str(),
                 r.description.c_str(), r.domainMin[0], r.domainMin[1], r.domainMin[2],
                 r.domainMax[0], r.domainMax[1], r.domainMax[2]);
    std::fprintf(out, "Wrote %s: 17 x 17 x 17 points of 10-bit codes\n", target.c_str());
    std::fprintf(out, "Clipped to 0..1023: %zu of %zu values\n", r.clippedValues,
                 kPacked3DLutWords * 3);
    std::fprintf(out,
                 "Largest difference from the source on a %zu-point grid: %.2f codes "
                 "(%.5f) at red %.4f, green %.4f, blue %.4f\n",
                 lut::kComparisonGridPoints, r.largestDifference, r.largestDifference / 1023.0,
                 r.largestDifferenceAt[0], r.largestDifferenceAt[1], r.largestDifferenceAt[2]);
    return 0;
}

int RunLutExport(const LutOptions& lut) {
    if (!ValidName(lut.name)) {
        return Fail(lut.name, "a name without folders is needed (the mode's field 38)");
    }
    const std::string source = Target(lut);
    std::string text;
    if (!ReadSource(lut, source, text)) {
        return Fail(source, "cannot read the file");
    }
    std::string standard;
    std::string error;
    if (!lut::ExportStandardCube(text, "varnet export of " + CubeFileName(lut.name), standard,
                                 error)) {
        return Fail(source, error);
    }
    std::ofstream out(lut.output, std::ios::binary);
    out << standard;
    if (!out.flush()) {
        return Fail(lut.output, "cannot write the file");
    }
    std::fprintf(Report(), "Wrote %s: standard .cube, 17 points per axis, values 0 to 1\n",
                 lut.output.c_str());
    return 0;
}

} // namespace varnet::tool

#else

namespace varnet::tool {

namespace {

int NotInThisBuild() {
    std::fprintf(stderr, "varnet: lut is not in this build (OpenColorIO is not there for "
                         "Windows): use the Linux tool\n");
    return 1;
}

} // namespace

int RunLutImport(const LutOptions&) {
    return NotInThisBuild();
}

int RunLutExport(const LutOptions&) {
    return NotInThisBuild();
}

} // namespace varnet::tool

#endif
