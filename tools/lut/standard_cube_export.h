// A library .cube as the .cube that colour tools read: a size line, then floats of 0 to 1, red
// index fastest.
#pragma once

#include <string>
#include <string_view>

namespace varnet::lut {

// libraryText: the content of a library .cube file. title goes into a comment line. false, with
// a one-line reason, when the text is not a library .cube.
bool ExportStandardCube(std::string_view libraryText, const std::string& title, std::string& out,
                        std::string& error);

} // namespace varnet::lut
