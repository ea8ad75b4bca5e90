// A LUT of any size and format brought to the library's table: the 17 x 17 x 17 grid of 10-bit
// output codes that a colour mode's .cube file holds.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "backend/graphics_types.h"

namespace varnet::lut {

// The finer grid on which the source and the 17-point table are compared: 4 steps for each of
// the table's, so it holds the table's points and three between each pair.
inline constexpr std::size_t kComparisonGridPoints = 65;

struct ImportResult {
    Packed3DLut table; // codes = output x 1023, rounded, limited to 0..1023; bits 30, 31 zero
    std::string description;
    std::array<double, 3> domainMin = {};
    std::array<double, 3> domainMax = {};
    // Outputs at the 17-point grid (three a point) that fell outside 0..1023 and were limited.
    std::size_t clippedValues = 0;
    // Largest difference, in codes, between the source (limited to 0..1) and the table read with
    // trilinear interpolation, over the comparison grid; and the input where it occurs.
    double largestDifference = 0.0;
    std::array<double, 3> largestDifferenceAt = {};
};

// false, with a one-line reason, when the file cannot be read as a LUT.
bool ImportLut(const std::string& path, ImportResult& result, std::string& error);

} // namespace varnet::lut
