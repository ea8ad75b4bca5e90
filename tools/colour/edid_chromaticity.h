// The colour characteristics an EDID base block declares: the panel's primaries and white
// point (bytes 25 to 34, ten bits per coordinate).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "colour_types.h"

namespace varnet::colour {

// An EDID file's bytes: raw binary, or hex text (two digits a byte; blanks, colons, dashes and
// line breaks between bytes are ignored). nullopt with a reason when it is neither.
std::optional<std::vector<uint8_t>> DecodeEdidFile(const std::string& content, std::string* error);

// nullopt with a reason for a block that is short, lacks the EDID header, fails its checksum, or
// declares primaries that span no gamut.
std::optional<Chromaticity> ReadEdidChromaticity(const std::vector<uint8_t>& edid,
                                                 std::string* error);

} // namespace varnet::colour
