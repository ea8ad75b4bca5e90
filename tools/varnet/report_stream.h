// Where the tool writes its report. The library prints driver chatter to the process's standard
// output; the tool keeps that out of its report unless asked to show it.
#pragma once

#include <cstdio>

namespace varnet::tool {

// Sets the report stream up; with showDriverOutput the library's own prints stay visible.
void SetUpReportStream(bool showDriverOutput);
std::FILE* Report();

} // namespace varnet::tool
