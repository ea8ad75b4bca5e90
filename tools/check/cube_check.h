// A .cube file that a colour mode names, checked with the library's own reader: present, whole,
// codes in 0..1023, and not a standard .cube (header, 0..1 floats) that needs converting first.
#pragma once

#include <string>

namespace varnet::check {

struct CubeVerdict {
    bool ok = true;
    std::string problem; // what is wrong, in one line, when not ok
};

CubeVerdict CheckCubeFile(const std::string& path);

} // namespace varnet::check
