// What the host sandbox's files share with each other; not for the library or the tests.
#pragma once

#include <string>

namespace varnet::platform::host::detail {

// Counts one call of operation and tells whether an injected fault makes it fail, with the code
// to fail with.
bool FaultFires(const char* operation, long* code);

// The sandbox's current directory, a Windows path such as "C:\Users\varnet".
std::string CurrentDirectory();

// The registry file of the current root.
std::string RegistryFile();

// ASCII case folding, as the sandbox compares Windows names.
std::string Lower(std::string text);
bool EqualsNoCase(const std::string& a, const std::string& b);

// Each part of the sandbox puts its own state back for ResetState.
void ResetDiagnostics();
void ResetDisplay();

} // namespace varnet::platform::host::detail
