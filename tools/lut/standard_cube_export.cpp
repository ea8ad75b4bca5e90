#include "standard_cube_export.h"

#include <OpenColorIO/OpenColorIO.h>
#include <memory>
#include <sstream>

#include "backend/cube_file_parser.h"
#include "backend/packed_3d_lut.h"

namespace varnet::lut {

namespace OCIO = OCIO_NAMESPACE;

namespace {

// The baker writes a colour space's transform at a cube size; a table baked at its own size
// comes out point for point.
OCIO::ConstConfigRcPtr ConfigWithTable(const Packed3DLut& table) {
    const OCIO::Lut3DTransformRcPtr lut = OCIO::Lut3DTransform::Create(kLutGridPoints);
    for (std::size_t r = 0; r < kLutGridPoints; ++r) {
        for (std::size_t g = 0; g < kLutGridPoints; ++g) {
            for (std::size_t b = 0; b < kLutGridPoints; ++b) {
                const LutCodes c = UnpackLutWord(table.words[LutIndex(r, g, b)]);
                lut->setValue(static_cast<unsigned long>(r), static_cast<unsigned long>(g),
                              static_cast<unsigned long>(b), static_cast<float>(c.red / 1023.0),
                              static_cast<float>(c.green / 1023.0),
                              static_cast<float>(c.blue / 1023.0));
            }
        }
    }
    const OCIO::ConfigRcPtr config = OCIO::Config::Create();
    // Not a data space: conversions to and from data spaces are skipped.
    const OCIO::ColorSpaceRcPtr reference = OCIO::ColorSpace::Create();
    reference->setName("reference");
    config->addColorSpace(reference);
    const OCIO::ColorSpaceRcPtr library = OCIO::ColorSpace::Create();
    library->setName("library");
    library->setTransform(lut, OCIO::COLORSPACE_DIR_TO_REFERENCE);
    config->addColorSpace(library);
    return config;
}

} // namespace

bool ExportStandardCube(std::string_view libraryText, const std::string& title, std::string& out,
                        std::string& error) {
    auto table = std::make_unique<Packed3DLut>();
    const CubeStatus status = ParseCubeText(libraryText, *table);
    if (status != CubeStatus::kOk) {
        error = std::string("not a library .cube: ") + CubeStatusText(status);
        return false;
    }
    try {
        const OCIO::BakerRcPtr baker = OCIO::Baker::Create();
        baker->setConfig(ConfigWithTable(*table));
        baker->setFormat("iridas_cube");
        baker->setInputSpace("library");
        baker->setTargetSpace("reference");
        baker->setCubeSize(static_cast<int>(kLutGridPoints));
        if (!title.empty()) {
            baker->getFormatMetadata().addChildElement(OCIO::METADATA_DESCRIPTION, title.c_str());
        }
        std::ostringstream text;
        baker->bake(text);
        out = text.str();
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

} // namespace varnet::lut
