// A LUT file in any format that OpenColorIO reads, opened as a processor of RGB triples, with
// what the engineer needs to know about it: what tables it holds and the input range they cover.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include <OpenColorIO/OpenColorIO.h>

namespace varnet::lut {

struct LutSource {
    // "3D LUT of 33 points per axis", "1D LUT of 1024 entries, then 3D LUT of 17 points per
    // axis"...
    std::string description;
    // The inputs that reach the table's first and last entries, per channel (red, green, blue).
    std::array<double, 3> domainMin = {0.0, 0.0, 0.0};
    std::array<double, 3> domainMax = {1.0, 1.0, 1.0};
    OCIO_NAMESPACE::ConstCPUProcessorRcPtr processor;
};

// Applies the file's transform in place to count triples, with the interpolation its format
// calls for.
void Apply(const LutSource& source, float* rgb, std::size_t count);

// false, with a one-line reason and source untouched, when the file is missing or is not a LUT.
bool OpenLutSource(const std::string& path, LutSource& source, std::string& error);

} // namespace varnet::lut
