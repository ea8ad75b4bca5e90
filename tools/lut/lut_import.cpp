#include "lut_import.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "backend/packed_3d_lut.h"
#include "lut_source.h"

namespace varnet::lut {

namespace OCIO = OCIO_NAMESPACE;

namespace {

constexpr double kCodeScale = 1023.0;

// n^3 inputs (i / (n - 1), ...), red index fastest.
std::vector<float> GridInputs(std::size_t n) {
    std::vector<float> rgb(3 * n * n * n);
    const double step = 1.0 / static_cast<double>(n - 1);
    std::size_t at = 0;
    for (std::size_t b = 0; b < n; ++b) {
        for (std::size_t g = 0; g < n; ++g) {
            for (std::size_t r = 0; r < n; ++r) {
                rgb[at++] = static_cast<float>(static_cast<double>(r) * step);
                rgb[at++] = static_cast<float>(static_cast<double>(g) * step);
                rgb[at++] = static_cast<float>(static_cast<double>(b) * step);
            }
        }
    }
    return rgb;
}

uint32_t Code(float value, std::size_t& clipped) {
    const double scaled = std::round(static_cast<double>(value) * kCodeScale);
    if (!(scaled >= 0.0)) { // NaN too
        ++clipped;
        return 0;
    }
    if (scaled > kCodeScale) {
        ++clipped;
        return kLutMaxCode;
    }
    return static_cast<uint32_t>(scaled);
}

// The table as the driver would read between its points.
OCIO::ConstCPUProcessorRcPtr TableProcessor(const Packed3DLut& table) {
    const OCIO::Lut3DTransformRcPtr lut = OCIO::Lut3DTransform::Create(kLutGridPoints);
    lut->setInterpolation(OCIO::INTERP_LINEAR);
    for (std::size_t r = 0; r < kLutGridPoints; ++r) {
        for (std::size_t g = 0; g < kLutGridPoints; ++g) {
            for (std::size_t b = 0; b < kLutGridPoints; ++b) {
                const LutCodes c = UnpackLutWord(table.words[LutIndex(r, g, b)]);
                lut->setValue(static_cast<unsigned long>(r), static_cast<unsigned long>(g),
                              static_cast<unsigned long>(b), static_cast<float>(c.red / kCodeScale),
                              static_cast<float>(c.green / kCodeScale),
                              static_cast<float>(c.blue / kCodeScale));
            }
        }
    }
    return OCIO::Config::CreateRaw()->getProcessor(lut)->getOptimizedCPUProcessor(
        OCIO::BIT_DEPTH_F32, OCIO::BIT_DEPTH_F32, OCIO::OPTIMIZATION_LOSSLESS);
}

void Compare(const LutSource& source, ImportResult& result) {
    const std::vector<float> inputs = GridInputs(kComparisonGridPoints);
    std::vector<float> wanted = inputs;
    std::vector<float> got = inputs;
    Apply(source, wanted.data(), wanted.size() / 3);
    OCIO::PackedImageDesc image(got.data(), static_cast<long>(got.size() / 3), 1, 3);
    TableProcessor(result.table)->apply(image);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const double want = std::clamp(static_cast<double>(wanted[i]), 0.0, 1.0);
        const double difference = std::fabs(want - static_cast<double>(got[i])) * kCodeScale;
        // NaN in the source counts as the largest difference there is.
        if (difference > result.largestDifference || std::isnan(difference)) {
            result.largestDifference = std::isnan(difference) ? kCodeScale : difference;
            const std::size_t point = i - i % 3;
            for (std::size_t c = 0; c < 3; ++c) {
                result.largestDifferenceAt[c] = inputs[point + c];
            }
        }
    }
}

} // namespace

bool ImportLut(const std::string& path, ImportResult& result, std::string& error) {
    LutSource source;
    if (!OpenLutSource(path, source, error)) {
        return false;
    }
    try {
        std::vector<float> rgb = GridInputs(kLutGridPoints);
        Apply(source, rgb.data(), rgb.size() / 3);
        ImportResult imported;
        imported.description = source.description;
        imported.domainMin = source.domainMin;
        imported.domainMax = source.domainMax;
        std::size_t k = 0;
        for (std::size_t b = 0; b < kLutGridPoints; ++b) {
            for (std::size_t g = 0; g < kLutGridPoints; ++g) {
                for (std::size_t r = 0; r < kLutGridPoints; ++r, k += 3) {
                    const LutCodes codes = {Code(rgb[k], imported.clippedValues),
                                            Code(rgb[k + 1], imported.clippedValues),
                                            Code(rgb[k + 2], imported.clippedValues)};
                    imported.table.words[LutIndex(r, g, b)] = PackLutWord(0, codes);
                }
            }
        }
        Compare(source, imported);
        result = imported;
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

} // namespace varnet::lut
