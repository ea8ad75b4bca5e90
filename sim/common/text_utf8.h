// Wide texts the simulators receive (COM strings, run-time paths) as UTF-8 for the journal and
// for comparing with scenario names. wchar_t is UTF-16 on Windows and UTF-32 on the host.
#pragma once

#include <string>

namespace varnet::sim {

// Null gives "". Unpaired surrogates become U+FFFD; reading stops after 32767 code units.
std::string Utf8FromUtf16(const char16_t* text);
std::string Utf8FromWide(const wchar_t* text);

} // namespace varnet::sim
